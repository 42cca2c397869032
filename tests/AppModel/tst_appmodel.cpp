#include "AppModel/AppModel.h"
#include "AppModel/AppPreferences.h"
#include "AppModel/JSONBackupDocument.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "MemoryRecord.h"
#include "RadioLink/CutCommandRecord.h"
#include "RadioLink/LinkTiming.h"
#include "RadioLink/SerialPort.h"
#include "TestRows.h"
#include "TestSettings.h"
#include "TestWaits.h"
#include "WriteFault.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString channelPayload = u"145500000+000000410000"_s;

// An application model connected to a fake radio, its log lines stamped "[12:00:00] ".
struct ConnectedModel {
    explicit ConnectedModel(RadioModel model)
        : radio(model)
        , app({.deviceFolder = devices.path(), .clock = [] { return QTime(12, 0, 0); }}) {
        app.setSelectedRadioModel(model);
        app.setSelectedPort(radio.devicePath());
        app.connect();
    }

    const DeviceSettingState &state(const QString &title) const {
        return *std::find_if(
            app.settingsStates().cbegin(), app.settingsStates().cend(),
            [&](const DeviceSettingState &state) { return state.definition().title == title; });
    }
    // Changes these items: BEEP LEVEL to " 7 " (sent normalised), the others to a value the radio takes.
    void change(const QStringList &titles) {
        for (const QString &title : titles)
            app.setSettingValue(state(title).id(), title == u"BEEP LEVEL"
                                                       ? u" 7 "_s
                                                       : FakeRadio::answerFor(state(title).definition()));
    }

    // The messages that are not the CAT connection's own lines, without time stamps, oldest first.
    QStringList messages() const {
        static const QRegularExpression catLine(u"^(TX|RX|IGNORED RX|SET OK) "_s);
        QStringList lines;
        for (const QString &line : app.logLines()) {
            if (!catLine.match(line.mid(11)).hasMatch())
                lines.prepend(line.mid(11));
        }
        return lines;
    }
    QString newestMessage() const { return messages().value(messages().size() - 1); }
    // The command of the newest "TX " line.
    QString lastCommandSent() const {
        const auto sent = std::find_if(app.logLines().cbegin(), app.logLines().cend(),
                                       [](const QString &line) { return line.mid(11).startsWith(u"TX "); });
        return sent == app.logLines().cend() ? QString() : sent->mid(14);
    }
    // The loss's line and alert.
    QString lossMessage() const {
        return L::text(
                   u"Verbindung zu %1 verloren – das Gerät wurde getrennt oder ist nicht mehr erreichbar."_s,
                   u"Connection to %1 lost – the device was disconnected or is no longer available."_s)
            .arg(radio.devicePath());
    }
    bool logged(const QString &message) const { return messages().contains(message); }

    QTemporaryDir devices;
    FakeRadio radio;
    AppModel app;
};

// The channel the write tests send: slot 004 of an FT-710.
RadioMemory channel4(const QJsonObject &fields = {}) {
    return withFields(memoryRecord(RadioModel::ft710, {{"slot", "004"},
                                                       {"flagsRaw", "00000"},
                                                       {"toneNumberKindRaw", ""},
                                                       {"toneNumberCode", "000"},
                                                       {"tag", "REPEATER"}}),
                      fields);
}

// The same channel as the model holds it; on the FT-991A with CTCSS tone 008.
RadioMemory channel4(RadioModel model) {
    return model == RadioModel::ft710 ? channel4()
                                      : channel4({{"radioModel", "FT-991A"},
                                                  {"flagsRaw", "01000"},
                                                  {"toneNumberKindRaw", "0"},
                                                  {"toneNumberCode", "008"}});
}

} // namespace

// The application model without a radio, then against the fake radio (German, waits a tenth).
class AppModelTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        m_devices = std::make_unique<QTemporaryDir>();
        TestSettings::setLanguage(u"de"_s);
        m_clipboard.clear();
        m_now = QTime(12, 0, 0);
        LinkTiming::setWaits({});
        LinkTiming::setScale(0.1);
    }
    void cleanup() {
        LinkTiming::setScale(1.0);
        WriteFault::clear();
    }

    // An unreadable record is ignored whole and left in the store. FT-991A settings stored | read.
    void startUp_data() {
        addRows({R"({"selectedPort":"","baudRate":57600}|yes)",
                 R"({"selectedPort":"","baudRate":57600.0}|yes)",
                 R"({"selectedPort":"","baudRate":"57600"}|no)", R"({"selectedPort":""}|no)",
                 R"({"selectedPort":"","baudRate":96.5}|no)", R"({"selectedPort":null,"baudRate":57600}|no)",
                 "57600|no", "-|no"});
    }
    void startUp() {
        QFETCH(QStringList, row);
        const auto [settings, readable] = fields<2>(row);
        const RadioModel model = readable == u"yes" ? RadioModel::ft991a : RadioModel::ft710;
        const QString stored =
            R"({"selectedRadioModel":"FT-991A","savedSettingsByModel":{"FT-991A":)" + settings + u"}}"_s;
        if (settings != u"-")
            UserDefaults::setValue(u"Korvel.AppPreferences.v1"_s, stored); // the key of stored records
        AppModel app(options());
        QCOMPARE(app.selectedRadioModel(), model);
        QCOMPARE(app.baudRate(), model == RadioModel::ft991a ? 57600 : 38400);
        QCOMPARE(app.selectedPort() + app.availablePorts().join(u' '), QString());
        QCOMPARE(app.memories().size(), memoryRange(model).count());
        QCOMPARE(app.memories().last(),
                 RadioMemory::empty(RadioMemory::slotText(memoryRange(model).upperBound), model));
        QCOMPARE(app.selectedMemoryID(), std::optional(u"001"_s));
        QCOMPARE(app.settingsStates().last().definition(), app.currentSettingDefinitions().last());
        QVERIFY(!app.hasDirtySettings() && !app.isConnected() && !app.isBusy() && !app.alertMessage());
        QVERIFY(app.settingsPhase() == SettingsOperationPhase::idle && app.settingsProgress() == 0.0);
        QVERIFY(app.settingsStatusText().isEmpty() && app.logLines().isEmpty());
        QCOMPARE(UserDefaults::value(AppModel::preferencesKey()).isValid(), settings != u"-");
    }

    // A stored rate the line cannot run at becomes the rate the line would run at, 38400; the model's
    // port, the selected model and the other model's settings stay, and the store is rewritten only
    // at the next save. The FT-991A's stored rate.
    void oddStoredBaudRateIsSetAsideAlone_data() { addRows({"1200", "0", "-1", "12345", "1e12"}); }
    void oddStoredBaudRateIsSetAsideAlone() {
        QFETCH(QStringList, row);
        const auto [rate] = fields<1>(row);
        makeDevice(u"ttyUSB0"_s);
        makeDevice(u"ttyUSB1"_s);
        const QString stored = uR"({"selectedRadioModel":"FT-991A","savedSettingsByModel":{)"
                               uR"("FT-991A":{"selectedPort":"%1","baudRate":%2},)"
                               uR"("FT-710":{"selectedPort":"%3","baudRate":9600}}})"_s.arg(
                                   path(u"ttyUSB1"_s), rate, path(u"ttyUSB0"_s));
        UserDefaults::setValue(AppModel::preferencesKey(), stored);
        AppModel app(options());
        QCOMPARE(app.selectedRadioModel(), RadioModel::ft991a);
        QCOMPARE(app.baudRate(), 38400);
        QCOMPARE(app.selectedPort(), path(u"ttyUSB1"_s));
        QCOMPARE(UserDefaults::text(AppModel::preferencesKey()), std::optional(stored));
        app.setSelectedRadioModel(RadioModel::ft710);
        QCOMPARE(app.baudRate(), 9600);
        QCOMPARE(app.selectedPort(), path(u"ttyUSB0"_s));
        QCOMPARE(storedSettings("FT-991A"), (DeviceSettings{path(u"ttyUSB1"_s), 38400}));
    }

    // A radio port's names, sorted; the saved one if listed. Devices | saved | listed | chosen.
    void serialDevicesAndTheChosenPort_data() {
#ifdef Q_OS_MACOS
        addRows({"cu.usb-B,tty.usb-B,cu.usb-A||cu.usb-A,cu.usb-B|cu.usb-A"});
#else
        addRows({"ttyUSB1,ttyS0,ttyACM0,ttyUSB0,cu.usbserial-A,ttyUS0||ttyACM0,ttyUSB0,ttyUSB1|ttyACM0",
                 "ttyAC0,ttyACM0,ttyUSB1|ttyUSB1|ttyACM0,ttyUSB1|ttyUSB1",
                 "ttyACM0,ttyUSB1|ttyUSB7|ttyACM0,ttyUSB1|ttyACM0", "|ttyUSB1||"});
#endif
    }
    void serialDevicesAndTheChosenPort() {
        QFETCH(QStringList, row);
        const auto [names, saved, listed, chosen] = fields<4>(row);
        for (const QString &name : names.split(u',', Qt::SkipEmptyParts))
            makeDevice(name);
        UserDefaults::setValue(
            AppModel::preferencesKey(),
            AppPreferences{RadioModel::ft710, {{u"FT-710"_s, {path(saved), 9600}}}}.encode());
        AppModel::Options folder = options();
        if (names.isEmpty())
            folder.deviceFolder = path(u"absent"_s);
        AppModel app(folder);
        QStringList paths;
        for (const QString &name : listed.split(u',', Qt::SkipEmptyParts))
            paths << path(name);
        QCOMPARE(app.availablePorts(), paths);
        QCOMPARE(app.selectedPort(), path(chosen));
        QCOMPARE(app.baudRate(), 9600);
        QCOMPARE(storedSettings("FT-710").selectedPort, path(saved)); // not rewritten
    }

    // A refresh keeps a listed port and falls back to the saved one; only a choice is stored.
    void preferencesAreWrittenWhenAPortOrRateIsChosenNotOnRefresh() {
        makeDevice(u"ttyUSB0"_s);
        makeDevice(u"ttyUSB1"_s);
        AppModel app(options());
        app.refreshPorts();
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
        app.setBaudRate(57600);
        QCOMPARE(storedSettings("FT-710"), (DeviceSettings{path(u"ttyUSB0"_s), 57600}));
        app.setSelectedPort(path(u"ttyUSB1"_s));
        QFile::remove(path(u"ttyUSB0"_s));
        app.refreshPorts();
        QCOMPARE(app.selectedPort(), path(u"ttyUSB1"_s));
        QFile::remove(path(u"ttyUSB1"_s));
        app.refreshPorts();
        QCOMPARE(app.selectedPort(), QString());
        makeDevice(u"ttyUSB1"_s);
        app.refreshPorts();
        QCOMPARE(app.selectedPort(), path(u"ttyUSB1"_s));
        app.setSelectedPort(u"/nowhere/ttyUSB9"_s); // not listed, stored anyway
        QCOMPARE(storedSettings("FT-710").selectedPort, u"/nowhere/ttyUSB9"_s);
    }

    // A record the store cannot write down is logged with the file it could not write, in the language
    // of the moment; the settings stay in memory and nothing is shown.
    void unsavedPreferencesAreLogged_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("line");
        QTest::addRow("de") << u"de"_s
                            << u"Einstellungen konnten nicht gespeichert werden: Die Datei %1 konnte nicht "
                               "geschrieben werden"_s;
        QTest::addRow("en") << u"en"_s << u"Settings could not be saved: The file %1 could not be written"_s;
    }
    void unsavedPreferencesAreLogged() {
        QFETCH(QString, language);
        QFETCH(QString, line);
        AppModel app(options());
        QTemporaryDir folder;
        QFile notAFolder(folder.filePath(u"settings"_s));
        QVERIFY(notAFolder.open(QIODevice::WriteOnly));
        UserDefaults::setLocation(notAFolder.fileName() + u"/below"_s); // fails for root too
        TestSettings::setLanguage(language);
        app.setBaudRate(57600);
        const QString file = notAFolder.fileName() + u"/below/Korvel/Korvel.conf"_s;
        QCOMPARE(app.logLines(), QStringList{u"[12:00:00] "_s + line.arg(file)});
        QVERIFY(!app.alertMessage());
        app.setSelectedRadioModel(RadioModel::ft991a);
        app.setSelectedRadioModel(RadioModel::ft710);
        QCOMPARE(app.baudRate(), 57600);
    }

    // Newest first, stamped with the time; each line in the language of its moment.
    void logLines() {
        m_now = QTime(9, 5, 7);
        AppModel app(options());
        app.appendLog(u"first\nline"_s);
        TestSettings::setLanguage(u"en"_s);
        app.copyLogToPasteboard();
        TestSettings::setLanguage(u"de"_s);
        app.copyLogToPasteboard();
        QCOMPARE(m_clipboard.last(), u"[09:05:07] Log copied to clipboard\n[09:05:07] first\nline"_s);
        QCOMPARE(app.logLines().first(), u"[09:05:07] Log in die Zwischenablage kopiert"_s);
        app.clearLog();
        TestSettings::setLanguage(u"en"_s);
        app.clearLog();
        QCOMPARE(app.logLines(), QStringList{u"[09:05:07] Log cleared"_s});
    }

    // A row is replaced in place; a new slot is added and the table sorted.
    void memoryTableRowsAndSelection() {
        AppModel app(options());
        QSignalSpy rowChanges(&app, &AppModel::memoryChanged);
        QSignalSpy tableChanges(&app, &AppModel::memoriesChanged);
        const RadioMemory fifth = memoryRecord(RadioModel::ft710, {{"slot", "005"}});
        app.replaceMemory(fifth);
        app.setMemoryAt(99, fifth);
        app.setMemoryAt(-1, fifth);
        QCOMPARE(rowChanges.count() + tableChanges.count(), 1);
        QCOMPARE(rowChanges.first().first().toInt(), 4);
        QCOMPARE(app.memories().at(4), fifth);
        app.replaceMemory(memoryRecord(RadioModel::ft710, {{"slot", "100"}}));
        app.replaceMemory(memoryRecord(RadioModel::ft710, {{"slot", "000"}}));
        QCOMPARE(app.memories().first().slot + app.memories().last().slot, u"000100"_s);
        QCOMPARE(tableChanges.count(), 2);
        app.setSelectedMemoryID(u"005"_s);
        QCOMPARE(app.selectedMemory(), std::optional(fifth));
        app.setSelectedMemoryID(u"500"_s);
        QVERIFY(!app.selectedMemory());
    }

    void radioOperationsNeedALink() {
        AppModel app(options());
        app.setSettingValue(app.settingsStates().first().id(), u"1"_s); // not-connected comes first
        QSignalSpy busy(&app, &AppModel::isBusyChanged);
        const auto refused = [&](const std::function<void()> &operation) {
            app.setAlertMessage(std::nullopt);
            operation();
            return app.alertMessage() == std::optional(u"Keine aktive CAT-Verbindung."_s);
        };
        QVERIFY(refused([&] { app.readAll(); }) && refused([&] { app.readSelected(); }));
        QVERIFY(refused([&] { app.writeSelected(app.memories().first()); }));
        QVERIFY(refused([&] { app.readSettings(); }) && refused([&] { app.writeSettings(); }));
        app.setSelectedMemoryID(std::nullopt);
        QVERIFY(refused([&] { app.readSelected(); }));
        QVERIFY(!app.alertIfUnsendable(memoryRecord(RadioModel::ft710, {{"tag", "Zürich"}})));
        QVERIFY(busy.count() == 0 && app.logLines().isEmpty());
    }

    // A device that cannot be opened, or that another program holds, is named with the reason.
    void connectToAnUnopenablePathFailsButStoresTheChoice_data() {
        QTest::addColumn<bool>("inUse");
        QTest::addRow("missing") << false;
        QTest::addRow("in use") << true;
    }
    void connectToAnUnopenablePathFailsButStoresTheChoice() {
        QFETCH(bool, inUse);
        TestSettings::setLanguage(u"en"_s);
        FakeRadio radio(RadioModel::ft710);
        SerialPort otherProgram(radio.devicePath());
        if (inUse)
            otherProgram.openPort(38400);
        const QString port = inUse ? radio.devicePath() : path(u"ttyUSB-missing"_s);
        const QString reason =
            inUse ? "Port " + port + " is in use by another program." : "Could not open port: " + port;
        AppModel app(options());
        app.setSelectedPort(port);
        UserDefaults::remove(AppModel::preferencesKey());
        app.connect();
        QVERIFY(!app.isConnected());
        QCOMPARE(app.alertMessage(), std::optional(reason));
        QCOMPARE(app.logLines(), QStringList{"[12:00:00] Connection failed: " + reason});
        QCOMPARE(storedSettings("FT-710"), (DeviceSettings{port, 38400}));
    }

    // The other model's table and states, its own port and rate; the choice is stored.
    void switchingTheModelRebuildsAndRestoresSettings() {
        makeDevice(u"ttyUSB0"_s);
        makeDevice(u"ttyUSB1"_s);
        AppModel app(options());
        app.setSelectedPort(path(u"ttyUSB1"_s));
        app.setBaudRate(9600);
        app.setSettingValue(app.settingsStates().first().id(), u"1"_s);
        UserDefaults::remove(AppModel::preferencesKey());
        app.setSelectedRadioModel(RadioModel::ft710); // the selected one: nothing happens
        QVERIFY(app.logLines().isEmpty() && !UserDefaults::value(AppModel::preferencesKey()).isValid());
        app.setSelectedRadioModel(RadioModel::ft991a);
        QCOMPARE(app.memories().size(), memoryRange(RadioModel::ft991a).count());
        QCOMPARE(app.settingsStates().size(), DeviceSettingDefinition::ft991aDefinitions().size());
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.baudRate(), 38400);
        QCOMPARE(app.selectedPort(), path(u"ttyUSB1"_s));
        QCOMPARE(app.logLines(), QStringList{u"[12:00:00] Funkmodell gewechselt zu FT-991A"_s});
        QCOMPARE(storedSettings("FT-991A"), (DeviceSettings{path(u"ttyUSB1"_s), 38400}));
        app.setSelectedPort(path(u"ttyUSB0"_s));
        TestSettings::setLanguage(u"en"_s);
        app.setSelectedRadioModel(RadioModel::ft710);
        QCOMPARE(app.logLines().first(), u"[12:00:00] Radio model switched to FT-710"_s);
        QCOMPARE(app.baudRate(), 9600);
        QCOMPARE(app.selectedPort(), path(u"ttyUSB1"_s));
        QCOMPARE(storedPreferences().selectedRadioModel, RadioModel::ft710);
    }

    void settingValuesAreEditedAndRestored() {
        AppModel app(options());
        QSignalSpy changes(&app, &AppModel::settingsStatesChanged);
        app.setSettingValue(u"no.such.item"_s, u"1"_s);
        QCOMPARE(changes.count(), 0);
        app.setSettingValue(app.settingsStates().at(1).id(), u" 5 "_s);
        QCOMPARE(app.settingsStates().at(1).value, u" 5 "_s);
        QVERIFY(app.hasDirtySettings());
        app.restoreSettingsToOriginal();
        QVERIFY(!app.hasDirtySettings() && app.settingsStates().at(1).value.isEmpty());
        QCOMPARE(changes.count(), 1 + app.settingsStates().size());
    }

    // The file dialogs' filter, "Text (patterns)" as Qt reads one, selects backup files.
    void backupFilterSelectsJsonFiles() {
        const QString filter = JSONBackupDocument::nameFilter();
        QVERIFY(filter.endsWith(u')'));
        QVERIFY(QRegularExpression::fromWildcard(filter.section(u'(', 1).chopped(1))
                    .match(u"a b.json")
                    .hasMatch());
    }

    // A backup with a channel the model cannot hold changes nothing. Slots | their model | the fault.
    // "002 tag": a tag longer than any radio field; a slot shows cut in the alert.
    void faultyBackupIsRefusedWhole_data() {
        addRows({"001,abc|FT-991A|2 (Speicherplatz „abc“) ist kein Speicherplatz des FT-991A",
                 "001,002 tag|FT-991A|2 (Speicherplatz „002“) hat im Feld „Tag“ mehr als 64 Zeichen",
                 "118|FT-991A|1 (Speicherplatz „118“) ist kein Speicherplatz des FT-991A",
                 "000|FT-991A|1 (Speicherplatz „000“) ist kein Speicherplatz des FT-991A",
                 "003;EX026099|FT-991A|1 (Speicherplatz „003;EX026099“) ist kein Speicherplatz des FT-991A",
                 "001,002,001|FT-991A|3 (Speicherplatz „001“) kommt doppelt vor",
                 "005|FT-710|1 (Speicherplatz „005“) gehört zum FT-710, nicht zum FT-991A"});
        const QString longSlot(65, u'9');
        QTest::addRow("long slot") << QStringList{longSlot, u"FT-991A"_s,
                                                  "1 (Speicherplatz „" + longSlot.chopped(1) +
                                                      "…“) ist kein Speicherplatz des FT-991A"};
    }
    void faultyBackupIsRefusedWhole() {
        QFETCH(QStringList, row);
        const auto [slotTexts, model, fault] = fields<3>(row);
        AppModel app(options());
        const QList<RadioMemory> before = app.memories();
        QList<RadioMemory> channels;
        for (const QString &slot : slotTexts.split(u',')) {
            channels.append(RadioMemory::empty(slot.section(u' ', 0, 0), *radioModelFromRawValue(model)));
            if (slot.endsWith(u" tag"))
                channels.last().tag = QString(RadioMemory::maximumFieldLength + 1, u'x');
        }
        const MemoryBackup backup{RadioModel::ft991a, channels, QDateTime::currentDateTimeUtc()};
        app.applyImportedBackup(backup);
        QCOMPARE(app.alertMessage(), std::optional(u"Backup nicht importiert: Eintrag "_s + fault + u'.'));
        QCOMPARE(app.selectedRadioModel(), RadioModel::ft710);
        QVERIFY(app.memories() == before && app.logLines().isEmpty());
        if (model == u"FT-710") {
            TestSettings::setLanguage(u"en"_s);
            app.applyImportedBackup(backup);
            QCOMPARE(
                app.alertMessage(),
                std::optional(
                    uR"(Backup not imported: entry 1 (slot "005") belongs to the FT-710, not the FT-991A.)"_s));
        }
    }

    // --- against the fake radio
    // A read cancelled in the turn it started sends nothing; connecting again ends the link and the
    // running read where it is; the table stays as it was. Without a port only the alert.
    void reconnectCancelsTheRunningRead_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>(
            "texts"); // framing, switch line, cancelled line, no-port alert, empty 001
        QTest::addRow("FT-710") << RadioModel::ft710 << u"de"_s
                                << QStringList{
                                       "[FT-710] [8N1]", "", "Alles lesen abgebrochen für FT-710",
                                       "Bitte zuerst einen seriellen Port auswählen.",
                                       "Speicher 001 scheint leer zu sein oder ist auf FT-710 nicht lesbar"};
        QTest::addRow("FT-991A, English")
            << RadioModel::ft991a << u"en"_s
            << QStringList{"[FT-991A] [8N2 / HW-Handshake]", "Radio model switched to FT-991A",
                           "Read all cancelled for FT-991A", "Please select a serial port first.",
                           "Memory 001 appears empty or is not readable on FT-991A"};
    }
    void reconnectCancelsTheRunningRead() {
        QFETCH(RadioModel, model);
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        TestSettings::setLanguage(language);
        ConnectedModel connected(model);
        const QString opened = "Opened " + connected.radio.devicePath() + " @ 38400 " + texts[0];
        QCOMPARE(connected.messages(), (QStringList{texts[1], opened}.mid(texts[1].isEmpty() ? 1 : 0)));
        const QList<RadioMemory> before = connected.app.memories();
        QSignalSpy tables(&connected.app, &AppModel::memoriesChanged);
        connected.app.readAll();
        connected.app.disconnect();
        QTRY_COMPARE(connected.newestMessage(), texts[2]);
        QVERIFY(connected.radio.received().isEmpty());
        connected.app.connect();
        // The read waits on channel 005 until the reconnect, however busy the machine.
        TestWaits::use();
        LinkTiming::setScale(1.0);
        connected.radio.setChannel(5, {u"145500000+000000400000"_s});
        connected.radio.silenceNext(u"MR005"_s);
        connected.app.readAll();
        QTRY_VERIFY(connected.radio.received().contains(u"MR005;"_s));
        connected.app.connect();
        QVERIFY(!connected.app.isBusy() && connected.app.isConnected());
        QCOMPARE(connected.messages().mid(connected.messages().size() - 2),
                 QStringList({"Disconnected", opened}));
        QTRY_COMPARE(connected.newestMessage(), texts[2]);
        QVERIFY(connected.app.memories() == before && tables.count() == 0 && connected.logged(texts[4]));
        const int lines = connected.app.logLines().size();
        connected.app.setSelectedPort(QString());
        UserDefaults::remove(AppModel::preferencesKey());
        connected.app.connect();
        QVERIFY(connected.app.isConnected() && !UserDefaults::value(AppModel::preferencesKey()).isValid());
        QCOMPARE(connected.app.logLines().size(), lines);
        QCOMPARE(connected.app.alertMessage(), std::optional(texts[3]));
    }

    // Channels 2, 9 and 50 hold data, 7 times out. The table keeps its rows (an imported one too) and
    // is published once, sorted; a selection stays, even one no row has.
    void readAllPublishesTheTableOnce_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<int>("importedRows"); // 0: the model's empty table
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("selectedAfter");
        QTest::addRow("FT-991A, absent row selected") << RadioModel::ft991a << 0 << u"500"_s << u"500"_s;
        QTest::addRow("FT-710, imported rows, nothing selected")
            << RadioModel::ft710 << 10 << QString() << u"002"_s;
    }
    void readAllPublishesTheTableOnce() {
        QFETCH(RadioModel, model);
        QFETCH(int, importedRows);
        QFETCH(QString, selected);
        QFETCH(QString, selectedAfter);
        ConnectedModel connected(model);
        if (importedRows > 0) {
            QList<RadioMemory> imported;
            for (int channel = importedRows; channel >= 1; --channel)
                imported.append(RadioMemory::empty(RadioMemory::slotText(channel), model));
            connected.app.applyImportedBackup(MemoryBackup{model, imported, QDateTime::currentDateTimeUtc()});
            connected.app.setMemoryAt(0, RadioMemory::empty(u"050"_s, model));
        }
        connected.app.setSelectedMemoryID(selected.isEmpty() ? std::nullopt : std::optional(selected));
        for (int channel : {2, 7, 9, 50})
            connected.radio.setChannel(channel, {channelPayload, u"CH%1"_s.arg(channel)});
        connected.radio.silenceNext(u"MR007"_s);
        QSignalSpy tables(&connected.app, &AppModel::memoriesChanged);
        connected.app.readAll();
        QVERIFY(connected.app.isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);

        QCOMPARE(tables.count(), 1);
        const QList<RadioMemory> &memories = connected.app.memories();
        QCOMPARE(memories.size(), importedRows > 0 ? importedRows : memoryRange(model).count());
        QStringList read;
        for (const RadioMemory &memory : memories)
            read << memory.slot + u' ' + memory.tag;
        for (const char *row : {"002 CH2", "007 ", "009 CH9", "050 CH50"})
            QVERIFY2(read.contains(QLatin1String(row)), row); // the failed channel keeps its row
        QVERIFY(std::is_sorted(read.begin(), read.end()));
        QCOMPARE(connected.app.selectedMemoryID(), std::optional(selectedAfter));
        const QString name = rawValue(model);
        const QString empty = u"Speicher %1 scheint leer zu sein oder ist auf "_s + name + u" nicht lesbar"_s;
        const QStringList messages = connected.messages();
        QCOMPARE(messages.mid(messages.indexOf(empty.arg("006")), 3),
                 QStringList({empty.arg("006"),
                              "Lesen fehlgeschlagen für 007: Zeitüberschreitung bei CAT-Befehl: MR007;",
                              empty.arg("008")}));
        QVERIFY(!messages.contains(empty.arg("009")));
        QCOMPARE(connected.newestMessage(), u"Fertig mit dem Lesen aller Speicher für "_s + name);
        const QString command = model == RadioModel::ft991a ? u"MC"_s : u"MR"_s;
        QCOMPARE(connected.radio.received().first(), command + u"001;"_s);
        QVERIFY(connected.radio.received().contains(
            command + RadioMemory::slotText(memoryRange(model).upperBound) + u';'));
    }

    // Nothing is sent on connect; a slot that is no channel of the model is never read as another.
    void readSelectedParsesTheSlotStrictly_data() {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("failure");
        const QString noSlot = u"kein gültiger Speicherplatz"_s;
        QTest::addRow("three digits") << u"017"_s << QString();
        QTest::addRow("three digits, no answer")
            << u"017"_s << u"Zeitüberschreitung bei CAT-Befehl: MR017;"_s;
        for (const QString &slot : {u" 7"_s, u"7a"_s, u"100"_s, u"\u0667"_s})
            QTest::addRow("%s", qPrintable(slot)) << slot << noSlot;
    }
    void readSelectedParsesTheSlotStrictly() {
        QFETCH(QString, slot);
        QFETCH(QString, failure);
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(17, {channelPayload, u"SEVENTEEN"_s});
        if (failure.startsWith(u"Zeit"))
            connected.radio.silenceNext(u"MR"_s);
        connected.app.replaceMemory(RadioMemory::empty(slot, RadioModel::ft710));
        connected.app.setSelectedMemoryID(slot);
        connected.app.readSelected();
        QTRY_VERIFY(!connected.app.isBusy());
        QVERIFY(!connected.app.alertMessage());
        QCOMPARE(connected.radio.received().isEmpty(), slot != u"017");
        if (!failure.isEmpty())
            QCOMPARE(connected.newestMessage(), "Lesen fehlgeschlagen für " + slot + ": " + failure);
        else
            QCOMPARE(connected.app.selectedMemory()->tag, u"SEVENTEEN"_s);
    }

    // The written channel is stored, then the one read back; a failed write is alerted, not read back,
    // and so is a channel the radio holds otherwise than written. The radio holds 3.573 MHz on 004.
    void writeSelectedVerifiesTheReadBack_data() {
        QTest::addColumn<RadioMemory>("written");
        QTest::addColumn<QString>("fault"); // "silence" or "reject" the next command with this prefix
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<RadioMemory>("stored");
        QTest::addColumn<QString>("alert");
        QTest::addColumn<QString>("language");
        const RadioMemory written = channel4();
        const RadioMemory noFrequency = channel4({{"frequency", ""}});
        const RadioMemory empty = RadioMemory::empty(u"004"_s, RadioModel::ft710);
        const QString sent = u"Schreiben für Speicher 004 über FT-710 via MW+MT gesendet"_s;
        const QString invalid =
            u"Ungültiger Speicherinhalt: Leerer Speicher kann nicht ohne Frequenz geschrieben werden."_s;
        const QString notAsWritten =
            u"Speicher 004 ist nicht wie geschrieben gespeichert – die Tabelle zeigt, was das Funkgerät hält:\n"_s;
        QTest::addRow("verified") << written << QString()
                                  << QStringList{sent, "Verifikation OK für Speicher 004"} << written
                                  << QString() << u"de"_s;
        QTest::addRow("mismatch") // the flags are written padded; the tag read back fails
            << channel4({{"flagsRaw", "1000"}}) << u"reject MT004;"_s
            << QStringList{sent, "Verifikationsabweichung für Speicher 004: Flags Raw: erwartet 1000, "
                                 "gelesen 01000 | "
                                 "Tag: erwartet REPEATER, gelesen "}
            << channel4({{"flagsRaw", "01000"}, {"tag", ""}})
            << notAsWritten + "Flags Raw: erwartet 1000, gelesen 01000\nTag: erwartet REPEATER, gelesen "
            << u"de"_s;
        QTest::addRow("memory write dropped")
            << channel4({{"frequency", "3565000"}}) << u"silence MW004"_s
            << QStringList{sent, "Verifikationsabweichung für Speicher 004: Frequenz: erwartet 3565000, "
                                 "gelesen 3573000"}
            << channel4({{"frequency", "003573000"}})
            << notAsWritten + "Frequenz: erwartet 3565000, gelesen 3573000" << u"de"_s;
        QTest::addRow("read-back fails") << written << u"silence MR004"_s
                                         << QStringList{sent, "Verifikationslesen fehlgeschlagen für 004: "
                                                              "Zeitüberschreitung bei CAT-Befehl: MR004;"}
                                         << written << QString() << u"de"_s;
        QTest::addRow("write fails") << noFrequency << QString()
                                     << QStringList{"Schreiben fehlgeschlagen für 004: " + invalid} << empty
                                     << invalid << u"de"_s;
        QTest::addRow("no channel of the model")
            << channel4({{"slot", "100"}}) << QString()
            << QStringList{"Schreiben fehlgeschlagen für 100: kein gültiger Speicherplatz"} << empty
            << u"kein gültiger Speicherplatz"_s << u"de"_s;
        QTest::addRow("English: verified")
            << written << QString()
            << QStringList{"Write sent for memory 004 via FT-710 MW+MT", "Verify OK for memory 004"}
            << written << QString() << u"en"_s;
        QTest::addRow("English: memory write dropped")
            << channel4({{"frequency", "3565000"}}) << u"silence MW004"_s
            << QStringList{"Write sent for memory 004 via FT-710 MW+MT",
                           "Verify mismatch for memory 004: Frequency: expected 3565000, read 3573000"}
            << channel4({{"frequency", "003573000"}})
            << u"Memory 004 is not stored as written – the table shows what the radio holds:\n"
               u"Frequency: expected 3565000, read 3573000"_s
            << u"en"_s;
    }
    void writeSelectedVerifiesTheReadBack() {
        QFETCH(RadioMemory, written);
        QFETCH(QString, fault);
        QFETCH(QStringList, lines);
        QFETCH(RadioMemory, stored);
        QFETCH(QString, alert);
        QFETCH(QString, language);
        TestSettings::setLanguage(language);
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(4, {u"003573000-000600400000"_s, u"OLD"_s});
        if (fault.startsWith(u"silence "))
            connected.radio.silenceNext(fault.section(u' ', 1));
        if (fault.startsWith(u"reject "))
            connected.radio.rejectNext(fault.section(u' ', 1));
        const int before = connected.messages().size();
        connected.app.writeSelected(written);
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.messages().mid(before), lines);
        QCOMPARE(connected.app.memories().at(3), stored);
        QCOMPARE(connected.app.alertMessage(), alert.isEmpty() ? std::nullopt : std::optional(alert));
        const bool failed = lines.first().startsWith(u"Schreiben fehlgeschlagen"_s);
        QCOMPARE(connected.radio.received().contains(u"MR004;"_s), !failed);
        QCOMPARE(connected.radio.received().filter(u"MW"_s).isEmpty(), failed);
    }

    // A write cut short by the device going away, by the user's disconnect or by the write deadline
    // of a command stalled before its ";" (or refused whole) ends there: nothing is sent after it
    // and no success claimed; its failure line follows the loss's or the disconnect's line and says
    // what the radio holds, may hold (a command of which anything went out) and lacks, or that the
    // channel is not written when none of it went out. The loss and the deadline alert with the error.
    // Model | cut by | command cut | language | failure line ("%1": the command cut).
    void writeCutShortSaysWhatTheRadioMayHold_data() {
        addRows(
            {"FT-710|hang-up|MW|de|Schreiben fehlgeschlagen für 004: Verbindung verloren bei CAT-Befehl: %1 "
             "– "
             "Speicher 004 ist möglicherweise zum Teil "
             "geschrieben. Möglicherweise geschrieben: Frequenz, Mode, Shift Raw, Flags Raw. Nicht "
             "geschrieben: Tag. Bitte den Speicher erneut schreiben.",
             "FT-710|hang-up|MT|en|Write failed for 004: Connection lost during CAT command: %1 – memory 004 "
             "is "
             "written only in part. In "
             "the radio: Frequency, Mode, Shift raw, Flags raw. Perhaps written: Tag. Please write the "
             "memory again.",
             "FT-710|disconnect|MW|de|Schreiben fehlgeschlagen für 004: Keine aktive CAT-Verbindung. – "
             "Speicher "
             "004 ist möglicherweise zum Teil "
             "geschrieben. Möglicherweise geschrieben: Frequenz, Mode, Shift Raw, Flags Raw. Nicht "
             "geschrieben: Tag. Bitte den Speicher erneut schreiben.",
             "FT-710|disconnect|MT|de|Schreiben fehlgeschlagen für 004: Keine aktive CAT-Verbindung. – "
             "Speicher "
             "004 ist nur zum Teil geschrieben. Im "
             "Funkgerät: Frequenz, Mode, Shift Raw, Flags Raw. Möglicherweise geschrieben: Tag. Bitte den "
             "Speicher erneut schreiben.",
             "FT-710|stall, deadline|MT|en|Write failed for 004: Could not write CAT command: %1 – memory "
             "004 is written only in part. In the radio: Frequency, Mode, Shift raw, Flags raw. Perhaps "
             "written: Tag. Please write the memory again.",
             "FT-710|stall, disconnect|MW|de|Schreiben fehlgeschlagen für 004: Keine aktive CAT-Verbindung. "
             "– "
             "Speicher 004 ist möglicherweise zum Teil geschrieben. Möglicherweise geschrieben: Frequenz, "
             "Mode, Shift Raw, Flags Raw. Nicht geschrieben: Tag. Bitte den Speicher erneut schreiben.",
             "FT-710|refused, deadline|MW|de|Schreiben fehlgeschlagen für 004: CAT-Befehl konnte nicht "
             "geschrieben werden: %1 – Speicher 004 ist nicht geschrieben.",
             "FT-710|refused, disconnect|MW|de|Schreiben fehlgeschlagen für 004: Keine aktive "
             "CAT-Verbindung. – Speicher 004 ist nicht geschrieben.",
             "FT-991A|refused, disconnect|MW|en|Write failed for 004: No active CAT connection. – memory 004 "
             "is not written.",
             "FT-991A|late stall, hang-up|CN|de|Schreiben fehlgeschlagen für 004: Verbindung verloren bei "
             "CAT-Befehl: %1 – Speicher 004 ist nur zum Teil geschrieben. Im Funkgerät: Frequenz, Mode, "
             "Shift Raw, Flags Raw, Tag. Möglicherweise geschrieben: Ton-Code. Bitte den Speicher erneut "
             "schreiben.",
             "FT-710|fence, time-out|ID|de|Schreiben fehlgeschlagen für 004: Zeitüberschreitung bei "
             "CAT-Befehl: %1 – Speicher 004 ist nicht geschrieben.",
             "FT-991A|fence, hang-up|ID|en|Write failed for 004: Connection lost during CAT command: MC004; "
             "– "
             "memory 004 is not written."});
    }
    void writeCutShortSaysWhatTheRadioMayHold() {
        QFETCH(QStringList, row);
        const auto [modelName, how, cutCommand, language, line] = fields<5>(row);
        const bool fault = how.contains(u"stall") || how.startsWith(u"refused"),
                   hangUp = how.endsWith(u"hang-up"), deadline = how.endsWith(u"deadline"),
                   fenced = how.startsWith(u"fence"), staysOpen = deadline || how.endsWith(u"time-out");
        if (fault && !WriteFault::available)
            QSKIP("write(2) faults need Linux");
        TestSettings::setLanguage(language);
        const RadioModel model = *radioModelFromRawValue(modelName);
        LinkTiming::Waits waits;
        if (!fault) // the cut falls in the last one's window
            waits.rejectionWindow = cutCommand == u"MT" ? 20.0 : 100.0;
        if (!deadline)
            waits.portWriteDeadline = 100.0;
        if (fenced) // the line may hold a cut command; the radio does not say who it is
            waits.queryTimeout = staysOpen ? 0.5 : 100.0;
        LinkTiming::setWaits(waits);
        ConnectedModel connected(model);
        const QString path = connected.radio.devicePath();
        if (fenced) {
            CutCommandRecord::shared().set(path, true);
            connected.radio.silenceNext(u"ID"_s);
        }
        if (how.startsWith(u"refused"))
            WriteFault::refuse(path, cutCommand.toLatin1(), EAGAIN);
        else if (fault) // late: the reader hands the bytes over, after the device refused them once
            WriteFault::stallBeforeLastByte(path, cutCommand.toLatin1(), how.startsWith(u"late") ? 1 : 0);
        connected.app.writeSelected(channel4(model));
        QTRY_VERIFY(connected.lastCommandSent().startsWith(cutCommand));
        const QString cut = connected.lastCommandSent();
        if (hangUp)
            connected.radio.hangUp();
        else if (!staysOpen)
            connected.app.disconnect();
        const QString failed = QString(line).replace(u"%1"_s, cut);
        QTRY_COMPARE(connected.newestMessage(), failed);
        const QStringList messages = connected.messages();
        QVERIFY(messages.at(messages.size() - 2)
                    .contains(hangUp      ? connected.lossMessage()
                              : staysOpen ? u"Opened "_s
                                          : u"Disconnected"_s));
        QCOMPARE(connected.app.alertMessage(),
                 hangUp || staysOpen ? std::optional(failed.section(u": "_s, 1)) : std::nullopt);
        QVERIFY(!connected.app.isBusy() && connected.app.isConnected() == staysOpen);
        QCOMPARE(connected.lastCommandSent(), cut);
        QVERIFY(!connected.app.logLines().join(u'\n').contains(u"SET OK "_s + cut));
    }

    // A write error that says the device is gone ends the link as the device's hang-up does, ahead
    // of the write's failure line; the alert keeps that failure, also when the hang-up is seen after
    // it. Error | command it meets | failure line ("%1": that command).
    void goneDeviceFoundByAWriteEndsTheLink_data() {
        addRows(
            {"EIO|MW|Schreiben fehlgeschlagen für 004: Verbindung verloren bei CAT-Befehl: %1 – Speicher "
             "004 ist nicht geschrieben.",
             "ENXIO|MT|Schreiben fehlgeschlagen für 004: Verbindung verloren bei CAT-Befehl: %1 – Speicher "
             "004 ist nur zum Teil geschrieben. Im Funkgerät: Frequenz, Mode, Shift Raw, Flags Raw. Nicht "
             "geschrieben: Tag. Bitte den Speicher erneut schreiben."});
    }
    void goneDeviceFoundByAWriteEndsTheLink() {
        QFETCH(QStringList, row);
        const auto [error, command, line] = fields<3>(row);
        if (!WriteFault::available)
            QSKIP("write(2) faults need Linux");
        ConnectedModel connected(RadioModel::ft710);
        WriteFault::refuse(connected.radio.devicePath(), command.toLatin1(), error == u"EIO" ? EIO : ENXIO);
        connected.app.writeSelected(channel4());
        QTRY_VERIFY(connected.newestMessage().startsWith(u"Schreiben fehlgeschlagen"_s));
        connected.radio.hangUp();
        QTRY_VERIFY(!connected.app.isConnected());
        const QString failed = QString(line).replace(u"%1"_s, connected.lastCommandSent());
        QCOMPARE(connected.messages().mid(connected.messages().size() - 2),
                 (QStringList{connected.lossMessage(), failed}));
        QCOMPARE(connected.app.alertMessage(), std::optional(failed.section(u": "_s, 1)));
    }

    // A write done when a model switch cancels its run says it went to the radio it went to, and
    // neither stores nor reads back anything in the other model's table.
    void writeDoneBeforeAModelSwitchStaysWithItsRadio() {
        ConnectedModel connected(RadioModel::ft710);
        QObject::connect(&connected.app, &AppModel::logLinesChanged, &connected.app, [&connected] {
            if (connected.app.logLines().first().contains(u"SET OK MT004"_s))
                connected.app.setSelectedRadioModel(RadioModel::ft991a);
        });
        connected.app.writeSelected(channel4());
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.newestMessage(), u"Schreiben für Speicher 004 über FT-710 via MW+MT gesendet"_s);
        QCOMPARE(connected.app.memories().at(3), RadioMemory::empty(u"004"_s, RadioModel::ft991a));
        QVERIFY(!connected.radio.received().contains(u"MR004;"_s));
    }

    // A write that stops after the memory write says what the radio now holds and lacks, in the alert
    // and the log; the row keeps what was entered, for the next write. Model | fault | language |
    // failure. Channel 004 on 145.5 MHz, tag REPEATER, on the FT-991A with CTCSS tone 008.
    void writeStoppedHalfWaySaysWhatTheRadioHolds_data() {
        addRows(
            {"FT-710|reject MT004|de|Funkgerät hat CAT-Befehl abgelehnt: MT0041REPEATER    ; – Speicher 004 "
             "ist nur zum Teil geschrieben. Im Funkgerät: Frequenz, Mode, Shift Raw, Flags Raw. Nicht "
             "geschrieben: Tag. Bitte den Speicher erneut schreiben.",
             "FT-991A|reject MT004|en|Radio rejected CAT command: MT004145500000-0006004010000REPEATER    ; "
             "– memory 004 is written only in part. In the radio: Frequency, Mode, Shift raw, Flags raw. "
             "Not written: Tag, Tone code. Please write the memory again.",
             "FT-991A|reject CN|de|Funkgerät hat CAT-Befehl abgelehnt: CN00008; – Speicher 004 ist nur "
             "zum Teil geschrieben. Im Funkgerät: Frequenz, Mode, Shift Raw, Flags Raw, Tag. Nicht "
             "geschrieben: Ton-Code. Bitte den Speicher erneut schreiben.",
             // the radio will not select the channel, before the memory write nor after it
             "FT-991A|reject MC 2|de|Funkgerät hat CAT-Befehl abgelehnt: MC004; – Speicher 004 ist nur "
             "zum Teil geschrieben. Im Funkgerät: Frequenz, Mode, Shift Raw, Flags Raw, Tag. Nicht "
             "geschrieben: Ton-Code. Bitte den Speicher erneut schreiben.",
             "FT-710|reject MW004|de|Funkgerät hat CAT-Befehl abgelehnt: MW004145500000-000600400000;"});
    }
    void writeStoppedHalfWaySaysWhatTheRadioHolds() {
        QFETCH(QStringList, row);
        const auto [modelName, fault, language, failure] = fields<4>(row);
        TestSettings::setLanguage(language);
        LinkTiming::setScale(1.0);
        TestWaits::use([](LinkTiming::Waits &waits) { // the refusal must come inside the window
            waits.rejectionWindow = waits.ft991aSelectWindow = waits.ft991aSetWindow = 1.0;
        });
        const RadioModel model = *radioModelFromRawValue(modelName);
        ConnectedModel connected(model);
        const RadioMemory written = channel4(model);
        connected.radio.rejectNext(fault.section(u' ', 1, 1), std::max(1, fault.section(u' ', 2).toInt()));
        connected.app.replaceMemory(written); // as the editors do before they write
        connected.app.writeSelected(written);
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);
        QCOMPARE(connected.app.alertMessage(), std::optional(failure));
        QCOMPARE(connected.newestMessage(),
                 (language == u"de" ? u"Schreiben fehlgeschlagen für 004: "_s : u"Write failed for 004: "_s) +
                     failure);
        QCOMPARE(connected.app.memories().at(3), written);
        QVERIFY(!connected.radio.received().contains(u"MR004;"_s));
    }

    // An alert shows what the port could not send before anything is stored or sent.
    void unsendableChannelIsAlertedBeforeWriting() {
        ConnectedModel connected(RadioModel::ft710);
        QVERIFY(!connected.app.alertIfUnsendable(channel4()) && !connected.app.alertMessage());
        QVERIFY(connected.app.alertIfUnsendable(channel4({{"tag", "Zürich"}})));
        QVERIFY(connected.app.alertMessage()->startsWith(u"Ungültiger Speicherinhalt: Das Feld „Tag“"_s));
        QVERIFY(connected.radio.received().isEmpty());
    }

    void importOfTheOtherModelDisconnects() {
        ConnectedModel connected(RadioModel::ft710);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const RadioModel ft991a = RadioModel::ft991a;
        connected.app.applyImportedBackup(MemoryBackup{
            ft991a, {RadioMemory::empty(u"010"_s, ft991a), RadioMemory::empty(u"002"_s, ft991a)}, now});
        QCOMPARE(connected.messages().mid(connected.messages().size() - 3),
                 QStringList({"Disconnected", "Funkmodell gewechselt zu FT-991A",
                              "Backup mit 2 Speichern importiert"}));
        QVERIFY(!connected.app.isConnected() && connected.app.memories().size() == 2);
        QCOMPARE(connected.app.selectedMemoryID(), std::optional(u"002"_s));
        TestSettings::setLanguage(u"en"_s);
        connected.app.applyImportedBackup(MemoryBackup{ft991a, {}, now});
        QCOMPARE(connected.newestMessage(), u"Imported backup with 0 memories"_s);
        QVERIFY(connected.app.memories().isEmpty() && !connected.app.selectedMemoryID());
    }

    // Device faults are logged once; a device that goes away ends the link with an alert instead.
    void linkFaultsAreReported_data() {
        addRows(
            {"noise|de|Empfangene Daten ohne „;“ waren zu lang und wurden verworfen",
             "noise|en|Received data without \";\" was too long and has been discarded",
             "gone|de|Verbindung zu %1 verloren – das Gerät wurde getrennt oder ist nicht mehr erreichbar.",
             "gone|en|Connection to %1 lost – the device was disconnected or is no longer available."});
    }
    void linkFaultsAreReported() {
        QFETCH(QStringList, row);
        const auto [fault, language, message] = fields<3>(row);
        const bool hangUp = fault == u"gone";
        TestSettings::setLanguage(language);
        ConnectedModel connected(RadioModel::ft710);
        const QString expected = hangUp ? message.arg(connected.radio.devicePath()) : message;
        if (hangUp) {
            connected.app.readAll();
            QTRY_VERIFY(!connected.radio.received().isEmpty());
            connected.radio.hangUp();
        } else {
            connected.radio.send(QByteArray(64 * 1024, 'x'));
        }
        QTRY_VERIFY(connected.logged(expected));
        QCOMPARE(connected.messages().count(expected), 1);
        QVERIFY(!connected.logged(u"Disconnected"_s) && !connected.app.isBusy());
        QCOMPARE(connected.app.isConnected(), !hangUp);
        QCOMPARE(connected.app.alertMessage(), hangUp ? std::optional(expected) : std::nullopt);
    }

    // --- menu settings
    // Items are read in table order, a failed one logged; each publishes progress, status (whole
    // percent, cut), states. Model | language | status while and after reading | the two failures.
    void fullReadOfEachModel_data() {
        addRows(
            {"FT-710|de|Einstellungen werden gelesen … %1 %|Einstellungen gelesen · 100 % · 2 fehlgeschlagen"
             "|Zeitüberschreitung bei CAT-Befehl: |Funkgerät hat CAT-Befehl abgelehnt: ",
             "FT-991A|en|Reading settings … %1 %|Settings read · 100 % · 2 failed"
             "|Timed out waiting for CAT command: |Radio rejected CAT command: "});
    }
    void fullReadOfEachModel() {
        QFETCH(QStringList, row);
        const auto [model, language, reading, read, timedOut, rejected] = fields<6>(row);
        TestSettings::setLanguage(language);
        ConnectedModel connected(*radioModelFromRawValue(model));
        AppModel &app = connected.app;
        const QList<DeviceSettingDefinition> definitions = app.currentSettingDefinitions();
        connected.radio.answerEveryMenuItem();
        connected.radio.silenceNext(definitions[1].readCommand);
        connected.radio.rejectNext(definitions[4].readCommand);
        QStringList order;
        QObject::connect(&app, &AppModel::settingsStatesChanged, [&] { order << u"states"_s; });
        QObject::connect(&app, &AppModel::settingsProgressChanged, [&] { order << u"progress"_s; });
        QObject::connect(&app, &AppModel::settingsStatusTextChanged,
                         [&] { order << app.settingsStatusText(); });
        app.readSettings();
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::reading);
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);
        QStringList expected{"progress", reading.arg(0)};
        QStringList commands;
        for (int i = 0; i < definitions.size(); ++i) {
            expected << u"progress"_s << reading.arg(int(double(i + 1) / definitions.size() * 100.0))
                     << u"states"_s;
            commands << definitions[i].readCommand;
            const DeviceSettingState &state = app.settingsStates().at(i);
            QCOMPARE(state.value, i == 1 || i == 4 ? QString() : FakeRadio::answerFor(definitions[i]));
            QCOMPARE(state.originalValue, state.value);
        }
        QCOMPARE(order, expected << u"states"_s << u"progress"_s << read);
        QCOMPARE(connected.radio.received(), commands);
        QVERIFY(connected.logged(u"Setting read failed [%1]: %2%3"_s.arg(definitions[1].title, timedOut,
                                                                         definitions[1].readCommand)));
        QVERIFY(connected.logged(u"Setting read failed [%1]: %2%3"_s.arg(definitions[4].title, rejected,
                                                                         definitions[4].readCommand)));
        QVERIFY(!app.hasDirtySettings() && app.settingsProgress() == 1.0);
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(connected.newestMessage(), u"Settings read finished for "_s + model);
        app.disconnect(); // resets progress and status, keeps the states
        QVERIFY(app.settingsProgress() == 0.0 && app.settingsStatusText().isEmpty());
        QVERIFY(!app.settingsStates().first().value.isEmpty());
    }

    // Nothing to write is an alert. Items that change the link (CAT-1 RATE) go last; having written
    // one advises reconnecting. An item that fails stays changed and is counted at the end; a typed
    // value that is no number fails unsent. Failing item | its typed value, none where the radio
    // refuses it | language | failure text | end status.
    void changedItemsAreWrittenLinkItemsLast_data() {
        addRows({"||de||Einstellungen geschrieben · 100 %",
                 "BEEP LEVEL||en|Radio rejected CAT command: |Settings written · 100 % · 1 failed",
                 "CAT-1 RATE||de|Funkgerät hat CAT-Befehl abgelehnt: "
                 "|Einstellungen geschrieben · 100 % · 1 fehlgeschlagen",
                 "BEEP LEVEL|abc|de|„abc“ ist keine ganze Zahl mit höchstens 3 Ziffern."
                 "|Einstellungen geschrieben · 100 % · 1 fehlgeschlagen"});
    }
    void changedItemsAreWrittenLinkItemsLast() {
        QFETCH(QStringList, row);
        const auto [failedTitle, typed, language, failure, written] = fields<5>(row);
        TestSettings::setLanguage(language);
        const bool english = language == u"en";
        const bool refused = !failedTitle.isEmpty() && typed.isEmpty();
        if (refused)
            LinkTiming::setScale(0.5); // the rejection must arrive inside the window
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.answerEveryMenuItem();
        AppModel &app = connected.app;
        app.writeSettings();
        QCOMPARE(*app.alertMessage(), english ? u"No changed settings available to write."_s
                                              : u"Keine geänderten Einstellungen zum Schreiben vorhanden."_s);
        app.setAlertMessage(std::nullopt);
        const QStringList titles{"BEEP LEVEL", "MEM GROUP", "CAT-1 RATE"};
        connected.change({"CAT-1 RATE", "MEM GROUP", "BEEP LEVEL"});
        if (!typed.isEmpty())
            app.setSettingValue(connected.state(failedTitle).id(), typed);
        const std::optional<DeviceSettingState> failing =
            failedTitle.isEmpty() ? std::nullopt : std::optional(connected.state(failedTitle));
        const auto command = [&](const QString &title) {
            return connected.state(title).definition().writeCommand(connected.state(title).value);
        };
        QStringList sent;
        for (const QString &title : titles) {
            if (title != failedTitle || refused)
                sent << command(title);
        }
        const QString failedLine = u"Setting write failed [%1]: %2"_s.arg(
            failedTitle, failure + (refused ? command(failedTitle) : QString()));
        if (refused)
            connected.radio.rejectNext(connected.state(failedTitle).definition().writePrefix);
        QStringList statuses;
        QObject::connect(&app, &AppModel::settingsStatusTextChanged, &app,
                         [&] { statuses << app.settingsStatusText(); });
        app.writeSettings();
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::writing);
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);
        QCOMPARE(connected.radio.received(), sent);
        const QString writing =
            english ? u"Writing settings … %1 %"_s : u"Einstellungen werden geschrieben … %1 %"_s;
        QCOMPARE(statuses,
                 QStringList({writing.arg(0), writing.arg(33), writing.arg(66), writing.arg(100), written}));
        for (const QString &title : titles) {
            const DeviceSettingState &state = connected.state(title);
            QCOMPARE(state.isDirty(), title == failedTitle);
            QVERIFY(title == failedTitle
                        ? state == *failing
                        : state.value == state.originalValue && sent.contains(command(title)));
        }
        QVERIFY(
            connected.logged(u"Setting write OK [MEM GROUP] = "_s + connected.state(u"MEM GROUP"_s).value));
        QCOMPARE(connected.logged(failedLine), !failedTitle.isEmpty());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(connected.newestMessage(), u"Settings write finished for FT-710"_s);
        const QString reconnect =
            english
                ? u"CAT/interface settings were changed. Please check or reconnect the connection afterwards."_s
                : u"CAT-/Schnittstellen-Einstellungen wurden geändert. Bitte die Verbindung danach prüfen "
                  u"oder "
                  "neu verbinden."_s;
        QCOMPARE(app.alertMessage(), failedTitle == u"CAT-1 RATE" ? std::nullopt : std::optional(reconnect));
    }

    // A newer operation cancels the run after its first item: the others stay changed, unsent.
    void writingIsCancelledBetweenItems() {
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.answerEveryMenuItem();
        AppModel &app = connected.app;
        connected.change({"BEEP LEVEL", "MEM GROUP", "CAT-1 RATE"});
        QObject::connect(&app, &AppModel::logLinesChanged, &app, [&] {
            if (app.logLines().first().contains(u"Setting write OK [BEEP LEVEL]"_s))
                app.readSelected();
        });
        app.writeSettings();
        QTRY_VERIFY(connected.logged(u"Settings write cancelled for FT-710"_s));
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);
        QVERIFY(!connected.state(u"BEEP LEVEL"_s).isDirty() && connected.state(u"MEM GROUP"_s).isDirty());
        QCOMPARE(connected.radio.received().filter(u"EX"_s).size(), 1);
        QVERIFY(!app.alertMessage());
    }

    // An item the disconnect or the port's write deadline cut once its command had gone out, whole or
    // in part, may be written; one never sent failed. Either stays changed, and a run the deadline
    // ends counts it as failed: a link item cut so advises no reconnect. How far it went, and by
    // what cut | language | line naming the item ("%1": the value, "%2": the command).
    void settingCutByDisconnectSaysWhetherItWentOut_data() {
        addRows({"whole|de|Setting write uncertain [RF/SQL VR] = %1: Keine aktive CAT-Verbindung. – "
                 "möglicherweise geschrieben, bitte die Einstellungen erneut lesen.",
                 "part|en|Setting write uncertain [RF/SQL VR] = %1: No active CAT connection. – perhaps "
                 "written, please read the settings again.",
                 "refused|de|Setting write failed [RF/SQL VR]: Keine aktive CAT-Verbindung.",
                 "part, deadline|de|Setting write uncertain [RF/SQL VR] = %1: CAT-Befehl konnte nicht "
                 "geschrieben werden: %2 – möglicherweise geschrieben, bitte die Einstellungen erneut lesen.",
                 "part, deadline|en|Setting write uncertain [CAT-1 RATE] = %1: Could not write CAT command: "
                 "%2 – perhaps written, please read the settings again.",
                 "refused, deadline|en|Setting write failed [RF/SQL VR]: Could not write CAT command: %2"});
    }
    void settingCutByDisconnectSaysWhetherItWentOut() {
        QFETCH(QStringList, row);
        const auto [how, language, line] = fields<3>(row);
        const bool deadline = how.endsWith(u"deadline");
        if (how != u"whole" && !WriteFault::available)
            QSKIP("write(2) faults need Linux");
        TestSettings::setLanguage(language);
        LinkTiming::Waits waits; // the cut falls in the item's window, or at the deadline when named
        waits.settingsRejectionWindow = 100.0;
        if (!deadline)
            waits.portWriteDeadline = 100.0;
        LinkTiming::setWaits(waits);
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.answerEveryMenuItem();
        const QString title = line.section(u'[', 1).section(u']', 0, 0);
        connected.change({title});
        const DeviceSettingState changed = connected.state(title);
        const QString command = changed.definition().writeCommand(changed.value);
        if (how.startsWith(u"part"))
            WriteFault::stallBeforeLastByte(connected.radio.devicePath(), "EX");
        else if (how.startsWith(u"refused"))
            WriteFault::refuse(connected.radio.devicePath(), "EX", EAGAIN);
        connected.app.writeSettings();
        QTRY_COMPARE(connected.lastCommandSent(), command);
        if (how == u"whole")
            QTRY_VERIFY(connected.radio.received().contains(command));
        if (!deadline)
            connected.app.disconnect();
        QTRY_COMPARE(connected.newestMessage(),
                     u"Settings write %1 for FT-710"_s.arg(deadline ? u"finished"_s : u"cancelled"_s));
        const QStringList messages = connected.messages();
        QCOMPARE(messages.at(messages.size() - 2),
                 QString(line)
                     .replace(u"%1"_s, changed.definition().normalizeForWrite(changed.value))
                     .replace(u"%2"_s, command));
        QVERIFY(connected.state(title).isDirty());
        if (deadline) {
            QCOMPARE(connected.app.settingsStatusText(),
                     L::text(u"Einstellungen geschrieben · 100 % · 1 fehlgeschlagen"_s,
                             u"Settings written · 100 % · 1 failed"_s));
            QVERIFY(!connected.app.alertMessage());
        }
    }

private:
    AppModel::Options options() {
        return {.deviceFolder = m_devices->path(),
                .writeClipboard = [this](const QString &text) { m_clipboard.append(text); },
                .clock = [this] { return m_now; }};
    }
    QString path(const QString &name) const {
        return name.isEmpty() ? QString() : m_devices->filePath(name);
    }
    void makeDevice(const QString &name) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    static AppPreferences storedPreferences() {
        const auto text = UserDefaults::text(AppModel::preferencesKey());
        return (text ? AppPreferences::decode(*text) : std::nullopt).value_or(AppPreferences{});
    }
    static DeviceSettings storedSettings(const char *model) {
        return storedPreferences().savedSettingsByModel.value(QLatin1String(model));
    }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_devices;
    QStringList m_clipboard;
    QTime m_now;
};

QTEST_GUILESS_MAIN(AppModelTest)
#include "tst_appmodel.moc"
