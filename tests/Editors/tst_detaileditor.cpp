#include "EditorTesting.h"
#include "Editors/InfoTile.h"
#include "Editors/MemoryDetailEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

class tst_DetailEditor : public QObject {
    Q_OBJECT

private slots:
    void init() { w = std::make_unique<EditorFixture>(); }

    void cleanup() {
        m_editor.reset();
        w.reset();
    }

    void seedsFromSelectedChannel() {
        open(RadioModel::ft991a, {ctcssChannel(1), ctcssChannel(2)}, u"002"_s);
        const QStringList names =
            u"group frequency tag mode toneSql toneNumber repeaterShift clarifierDirection "
            u"clarifierAmount badge.model badge.slot badge.status badge.changes chip.mode "
            u"chip.toneSql chip.tone chip.repeater chip.clarifier"_s.split(u' ');
        const QStringList texts =
            u"Editor für Speicher 002|145525000|RPT 2|FM [4]|CTCSS ENC/DEC|012 · 100.0 Hz|+|-|"
            u"600|FT-991A|002|Belegt|Keine|FM|CTCSS ENC/DEC|100.0 Hz|+|Clarifier -600"_s.split(u'|');
        QCOMPARE(names.size(), texts.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(shown(u"detailEditor."_s + names[i]), texts[i]);
        QVERIFY(widget<QCheckBox>("detailEditor.sqlDecode")->isChecked());
        QVERIFY(widget("detailEditor.chips")->isVisible());
        QVERIFY(widget("detailEditor.ft991aHint")->isVisible());
    }

    void editMakesDraftDirty_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addRow("tenth digit") << u"detailEditor.frequency"_s << u"1455250000"_s;
        QTest::addRow("frequency zero") << u"detailEditor.frequency"_s << u"0"_s;
        QTest::addRow("tag") << u"detailEditor.tag"_s << u"NEU"_s;
        QTest::addRow("clarifier amount") << u"detailEditor.clarifierAmount"_s << u"120"_s;
    }
    void editMakesDraftDirty() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        open(RadioModel::ft991a, {ctcssChannel(1)});
        QVERIFY(!widget<QPushButton>("detailEditor.apply")->isEnabled());
        QVERIFY(!widget<QPushButton>("detailEditor.reset")->isEnabled());
        type(field, text);
        QCOMPARE(tile("detailEditor.badge.changes"), u"Offen"_s);
        QVERIFY(widget<QPushButton>("detailEditor.apply")->isEnabled());
        QVERIFY(widget<QPushButton>("detailEditor.reset")->isEnabled());
        QVERIFY(!widget<QPushButton>("detailEditor.write")->isEnabled()); // not connected
        QCOMPARE(w->app.memories().first(), ctcssChannel(1));
    }

    void applyStoresValidatedChannel() {
        open(RadioModel::ft991a, {ctcssChannel(1), ctcssChannel(2)});
        type("detailEditor.frequency", "0145600");
        widget<QCheckBox>("detailEditor.ft991a.empty")->click();
        QCOMPARE(tile("detailEditor.badge.status"), u"Leer"_s);
        widget<QCheckBox>("detailEditor.ft991a.empty")->click();
        widget<QPushButton>("detailEditor.apply")->click();
        QCOMPARE(w->app.memories().first().frequency, u"145600"_s);
        QCOMPARE(w->app.memories().at(1), ctcssChannel(2));
        QCOMPARE(w->draft.draft()->frequency, u"0145600"_s);
        QCOMPARE(tile("detailEditor.badge.changes"), u"Keine"_s);
        QVERIFY(!widget<QPushButton>("detailEditor.apply")->isEnabled());
        QVERIFY(!w->app.alertMessage());
    }

    void writeSelectedSendsToRadio() {
        open(RadioModel::ft991a, {ctcssChannel(1), ctcssChannel(2)}, u"002"_s);
        w->connectRadio();
        type("detailEditor.tag", "NEU");
        QVERIFY(widget<QPushButton>("detailEditor.write")->isEnabled());
        widget<QPushButton>("detailEditor.write")->click();
        QCOMPARE(w->app.memories().at(1).tag, u"NEU"_s);
        QVERIFY(w->app.isBusy());
        QVERIFY(!widget<QPushButton>("detailEditor.write")->isEnabled());
        QVERIFY(!widget<QPushButton>("detailEditor.reset")->isEnabled());
        QTRY_VERIFY(!w->app.isBusy());
        QVERIFY(w->radio->channel(2));
        QCOMPARE(w->radio->channel(2)->tag.trimmed(), u"NEU"_s);
        QVERIFY(!w->app.alertMessage());
    }

    void advancedRawFieldsEditTheSameFieldsAndReset() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        auto *toggle = widget<QToolButton>("detailEditor.advanced");
        QVERIFY(!m_editor->showAdvanced());
        QVERIFY(!widget("detailEditor.flagsRaw")->isVisible());
        toggle->click();
        QVERIFY(m_editor->showAdvanced());
        QVERIFY(widget("detailEditor.flagsRaw")->isVisible());
        type("detailEditor.flagsRaw", "13002");
        QCOMPARE(w->draft.draft()->flagsRaw, u"13002"_s);
        QCOMPARE(widget<QComboBox>("detailEditor.toneSql")->currentText(), u"DCS ENC/DEC"_s);
        QCOMPARE(widget<QComboBox>("detailEditor.repeaterShift")->currentText(), u"-"_s);
        type("detailEditor.shiftRaw", "+000250");
        QCOMPARE(widget<QLineEdit>("detailEditor.clarifierAmount")->text(), u"250"_s);
        pick("detailEditor.clarifierDirection", "-");
        QCOMPARE(widget<QLineEdit>("detailEditor.shiftRaw")->text(), u"-000250"_s);
        QVERIFY(widget<QLabel>("detailEditor.advancedHint")->text().contains(u"FT-991A"_s));

        // "Zurücksetzen" restores the raw fields too and leaves "Erweitert" open.
        type("detailEditor.tag", "ANDERS");
        widget<QPushButton>("detailEditor.reset")->click();
        QCOMPARE(*w->draft.draft(), MemoryDraft(ctcssChannel(1)));
        QCOMPARE(widget<QLineEdit>("detailEditor.flagsRaw")->text(), u"11001"_s);
        QVERIFY(m_editor->showAdvanced());
        QCOMPARE(tile("detailEditor.badge.changes"), u"Keine"_s);
    }

    void toneControlsFollowToneMode() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        auto *tone = widget<QComboBox>("detailEditor.toneNumber");
        QCOMPARE(tone->count(), 50);
        pick("detailEditor.toneSystem", "dcs");
        QCOMPARE(w->draft.draft()->flagsRaw, u"13001"_s);
        QCOMPARE(w->draft.draft()->toneNumberKindRaw, u"1"_s);
        QCOMPARE(tone->count(), 104);
        QCOMPARE(tone->currentText(), u"012 · DCS 071"_s);
        pick("detailEditor.toneNumber", "020");
        QCOMPARE(w->draft.draft()->toneNumberCode, u"020"_s);
        widget<QCheckBox>("detailEditor.sqlDecode")->click();
        QCOMPARE(w->draft.draft()->flagsRaw, u"14001"_s);
        widget<QCheckBox>("detailEditor.openingTone")->click();
        QCOMPARE(w->draft.draft()->flagsRaw, u"10001"_s);
        QVERIFY(!widget("detailEditor.sqlDecode")->isEnabled());
        QVERIFY(widget("detailEditor.openingTone")->isEnabled());
        QVERIFY(!tone->isVisible());
        QVERIFY(widget("detailEditor.toneInactive")->isVisible());
        QCOMPARE(tile("detailEditor.chip.tone"), u"Nicht aktiv"_s);
    }

    void sectionsFollowDraftModel() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        w->app.setSelectedRadioModel(RadioModel::ft710);
        // The window shows the FT-710 now; the sections follow the draft's own model.
        w->draft.setDraft(MemoryDraft(ctcssChannel(1)));
        QVERIFY(widget("detailEditor.ft991a")->isVisible());
        QVERIFY(!widget("detailEditor.ft710")->isVisible());
        QVERIFY(widget("detailEditor.chips")->isVisible());
        QCOMPARE(widget<QComboBox>("detailEditor.mode")->count(), 12);

        w->draft.setDraft(MemoryDraft(u"005"_s, RadioModel::ft710));
        QVERIFY(!widget("detailEditor.ft991a")->isVisible());
        QVERIFY(widget("detailEditor.ft710")->isVisible());
        QVERIFY(!widget("detailEditor.chips")->isVisible());
        type("detailEditor.shiftAmount", "600");
        QCOMPARE(w->draft.draft()->shiftRaw, u"+000600"_s);
        pick("detailEditor.shiftDirection", "-");
        QCOMPARE(w->draft.draft()->shiftRaw, u"-000600"_s);
    }

    void unmatchedModeShowsNoEntryAndIsKept() {
        RadioMemory memory = ctcssChannel(1, RadioModel::ft710);
        memory.modeCode = u"E"_s;
        open(RadioModel::ft710, {memory});
        QCOMPARE(widget<QComboBox>("detailEditor.mode")->currentIndex(), -1);
        type("detailEditor.tag", "X");
        QCOMPARE(w->draft.draft()->modeCode, u"E"_s);
        pick("detailEditor.mode", "2");
        QCOMPARE(w->draft.draft()->modeCode, u"2"_s);
    }

private:
    void open(RadioModel model, const QList<RadioMemory> &rows, const QString &selected = u"001"_s) {
        w->load(model, rows, selected);
        m_editor = std::make_unique<MemoryDetailEditor>(&w->app, &w->draft);
        m_editor->resize(1300, 900);
        m_editor->show();
    }
    template <typename T = QWidget> T *widget(const QString &name) const {
        T *found = m_editor->findChild<T *>(name);
        if (!found)
            qFatal("no widget named %s", qPrintable(name));
        return found;
    }
    void type(const QString &field, const QString &text) const {
        auto *edit = widget<QLineEdit>(field);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, text);
    }
    void pick(const QString &combo, const QString &tag) const {
        auto *box = widget<QComboBox>(combo);
        const int index = box->findData(tag);
        QVERIFY2(index >= 0, qPrintable(tag));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    QString tile(const QString &name) const { return widget<InfoTile>(name)->value(); }
    // The text a field, picker, badge, chip or the group shows.
    QString shown(const QString &name) const {
        QObject *found = widget<QObject>(name);
        if (auto *field = qobject_cast<QLineEdit *>(found))
            return field->text();
        if (auto *box = qobject_cast<QComboBox *>(found))
            return box->currentText();
        if (auto *group = qobject_cast<QGroupBox *>(found))
            return group->title();
        return widget<InfoTile>(name)->value();
    }
    std::unique_ptr<EditorFixture> w;
    std::unique_ptr<MemoryDetailEditor> m_editor;
};

QTEST_MAIN(tst_DetailEditor)
#include "tst_detaileditor.moc"
