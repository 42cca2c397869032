#include "EditorTesting.h"
#include "Editors/MemoryTableModel.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The draft object without any window: the channel it follows, when it follows its stored
// record, and the one way both editors store and write a channel.
class tst_EditorDraft : public QObject {
    Q_OBJECT

private slots:
    void init() {
        w = std::make_unique<EditorFixture>();
        w->load(RadioModel::ft991a, {ctcssChannel(1), ctcssChannel(2), ctcssChannel(5)});
        m_table = std::make_unique<MemoryTableModel>(&w->app, &w->draft);
    }

    void cleanup() {
        m_table.reset();
        w.reset();
    }

    // Only a change of the selection makes the draft anew; unapplied edits survive everything else.
    void draftFollowsTheSelectedChannel_data() {
        QTest::addColumn<std::optional<QString>>("selection");
        QTest::addColumn<QString>("draftSlot");
        QTest::addColumn<bool>("editsKept");
        QTest::addRow("another channel") << std::optional<QString>(u"005"_s) << "005" << false;
        QTest::addRow("the same channel again") << std::optional<QString>(u"001"_s) << "001" << true;
        QTest::addRow("cleared selection") << std::optional<QString>() << "001" << true;
        QTest::addRow("unknown channel") << std::optional<QString>(u"500"_s) << "001" << true;
    }
    void draftFollowsTheSelectedChannel() {
        QFETCH(std::optional<QString>, selection);
        QFETCH(QString, draftSlot);
        QFETCH(bool, editsKept);
        QCOMPARE(*w->draft.draft(), MemoryDraft(ctcssChannel(1)));
        editTag(u"UNSAVED"_s);
        w->app.setSelectedMemoryID(selection);
        QCOMPARE(w->draft.draft()->slot, draftSlot);
        QCOMPARE(w->draft.draft()->tag == u"UNSAVED"_s, editsKept);
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
        RadioMemory other = ctcssChannel(1);
        other.tag = u"RADIO"_s;
        if (change.startsWith(u"edited"_s))
            editTag(u"NEU"_s);
        if (change.endsWith(u"import"_s)) {
            w->app.applyImportedBackup(
                MemoryBackup{RadioModel::ft991a, {other}, QDateTime::currentDateTimeUtc()});
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
                QVERIFY(m_table->setData(m_table->index(0, m_table->section(MemoryColumn::name)), u"NEU"_s));
                m_table->writeRow(0);
            }
            QTRY_VERIFY(!w->app.isBusy());
            QVERIFY(w->app.selectedMemory()->tag.trimmed() != u"NEU"_s);
        }
        QCOMPARE(*w->draft.draft() == MemoryDraft(*w->app.selectedMemory()), follows);
        QCOMPARE(w->draft.draft()->tag, follows ? w->app.selectedMemory()->tag : u"NEU"_s);
        QCOMPARE(w->draft.draftIsDirty(), !follows);
    }

    // Both editors commit through one function: a channel that fails validation, or that the
    // radio could not take, becomes the alert; nothing is stored and nothing is sent.
    void invalidChannelAlertsStoresAndSendsNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<MemoryColumn>("column");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("alert");
        const QString tooLong = u"Ungültiger Speicherinhalt: Frequenz darf höchstens 9 Ziffern haben."_s;
        const QString zero = u"Ungültiger Speicherinhalt: Frequenz 0 ist ungültig."_s;
        const auto rx = MemoryColumn::rx;
        QTest::addRow("apply, ten digits") << u"apply"_s << rx << u"1234567890"_s << tooLong;
        QTest::addRow("apply, zero") << u"apply"_s << rx << u"000"_s << zero;
        QTest::addRow("write, ten digits") << u"write"_s << rx << u"1234567890"_s << tooLong;
        QTest::addRow("row write, zero") << u"row"_s << rx << u"000"_s << zero;
        QTest::addRow("write, a tag the radio cannot take")
            << u"write"_s << MemoryColumn::name << u"AB;MW001"_s
            << u"Ungültiger Speicherinhalt: Das Feld „Tag“ enthält ein Zeichen, das nicht an das Funkgerät "
               u"gesendet werden kann (erlaubt sind nur druckbare ASCII-Zeichen außer „;“)."_s;
    }
    void invalidChannelAlertsStoresAndSendsNothing() {
        QFETCH(QString, how);
        QFETCH(MemoryColumn, column);
        QFETCH(QString, entry);
        QFETCH(QString, alert);
        w->connectRadio();
        MemoryDraft channel = *w->draft.draft();
        (column == MemoryColumn::rx ? channel.frequency : channel.tag) = entry;
        if (how == u"row"_s)
            QVERIFY(m_table->setData(m_table->index(1, m_table->section(column)), entry));
        const QList<RadioMemory> before = w->app.memories();
        if (how == u"row"_s)
            m_table->writeRow(1);
        else
            w->draft.commit(channel, how == u"write"_s);
        QCOMPARE(w->app.alertMessage(), std::optional<QString>(alert));
        QCOMPARE(w->app.memories(), before);
        QVERIFY(!w->app.isBusy());
        QVERIFY(w->radio->received().isEmpty());
    }

private:
    void editTag(const QString &tag) {
        MemoryDraft edited = *w->draft.draft();
        edited.tag = tag;
        w->draft.setDraft(edited);
    }
    std::unique_ptr<EditorFixture> w;
    std::unique_ptr<MemoryTableModel> m_table;
};

QTEST_GUILESS_MAIN(tst_EditorDraft)
#include "tst_editordraft.moc"
