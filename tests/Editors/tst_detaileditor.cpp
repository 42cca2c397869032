#include "AppModel/AppModel.h"
#include "Editors/InfoTile.h"
#include "Editors/MemoryDetailEditor.h"
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

namespace {

RadioMemory ctcssChannel(int channel, RadioModel model = RadioModel::ft991a) {
    RadioMemory memory = RadioMemory::empty(RadioMemory::slotText(channel), model);
    memory.frequency = QStringLiteral("145525000");
    memory.isEmpty = false;
    memory.tag = QStringLiteral("RPT %1").arg(channel);
    memory.shiftRaw = QStringLiteral("-000600");
    memory.flagsRaw = QStringLiteral("11001");
    memory.toneNumberKindRaw = QStringLiteral("0");
    memory.toneNumberCode = QStringLiteral("012");
    return memory;
}

} // namespace

class tst_DetailEditor : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        UserDefaults::setValue(L::userDefaultsLanguageKey(), QStringLiteral("de"));
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
        open(RadioModel::ft991a, {ctcssChannel(1), ctcssChannel(2)}, QStringLiteral("002"));
        QCOMPARE(widget<QGroupBox>("detailEditor.group")->title(), QStringLiteral("Editor für Speicher 002"));
        QCOMPARE(widget<QLineEdit>("detailEditor.frequency")->text(), QStringLiteral("145525000"));
        QCOMPARE(widget<QLineEdit>("detailEditor.tag")->text(), QStringLiteral("RPT 2"));
        QCOMPARE(widget<QComboBox>("detailEditor.mode")->currentText(), QStringLiteral("FM [4]"));
        QCOMPARE(widget<QComboBox>("detailEditor.toneSql")->currentText(), QStringLiteral("CTCSS ENC/DEC"));
        QCOMPARE(widget<QComboBox>("detailEditor.toneNumber")->currentData().toString(),
                 QStringLiteral("012"));
        QCOMPARE(widget<QComboBox>("detailEditor.repeaterShift")->currentText(), QStringLiteral("+"));
        QCOMPARE(widget<QComboBox>("detailEditor.clarifierDirection")->currentText(), QStringLiteral("-"));
        QCOMPARE(widget<QLineEdit>("detailEditor.clarifierAmount")->text(), QStringLiteral("600"));
        QVERIFY(widget<QCheckBox>("detailEditor.sqlDecode")->isChecked());
    }

    void badgesAndChipsShowTheDraft() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        QCOMPARE(tile("detailEditor.badge.model"), QStringLiteral("FT-991A"));
        QCOMPARE(tile("detailEditor.badge.slot"), QStringLiteral("001"));
        QCOMPARE(tile("detailEditor.badge.status"), QStringLiteral("Belegt"));
        QCOMPARE(tile("detailEditor.badge.changes"), QStringLiteral("Keine"));
        QCOMPARE(tile("detailEditor.chip.mode"), QStringLiteral("FM"));
        QCOMPARE(tile("detailEditor.chip.toneSql"), QStringLiteral("CTCSS ENC/DEC"));
        QCOMPARE(tile("detailEditor.chip.tone"), QStringLiteral("100.0 Hz"));
        QCOMPARE(tile("detailEditor.chip.repeater"), QStringLiteral("+"));
        QCOMPARE(tile("detailEditor.chip.clarifier"), QStringLiteral("Clarifier -600"));
        QVERIFY(widget("detailEditor.chips")->isVisible());
        QVERIFY(widget("detailEditor.ft991aHint")->isVisible());
    }

    void editMakesDraftDirty_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addRow("tenth digit") << "detailEditor.frequency"
                                     << "1455250000";
        QTest::addRow("frequency zero") << "detailEditor.frequency"
                                        << "0";
        QTest::addRow("tag") << "detailEditor.tag"
                             << "NEU";
        QTest::addRow("clarifier amount") << "detailEditor.clarifierAmount"
                                          << "120";
    }
    void editMakesDraftDirty() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        open(RadioModel::ft991a, {ctcssChannel(1)});
        QVERIFY(!widget<QPushButton>("detailEditor.apply")->isEnabled());
        QVERIFY(!widget<QPushButton>("detailEditor.reset")->isEnabled());
        type(field, text);
        QCOMPARE(tile("detailEditor.badge.changes"), QStringLiteral("Offen"));
        QVERIFY(widget<QPushButton>("detailEditor.apply")->isEnabled());
        QVERIFY(widget<QPushButton>("detailEditor.reset")->isEnabled());
        QVERIFY(!widget<QPushButton>("detailEditor.write")->isEnabled()); // not connected
        QCOMPARE(m_app->memories().first(), ctcssChannel(1));
    }

    void applyStoresValidatedChannel() {
        open(RadioModel::ft991a, {ctcssChannel(1), ctcssChannel(2)});
        type("detailEditor.frequency", "0145600");
        widget<QCheckBox>("detailEditor.ft991a.empty")->click();
        QCOMPARE(tile("detailEditor.badge.status"), QStringLiteral("Leer"));
        widget<QCheckBox>("detailEditor.ft991a.empty")->click();
        widget<QPushButton>("detailEditor.apply")->click();
        QCOMPARE(m_app->memories().first().frequency, QStringLiteral("145600"));
        QCOMPARE(m_app->memories().at(1), ctcssChannel(2));
        QCOMPARE(m_window->draft()->frequency, QStringLiteral("0145600"));
        QCOMPARE(tile("detailEditor.badge.changes"), QStringLiteral("Keine"));
        QVERIFY(!widget<QPushButton>("detailEditor.apply")->isEnabled());
        QVERIFY(!m_app->alertMessage());
    }

    void invalidDraftAlertsAndStoresNothing_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("alert");
        const QString tooLong = "Ungültiger Speicherinhalt: Frequenz darf höchstens 9 Ziffern haben.";
        QTest::addRow("apply, ten digits") << "1234567890"
                                           << "detailEditor.apply" << tooLong;
        QTest::addRow("apply, zero") << "000"
                                     << "detailEditor.apply"
                                     << "Ungültiger Speicherinhalt: Frequenz 0 ist ungültig.";
        QTest::addRow("write, ten digits") << "1234567890"
                                           << "detailEditor.write" << tooLong;
    }
    void invalidDraftAlertsAndStoresNothing() {
        QFETCH(QString, frequency);
        QFETCH(QString, button);
        QFETCH(QString, alert);
        m_radio = std::make_unique<FakeRadio>(RadioModel::ft991a);
        open(RadioModel::ft991a, {ctcssChannel(1)});
        m_app->setSelectedPort(m_radio->devicePath());
        m_app->connect();
        QVERIFY(m_app->isConnected());
        type("detailEditor.frequency", frequency);
        widget<QPushButton>(button)->click();
        QCOMPARE(m_app->alertMessage(), std::optional<QString>(alert));
        QCOMPARE(m_app->memories().first(), ctcssChannel(1));
        QCOMPARE(m_window->draft()->frequency, frequency);
        QVERIFY(!m_app->isBusy());
        QVERIFY(m_radio->received().isEmpty());
    }

    void resetRestoresStoredChannel() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        widget<QToolButton>("detailEditor.advanced")->click();
        type("detailEditor.flagsRaw", "13002");
        type("detailEditor.tag", "ANDERS");
        widget<QPushButton>("detailEditor.reset")->click();
        QCOMPARE(*m_window->draft(), MemoryDraft(ctcssChannel(1)));
        QCOMPARE(widget<QLineEdit>("detailEditor.flagsRaw")->text(), QStringLiteral("11001"));
        QVERIFY(m_window->showAdvanced());
        QCOMPARE(tile("detailEditor.badge.changes"), QStringLiteral("Keine"));
    }

    void writeSelectedSendsToRadio() {
        m_radio = std::make_unique<FakeRadio>(RadioModel::ft991a);
        open(RadioModel::ft991a, {ctcssChannel(1), ctcssChannel(2)}, QStringLiteral("002"));
        m_app->setSelectedPort(m_radio->devicePath());
        m_app->connect();
        QVERIFY(m_app->isConnected());
        type("detailEditor.tag", "NEU");
        QVERIFY(widget<QPushButton>("detailEditor.write")->isEnabled());
        widget<QPushButton>("detailEditor.write")->click();
        QCOMPARE(m_app->memories().at(1).tag, QStringLiteral("NEU"));
        QVERIFY(m_app->isBusy());
        QVERIFY(!widget<QPushButton>("detailEditor.write")->isEnabled());
        QVERIFY(!widget<QPushButton>("detailEditor.reset")->isEnabled());
        QTRY_VERIFY(!m_app->isBusy());
        QVERIFY(m_radio->channel(2));
        QCOMPARE(m_radio->channel(2)->tag.trimmed(), QStringLiteral("NEU"));
        QVERIFY(!m_app->alertMessage());
    }

    void advancedRawFieldsEditTheSameFields() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        auto *toggle = widget<QToolButton>("detailEditor.advanced");
        QVERIFY(!m_window->showAdvanced());
        QVERIFY(!widget("detailEditor.flagsRaw")->isVisible());
        toggle->click();
        QVERIFY(m_window->showAdvanced());
        QVERIFY(widget("detailEditor.flagsRaw")->isVisible());
        type("detailEditor.flagsRaw", "13002");
        QCOMPARE(m_window->draft()->flagsRaw, QStringLiteral("13002"));
        QCOMPARE(widget<QComboBox>("detailEditor.toneSql")->currentText(), QStringLiteral("DCS ENC/DEC"));
        QCOMPARE(widget<QComboBox>("detailEditor.repeaterShift")->currentText(), QStringLiteral("-"));
        type("detailEditor.shiftRaw", "+000250");
        QCOMPARE(widget<QLineEdit>("detailEditor.clarifierAmount")->text(), QStringLiteral("250"));
        pick("detailEditor.clarifierDirection", "-");
        QCOMPARE(widget<QLineEdit>("detailEditor.shiftRaw")->text(), QStringLiteral("-000250"));
        QVERIFY(widget<QLabel>("detailEditor.advancedHint")->text().contains(QStringLiteral("FT-991A")));
    }

    void toneControlsFollowToneMode() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        auto *tone = widget<QComboBox>("detailEditor.toneNumber");
        QCOMPARE(tone->count(), 50);
        pick("detailEditor.toneSystem", "dcs");
        QCOMPARE(m_window->draft()->flagsRaw, QStringLiteral("13001"));
        QCOMPARE(m_window->draft()->toneNumberKindRaw, QStringLiteral("1"));
        QCOMPARE(tone->count(), 104);
        QCOMPARE(tone->currentText(), QStringLiteral("012 · DCS 071"));
        pick("detailEditor.toneNumber", "020");
        QCOMPARE(m_window->draft()->toneNumberCode, QStringLiteral("020"));
        widget<QCheckBox>("detailEditor.sqlDecode")->click();
        QCOMPARE(m_window->draft()->flagsRaw, QStringLiteral("14001"));
        widget<QCheckBox>("detailEditor.openingTone")->click();
        QCOMPARE(m_window->draft()->flagsRaw, QStringLiteral("10001"));
        QVERIFY(!widget("detailEditor.sqlDecode")->isEnabled());
        QVERIFY(widget("detailEditor.openingTone")->isEnabled());
        QVERIFY(!tone->isVisible());
        QVERIFY(widget("detailEditor.toneInactive")->isVisible());
        QCOMPARE(tile("detailEditor.chip.tone"), QStringLiteral("Nicht aktiv"));
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

        m_window->setDraft(MemoryDraft(QStringLiteral("005"), RadioModel::ft710));
        QVERIFY(!widget("detailEditor.ft991a")->isVisible());
        QVERIFY(widget("detailEditor.ft710")->isVisible());
        QVERIFY(!widget("detailEditor.chips")->isVisible());
        type("detailEditor.shiftAmount", "600");
        QCOMPARE(m_window->draft()->shiftRaw, QStringLiteral("+000600"));
        pick("detailEditor.shiftDirection", "-");
        QCOMPARE(m_window->draft()->shiftRaw, QStringLiteral("-000600"));
    }

    void unmatchedModeShowsNoEntryAndIsKept() {
        RadioMemory memory = ctcssChannel(1, RadioModel::ft710);
        memory.modeCode = QStringLiteral("E");
        open(RadioModel::ft710, {memory});
        QCOMPARE(widget<QComboBox>("detailEditor.mode")->currentIndex(), -1);
        type("detailEditor.tag", "X");
        QCOMPARE(m_window->draft()->modeCode, QStringLiteral("E"));
        pick("detailEditor.mode", "2");
        QCOMPARE(m_window->draft()->modeCode, QStringLiteral("2"));
    }

    void untouchedDraftFollowsReplacedTable() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        RadioMemory read = ctcssChannel(1);
        read.tag = QStringLiteral("VOM GERÄT");
        m_app->applyImportedBackup(MemoryBackup{RadioModel::ft991a, {read}, QDateTime::currentDateTimeUtc()});
        QCOMPARE(*m_window->draft(), MemoryDraft(read));
        QCOMPARE(widget<QLineEdit>("detailEditor.tag")->text(), QStringLiteral("VOM GERÄT"));
        // A model switch keeps the selection on "001" and rebuilds the table with empty rows.
        m_app->setSelectedRadioModel(RadioModel::ft710);
        QCOMPARE(*m_window->draft(), MemoryDraft(QStringLiteral("001"), RadioModel::ft710));
    }

    void editedDraftSurvivesReplacedTable() {
        open(RadioModel::ft991a, {ctcssChannel(1)});
        type("detailEditor.tag", "MEINS");
        const MemoryDraft edited = *m_window->draft();
        RadioMemory read = ctcssChannel(1);
        read.tag = QStringLiteral("VOM GERÄT");
        m_app->replaceMemory(read);
        QCOMPARE(*m_window->draft(), edited);
        QCOMPARE(tile("detailEditor.badge.changes"), QStringLiteral("Offen"));
    }

private:
    void open(RadioModel model, const QList<RadioMemory> &rows,
              const QString &selected = QStringLiteral("001"));
    template <typename T = QWidget> T *widget(const QString &name) const {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            qFatal("no widget named %s", qPrintable(name));
        return found;
    }
    void type(const QString &field, const QString &text) const;
    void pick(const QString &combo, const QString &tag) const;
    QString tile(const QString &name) const { return widget<InfoTile>(name)->value(); }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<FakeRadio> m_radio;
    std::unique_ptr<AppModel> m_app;
    std::unique_ptr<ContentView> m_window;
};

void tst_DetailEditor::open(RadioModel model, const QList<RadioMemory> &rows, const QString &selected) {
    m_app->applyImportedBackup(MemoryBackup{model, rows, QDateTime::currentDateTimeUtc()});
    m_app->setSelectedMemoryID(selected);
    m_window = std::make_unique<ContentView>(m_app.get());
    m_window->setEditorMode(EditorMode::detail);
    m_window->resize(1500, 950);
    m_window->show();
}

void tst_DetailEditor::type(const QString &field, const QString &text) const {
    auto *edit = widget<QLineEdit>(field);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

void tst_DetailEditor::pick(const QString &combo, const QString &tag) const {
    auto *box = widget<QComboBox>(combo);
    const int index = box->findData(tag);
    QVERIFY2(index >= 0, qPrintable(tag));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QTEST_MAIN(tst_DetailEditor)
#include "tst_detaileditor.moc"
