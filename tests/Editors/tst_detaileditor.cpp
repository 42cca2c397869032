#include "EditorTesting.h"
#include "Editors/InfoTile.h"
#include "Editors/MemoryDetailEditor.h"
#include "Editors/MemoryTableModel.h"
#include "Model/MemoryDraft.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

// The detail editor and the draft both editors share: the channel the draft follows, when it
// follows its stored record, and the one way both editors store and write a channel.
class tst_DetailEditor : public QObject {
    Q_OBJECT

private slots:
    void init() { w = std::make_unique<EditorFixture>(); }

    void cleanup() {
        m_editor.reset();
        w.reset();
    }

    void showsTheSelectedChannel() {
        open(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2), u"002"_s);
        const RadioMemory &memory = w->app.memories().at(1);
        const QStringList shownAs{"frequency=" + memory.frequency,
                                  "tag=" + memory.tag,
                                  "mode=" + memory.modeCode,
                                  "toneSql=1",
                                  "toneNumber=" + memory.toneNumberCode,
                                  "repeaterShift=-",
                                  "clarifierDirection=-",
                                  "clarifierAmount=600",
                                  "badge.slot=002",
                                  "badge.model=FT-991A"};
        for (const QString &each : shownAs)
            QCOMPARE(each.section(u'=', 0, 0) + u'=' + shown(each.section(u'=', 0, 0)), each);
        QVERIFY(widget<QCheckBox>("sqlDecode")->isChecked());
        QVERIFY(widget("chips")->isVisible());
        QVERIFY(widget("ft991aHint")->isVisible());
    }

    // Any edit leaves the stored channel as it is and opens "Übernehmen" and "Zurücksetzen";
    // writing needs a link as well.
    void editMakesTheDraftDirty_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addRow("tenth digit") << u"frequency"_s << u"1455000000"_s;
        QTest::addRow("frequency zero") << u"frequency"_s << u"0"_s;
        QTest::addRow("tag") << u"tag"_s << u"NEU"_s;
        QTest::addRow("clarifier amount") << u"clarifierAmount"_s << u"120"_s;
    }
    void editMakesTheDraftDirty() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        open(RadioModel::ft991a, {memoryRecord(RadioModel::ft991a)});
        const QString unchanged = shown(u"badge.changes"_s);
        QVERIFY(!button("apply")->isEnabled());
        QVERIFY(!button("reset")->isEnabled());
        type(field, text);
        QVERIFY(w->draft.draftIsDirty());
        QVERIFY(shown(u"badge.changes"_s) != unchanged);
        QVERIFY(button("apply")->isEnabled());
        QVERIFY(button("reset")->isEnabled());
        QVERIFY(!button("write")->isEnabled());
        QCOMPARE(w->app.memories().first(), memoryRecord(RadioModel::ft991a));
    }

    void applyStoresTheValidatedChannel() {
        open(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2));
        const QList<RadioMemory> before = w->app.memories();
        type("frequency", "0145600");
        const QString occupied = shown(u"badge.status"_s);
        widget<QCheckBox>("ft991a.empty")->click();
        QVERIFY(shown(u"badge.status"_s) != occupied);
        widget<QCheckBox>("ft991a.empty")->click();
        button("apply")->click();
        QCOMPARE(w->app.memories().first().frequency, u"145600"_s);
        QCOMPARE(w->app.memories().at(1), before.at(1));
        QCOMPARE(w->draft.draft()->frequency, u"0145600"_s);
        QVERIFY(!w->draft.draftIsDirty());
        QVERIFY(!button("apply")->isEnabled());
        QVERIFY(!w->app.alertMessage());
    }

    void writeSendsTheSelectedChannel() {
        open(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2), u"002"_s);
        w->connectRadio();
        type("tag", "NEU");
        QVERIFY(button("write")->isEnabled());
        button("write")->click();
        QCOMPARE(w->app.memories().at(1).tag, u"NEU"_s);
        QVERIFY(w->app.isBusy());
        QVERIFY(!button("write")->isEnabled());
        QVERIFY(!button("reset")->isEnabled());
        QTRY_VERIFY(!w->app.isBusy());
        QCOMPARE(w->radio->channel(2)->tag.trimmed(), u"NEU"_s);
        QVERIFY(!w->app.alertMessage());
    }

    // Both editors commit through the draft object: a channel that fails validation, or that the
    // radio could not take, becomes the alert; nothing is stored and nothing is sent.
    void invalidChannelAlertsStoresAndSendsNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<MemoryColumn>("column");
        QTest::addColumn<QString>("entry");
        QTest::addRow("apply, ten digits") << u"apply"_s << MemoryColumn::rx << u"1234567890"_s;
        QTest::addRow("apply, zero") << u"apply"_s << MemoryColumn::rx << u"000"_s;
        QTest::addRow("write, ten digits") << u"write"_s << MemoryColumn::rx << u"1234567890"_s;
        QTest::addRow("row write, zero") << u"row"_s << MemoryColumn::rx << u"000"_s;
        QTest::addRow("write, a tag the radio cannot take")
            << u"write"_s << MemoryColumn::name << u"AB;MW001"_s;
    }
    void invalidChannelAlertsStoresAndSendsNothing() {
        QFETCH(QString, how);
        QFETCH(MemoryColumn, column);
        QFETCH(QString, entry);
        w->load(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2));
        MemoryTableModel table(&w->app, &w->draft);
        w->connectRadio();
        MemoryDraft channel = *w->draft.draft();
        (column == MemoryColumn::rx ? channel.frequency : channel.tag) = entry;
        if (how == u"row"_s)
            QVERIFY(table.setData(table.index(1, table.section(column)), entry));
        const QList<RadioMemory> before = w->app.memories();
        if (how == u"row"_s)
            table.writeRow(1);
        else
            w->draft.commit(channel, how == u"write"_s);
        QVERIFY(!w->app.alertMessage().value_or(QString()).isEmpty());
        QCOMPARE(w->app.memories(), before);
        QVERIFY(!w->app.isBusy());
        QVERIFY(w->radio->received().isEmpty());
    }

    // Only a change of the selection makes the draft anew; unapplied edits survive everything else.
    void draftFollowsTheSelectedChannel_data() {
        QTest::addColumn<std::optional<QString>>("selection");
        QTest::addColumn<QString>("draftSlot");
        QTest::addRow("another channel") << std::optional<QString>(u"002"_s) << "002";
        QTest::addRow("the same channel again") << std::optional<QString>(u"001"_s) << "001";
        QTest::addRow("cleared selection") << std::optional<QString>() << "001";
        QTest::addRow("unknown channel") << std::optional<QString>(u"500"_s) << "001";
    }
    void draftFollowsTheSelectedChannel() {
        QFETCH(std::optional<QString>, selection);
        QFETCH(QString, draftSlot);
        w->load(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2));
        QCOMPARE(*w->draft.draft(), MemoryDraft(w->app.memories().first()));
        editTag(u"UNSAVED"_s);
        w->app.setSelectedMemoryID(selection);
        QCOMPARE(w->draft.draft()->slot, draftSlot);
        QCOMPARE(w->draft.draft()->tag == u"UNSAVED"_s, draftSlot == u"001"_s);
    }

    // An untouched draft follows its channel when the table is read or replaced; through the
    // read-back of a write it asked for, it keeps what the user wrote and counts as changed.
    void untouchedDraftFollowsTheTableButNotAWritesReadBack_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("follows");
        QTest::addRow("import") << u"import"_s << true;
        QTest::addRow("model switch") << u"model"_s << true;
        QTest::addRow("table edit of its row") << u"row edit"_s << true;
        QTest::addRow("read selected") << u"read"_s << true;
        QTest::addRow("import over an edited draft") << u"edited, import"_s << false;
        QTest::addRow("editor write") << u"editor"_s << false;
        QTest::addRow("row write") << u"row"_s << false;
    }
    void untouchedDraftFollowsTheTableButNotAWritesReadBack() {
        QFETCH(QString, change);
        QFETCH(bool, follows);
        w->load(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2));
        MemoryTableModel table(&w->app, &w->draft);
        const RadioMemory other = memoryRecord(RadioModel::ft991a, {{"tag", "RADIO"}});
        if (change.startsWith(u"edited"_s))
            editTag(u"NEU"_s);
        if (change.endsWith(u"import"_s)) {
            w->load(RadioModel::ft991a, {other});
        } else if (change == u"model"_s) {
            // The selection stays on "001"; the table is rebuilt with empty rows.
            w->app.setSelectedRadioModel(RadioModel::ft710);
        } else if (change == u"row edit"_s) {
            w->app.setMemoryAt(0, other);
        } else {
            w->connectRadio();
            w->radio->setChannel(
                1, {.payload = u"145525000-000600411001"_s, .tag = u"RADIO"_s, .ctcssNumber = u"012"_s});
            w->radio->rejectNext(u"MT001;"_s); // the written tag reads back empty
            if (change == u"read"_s) {
                w->app.readSelected();
            } else if (change == u"editor"_s) {
                editTag(u"NEU"_s);
                w->draft.commit(*w->draft.draft(), true);
            } else {
                QVERIFY(table.setData(table.index(0, table.section(MemoryColumn::name)), u"NEU"_s));
                table.writeRow(0);
            }
            QTRY_VERIFY(!w->app.isBusy());
            QVERIFY(w->app.selectedMemory()->tag.trimmed() != u"NEU"_s);
        }
        QCOMPARE(*w->draft.draft() == MemoryDraft(*w->app.selectedMemory()), follows);
        QCOMPARE(w->draft.draft()->tag, follows ? w->app.selectedMemory()->tag : u"NEU"_s);
        QCOMPARE(w->draft.draftIsDirty(), !follows);
    }

    // "Erweitert" shows the raw fields, which edit the same record as the fields above;
    // "Zurücksetzen" restores them too and leaves "Erweitert" open.
    void advancedRawFieldsEditTheSameRecord() {
        open(RadioModel::ft991a, {memoryRecord(RadioModel::ft991a)});
        QVERIFY(!widget("flagsRaw")->isVisible());
        widget<QToolButton>("advanced")->click();
        QVERIFY(m_editor->showAdvanced());
        QVERIFY(widget("flagsRaw")->isVisible());
        type("flagsRaw", "13001");
        QCOMPARE(shown(u"toneSql"_s), u"3"_s);
        QCOMPARE(shown(u"repeaterShift"_s), u"+"_s);
        type("shiftRaw", "+000250");
        QCOMPARE(shown(u"clarifierAmount"_s), u"250"_s);
        pick("clarifierDirection", "-");
        QCOMPARE(shown(u"shiftRaw"_s), u"-000250"_s);

        button("reset")->click();
        QCOMPARE(*w->draft.draft(), MemoryDraft(memoryRecord(RadioModel::ft991a)));
        QCOMPARE(shown(u"flagsRaw"_s), u"01002"_s);
        QVERIFY(m_editor->showAdvanced());
    }

    // The tone number picker offers the table of the tone system; without a tone it gives way to
    // a caption, and SQL decode waits for a system.
    void toneControlsFollowTheToneMode() {
        open(RadioModel::ft991a, {memoryRecord(RadioModel::ft991a)});
        auto *tone = widget<QComboBox>("toneNumber");
        QCOMPARE(tone->count(), MemoryDraft::ft991aCtcssOptions().size());
        pick("toneSystem", "dcs");
        QCOMPARE(w->draft.draft()->toneNumberKindRaw, u"1"_s);
        QCOMPARE(tone->count(), MemoryDraft::ft991aDcsOptions().size());
        QCOMPARE(tone->currentData().toString(), u"008"_s);
        pick("toneNumber", "020");
        QCOMPARE(w->draft.draft()->toneNumberCode, u"020"_s);
        widget<QCheckBox>("sqlDecode")->click();
        QCOMPARE(w->draft.draft()->flagsRaw, u"04002"_s);
        widget<QCheckBox>("openingTone")->click();
        QCOMPARE(w->draft.draft()->flagsRaw, u"00002"_s);
        QVERIFY(!widget("sqlDecode")->isEnabled());
        QVERIFY(widget("openingTone")->isEnabled());
        QVERIFY(!tone->isVisible());
        QVERIFY(widget("toneInactive")->isVisible());
    }

    // The model's sections follow the draft's own model; the mode list is the selected model's.
    void sectionsFollowTheDraftsModel() {
        open(RadioModel::ft991a, {memoryRecord(RadioModel::ft991a)});
        w->app.setSelectedRadioModel(RadioModel::ft710);
        w->draft.setDraft(MemoryDraft(memoryRecord(RadioModel::ft991a)));
        QVERIFY(widget("ft991a")->isVisible());
        QVERIFY(!widget("ft710")->isVisible());
        QVERIFY(widget("chips")->isVisible());
        QCOMPARE(widget<QComboBox>("mode")->count(), PickerItems::modes(RadioModel::ft710).size());

        w->draft.setDraft(MemoryDraft(u"005"_s, RadioModel::ft710));
        QVERIFY(!widget("ft991a")->isVisible());
        QVERIFY(widget("ft710")->isVisible());
        QVERIFY(!widget("chips")->isVisible());
        QVERIFY(!widget("ft991aHint")->isVisible());
        type("shiftAmount", "600");
        QCOMPARE(w->draft.draft()->shiftRaw, u"+000600"_s);
        pick("shiftDirection", "-");
        QCOMPARE(w->draft.draft()->shiftRaw, u"-000600"_s);
    }

    // A mode the picker does not list shows no entry and stays until the user picks one.
    void unlistedModeShowsNoEntryAndIsKept() {
        open(RadioModel::ft710, {memoryRecord(RadioModel::ft710, {{"modeCode", "E"}})});
        QCOMPARE(widget<QComboBox>("mode")->currentIndex(), -1);
        type("tag", "X");
        QCOMPARE(w->draft.draft()->modeCode, u"E"_s);
        pick("mode", "2");
        QCOMPARE(w->draft.draft()->modeCode, u"2"_s);
    }

private:
    void open(RadioModel model, const QList<RadioMemory> &rows, const QString &selected = u"001"_s) {
        w->load(model, rows, selected);
        m_editor = std::make_unique<MemoryDetailEditor>(&w->app, &w->draft);
        m_editor->resize(1300, 900);
        m_editor->show();
    }
    void editTag(const QString &tag) {
        MemoryDraft edited = *w->draft.draft();
        edited.tag = tag;
        w->draft.setDraft(edited);
    }
    // The widget named "detailEditor.<name>".
    template <typename T = QWidget> T *widget(const QString &name) const {
        T *found = m_editor->findChild<T *>(u"detailEditor."_s + name);
        if (!found)
            qFatal("no widget named %s", qPrintable(name));
        return found;
    }
    QPushButton *button(const QString &name) const { return widget<QPushButton>(name); }
    void type(const QString &field, const QString &text) const {
        auto *edit = widget<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void pick(const QString &picker, const QString &tag) const {
        auto *box = widget<QComboBox>(picker);
        const int index = box->findData(tag);
        QVERIFY2(index >= 0, qPrintable(tag));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // What a field, a picker (its entry's tag) or a badge shows.
    QString shown(const QString &name) const {
        QObject *found = widget<QObject>(name);
        if (auto *field = qobject_cast<QLineEdit *>(found))
            return field->text();
        if (auto *box = qobject_cast<QComboBox *>(found))
            return box->currentData().toString();
        return widget<InfoTile>(name)->value();
    }

    std::unique_ptr<EditorFixture> w;
    std::unique_ptr<MemoryDetailEditor> m_editor;
};

QTEST_MAIN(tst_DetailEditor)
#include "tst_detaileditor.moc"
