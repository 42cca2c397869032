#include "AppModel/AppModel.h"
#include "Editors/InfoTile.h"
#include "Editors/MemoryDetailEditor.h"
#include "Editors/MemoryTableModel.h"
#include "Editors/MemoryTablePanel.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "MainWindow/ContentView.h"
#include "Model/MemoryBackup.h"
#include "RadioLink/LinkTiming.h"
#include "TestSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

RadioMemory ctcssChannel(int channel, RadioModel model = RadioModel::ft991a) {
    RadioMemory memory = RadioMemory::empty(RadioMemory::slotText(channel), model);
    memory.frequency = u"145525000"_s;
    memory.isEmpty = false;
    memory.tag = u"RPT %1"_s.arg(channel);
    memory.shiftRaw = u"-000600"_s;
    memory.flagsRaw = u"11001"_s;
    memory.toneNumberKindRaw = u"0"_s;
    memory.toneNumberCode = u"012"_s;
    return memory;
}

} // namespace

class tst_DetailEditor : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        UserDefaults::setValue(L::userDefaultsLanguageKey(), u"de"_s);
        // The fake radio answers at once; the radios' waits need not last.
        LinkTiming::setScale(0.1);
        m_app = std::make_unique<AppModel>();
    }

    void cleanup() {
        m_window.reset();
        m_app.reset();
        m_radio.reset();
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
        QCOMPARE(m_app->memories().first(), ctcssChannel(1));
    }

    void applyStoresValidatedChannel() {
        open(RadioModel::ft991a, {ctcssChannel(1), ctcssChannel(2)});
        type("detailEditor.frequency", "0145600");
        widget<QCheckBox>("detailEditor.ft991a.empty")->click();
        QCOMPARE(tile("detailEditor.badge.status"), u"Leer"_s);
        widget<QCheckBox>("detailEditor.ft991a.empty")->click();
        widget<QPushButton>("detailEditor.apply")->click();
        QCOMPARE(m_app->memories().first().frequency, u"145600"_s);
        QCOMPARE(m_app->memories().at(1), ctcssChannel(2));
        QCOMPARE(m_window->draft()->frequency, u"0145600"_s);
        QCOMPARE(tile("detailEditor.badge.changes"), u"Keine"_s);
        QVERIFY(!widget<QPushButton>("detailEditor.apply")->isEnabled());
        QVERIFY(!m_app->alertMessage());
    }

    void invalidDraftAlertsAndStoresNothing_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("alert");
        const QString tooLong = u"Ungültiger Speicherinhalt: Frequenz darf höchstens 9 Ziffern haben."_s;
        const QString zero = u"Ungültiger Speicherinhalt: Frequenz 0 ist ungültig."_s;
        const QString frequency = u"detailEditor.frequency"_s;
        QTest::addRow("apply, ten digits")
            << frequency << u"1234567890"_s << u"detailEditor.apply"_s << tooLong;
        QTest::addRow("apply, zero") << frequency << u"000"_s << u"detailEditor.apply"_s << zero;
        QTest::addRow("write, ten digits")
            << frequency << u"1234567890"_s << u"detailEditor.write"_s << tooLong;
        QTest::addRow("write, a tag the radio cannot take")
            << u"detailEditor.tag"_s << u"AB;MW001"_s << u"detailEditor.write"_s
            << u"Ungültiger Speicherinhalt: Das Feld „Tag“ enthält ein Zeichen, das nicht an das Funkgerät "
               u"gesendet werden kann (erlaubt sind nur druckbare ASCII-Zeichen außer „;“)."_s;
    }
    void invalidDraftAlertsAndStoresNothing() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(QString, alert);
        open(RadioModel::ft991a, {ctcssChannel(1)});
        connectRadio();
        type(field, text);
        widget<QPushButton>(button)->click();
        QCOMPARE(m_app->alertMessage(), std::optional<QString>(alert));
        QCOMPARE(m_app->memories().first(), ctcssChannel(1));
        QCOMPARE(shown(field), text);
        QVERIFY(!m_app->isBusy());
        QVERIFY(m_radio->received().isEmpty());
    }

    void writeSelectedSendsToRadio() {
        open(RadioModel::ft991a, {ctcssChannel(1), ctcssChannel(2)}, u"002"_s);
        connectRadio();
        type("detailEditor.tag", "NEU");
        QVERIFY(widget<QPushButton>("detailEditor.write")->isEnabled());
        widget<QPushButton>("detailEditor.write")->click();
        QCOMPARE(m_app->memories().at(1).tag, u"NEU"_s);
        QVERIFY(m_app->isBusy());
        QVERIFY(!widget<QPushButton>("detailEditor.write")->isEnabled());
        QVERIFY(!widget<QPushButton>("detailEditor.reset")->isEnabled());
        QTRY_VERIFY(!m_app->isBusy());
        QVERIFY(m_radio->channel(2));
        QCOMPARE(m_radio->channel(2)->tag.trimmed(), u"NEU"_s);
        QVERIFY(!m_app->alertMessage());
    }

    void advancedRawFieldsEditTheSameFieldsAndReset() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        auto *toggle = widget<QToolButton>("detailEditor.advanced");
        QVERIFY(!m_window->showAdvanced());
        QVERIFY(!widget("detailEditor.flagsRaw")->isVisible());
        toggle->click();
        QVERIFY(m_window->showAdvanced());
        QVERIFY(widget("detailEditor.flagsRaw")->isVisible());
        type("detailEditor.flagsRaw", "13002");
        QCOMPARE(m_window->draft()->flagsRaw, u"13002"_s);
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
        QCOMPARE(*m_window->draft(), MemoryDraft(ctcssChannel(1)));
        QCOMPARE(widget<QLineEdit>("detailEditor.flagsRaw")->text(), u"11001"_s);
        QVERIFY(m_window->showAdvanced());
        QCOMPARE(tile("detailEditor.badge.changes"), u"Keine"_s);
    }

    void toneControlsFollowToneMode() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        auto *tone = widget<QComboBox>("detailEditor.toneNumber");
        QCOMPARE(tone->count(), 50);
        pick("detailEditor.toneSystem", "dcs");
        QCOMPARE(m_window->draft()->flagsRaw, u"13001"_s);
        QCOMPARE(m_window->draft()->toneNumberKindRaw, u"1"_s);
        QCOMPARE(tone->count(), 104);
        QCOMPARE(tone->currentText(), u"012 · DCS 071"_s);
        pick("detailEditor.toneNumber", "020");
        QCOMPARE(m_window->draft()->toneNumberCode, u"020"_s);
        widget<QCheckBox>("detailEditor.sqlDecode")->click();
        QCOMPARE(m_window->draft()->flagsRaw, u"14001"_s);
        widget<QCheckBox>("detailEditor.openingTone")->click();
        QCOMPARE(m_window->draft()->flagsRaw, u"10001"_s);
        QVERIFY(!widget("detailEditor.sqlDecode")->isEnabled());
        QVERIFY(widget("detailEditor.openingTone")->isEnabled());
        QVERIFY(!tone->isVisible());
        QVERIFY(widget("detailEditor.toneInactive")->isVisible());
        QCOMPARE(tile("detailEditor.chip.tone"), u"Nicht aktiv"_s);
    }

    void sectionsFollowDraftModel() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        m_app->setSelectedRadioModel(RadioModel::ft710);
        // The window shows the FT-710 now; the sections follow the draft's own model.
        m_window->setDraft(MemoryDraft(ctcssChannel(1)));
        QVERIFY(widget("detailEditor.ft991a")->isVisible());
        QVERIFY(!widget("detailEditor.ft710")->isVisible());
        QVERIFY(widget("detailEditor.chips")->isVisible());
        QCOMPARE(widget<QComboBox>("detailEditor.mode")->count(), 12);

        m_window->setDraft(MemoryDraft(u"005"_s, RadioModel::ft710));
        QVERIFY(!widget("detailEditor.ft991a")->isVisible());
        QVERIFY(widget("detailEditor.ft710")->isVisible());
        QVERIFY(!widget("detailEditor.chips")->isVisible());
        type("detailEditor.shiftAmount", "600");
        QCOMPARE(m_window->draft()->shiftRaw, u"+000600"_s);
        pick("detailEditor.shiftDirection", "-");
        QCOMPARE(m_window->draft()->shiftRaw, u"-000600"_s);
    }

    void unmatchedModeShowsNoEntryAndIsKept() {
        RadioMemory memory = ctcssChannel(1, RadioModel::ft710);
        memory.modeCode = u"E"_s;
        open(RadioModel::ft710, {memory});
        QCOMPARE(widget<QComboBox>("detailEditor.mode")->currentIndex(), -1);
        type("detailEditor.tag", "X");
        QCOMPARE(m_window->draft()->modeCode, u"E"_s);
        pick("detailEditor.mode", "2");
        QCOMPARE(m_window->draft()->modeCode, u"2"_s);
    }

    // An untouched draft follows its channel when the table is read or replaced; through the
    // read-back of a write it asked for, it keeps what the user wrote and counts as changed.
    void untouchedDraftFollowsTheTableButNotAWritesReadBack_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("follows");
        QTest::addRow("import") << u"import"_s << true;
        QTest::addRow("import before the editor is built") << u"import, table shown"_s << true;
        QTest::addRow("model switch") << u"model"_s << true;
        QTest::addRow("read selected") << u"read"_s << true;
        QTest::addRow("editor write") << u"editor"_s << false;
        QTest::addRow("row write") << u"row"_s << false;
    }
    void untouchedDraftFollowsTheTableButNotAWritesReadBack() {
        QFETCH(QString, change);
        QFETCH(bool, follows);
        const bool tableShown = change.endsWith(u"table shown"_s);
        open(RadioModel::ft991a, {ctcssChannel(1)}, u"001"_s,
             tableShown ? EditorMode::table : EditorMode::detail);
        RadioMemory other = ctcssChannel(1);
        other.tag = u"RADIO"_s;
        if (change.startsWith(u"import"_s)) {
            m_app->applyImportedBackup(
                MemoryBackup{RadioModel::ft991a, {other}, QDateTime::currentDateTimeUtc()});
        } else if (change == u"model"_s) {
            // The selection stays on "001"; the table is rebuilt with empty rows.
            m_app->setSelectedRadioModel(RadioModel::ft710);
        } else {
            connectRadio();
            m_radio->setChannel(
                1, {.payload = u"145525000-000600411001"_s, .tag = u"RADIO"_s, .ctcssNumber = u"012"_s});
            m_radio->rejectNext(u"MT001;"_s); // the written tag reads back empty
            if (change == u"read"_s) {
                m_app->readSelected();
            } else if (change == u"editor"_s) {
                type("detailEditor.tag", "NEU");
                widget<QPushButton>("detailEditor.write")->click();
            } else {
                auto *table = m_window->findChild<MemoryTablePanel *>()->model();
                table->setData(table->index(0, table->section(MemoryColumn::name)), u"NEU"_s);
                table->writeRow(0);
            }
            QTRY_VERIFY(!m_app->isBusy());
            QVERIFY(m_app->selectedMemory()->tag.trimmed() != u"NEU"_s);
        }
        m_window->setEditorMode(EditorMode::detail);
        QCOMPARE(*m_window->draft() == MemoryDraft(*m_app->selectedMemory()), follows);
        QCOMPARE(m_window->draft()->tag, follows ? m_app->selectedMemory()->tag : u"NEU"_s);
        QCOMPARE(tile("detailEditor.badge.changes"), follows ? u"Keine"_s : u"Offen"_s);
    }

    void editedDraftSurvivesReplacedTable() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        type("detailEditor.tag", "MEINS");
        const MemoryDraft edited = *m_window->draft();
        RadioMemory read = ctcssChannel(1);
        read.tag = u"VOM GERÄT"_s;
        m_app->replaceMemory(read);
        QCOMPARE(*m_window->draft(), edited);
        QCOMPARE(tile("detailEditor.badge.changes"), u"Offen"_s);
    }

private:
    void open(RadioModel model, const QList<RadioMemory> &rows, const QString &selected = u"001"_s,
              EditorMode mode = EditorMode::detail) {
        m_app->applyImportedBackup(MemoryBackup{model, rows, QDateTime::currentDateTimeUtc()});
        m_app->setSelectedMemoryID(selected);
        m_window = std::make_unique<ContentView>(m_app.get());
        m_window->setEditorMode(mode);
        m_window->resize(1500, 950);
        m_window->show();
    }
    template <typename T = QWidget> T *widget(const QString &name) const {
        T *found = m_window->findChild<T *>(name);
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
    void connectRadio() {
        m_radio = std::make_unique<FakeRadio>(RadioModel::ft991a);
        m_app->setSelectedPort(m_radio->devicePath());
        m_app->connect();
        QVERIFY(m_app->isConnected());
    }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<FakeRadio> m_radio;
    std::unique_ptr<AppModel> m_app;
    std::unique_ptr<ContentView> m_window;
};

QTEST_MAIN(tst_DetailEditor)
#include "tst_detaileditor.moc"
