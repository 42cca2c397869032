#include "AppModel/AppModel.h"
#include "AppModel/AppPreferences.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/JSONDecodingError.h"
#include "TestSettings.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Everything of the application model that needs no radio: start-up, preferences, the device list,
// the log, the memory table, the link's failures and the backup document.
class AppModelTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        m_devices = std::make_unique<QTemporaryDir>();
        m_preferred = {QStringLiteral("de-DE")};
        L::setPreferredLanguagesSource([this] { return m_preferred; });
        m_clipboard.clear();
        m_now = QTime(12, 0, 0);
    }
    void cleanup() { L::setPreferredLanguagesSource({}); }

    void firstStartHasTheInitialState() {
        AppModel model(options());
        QCOMPARE(model.selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(model.baudRate(), 38400);
        QCOMPARE(model.selectedPort(), QString());
        QVERIFY(model.availablePorts().isEmpty());
        QCOMPARE(model.memories().size(), 99);
        QCOMPARE(model.memories().first().slot, QStringLiteral("001"));
        QCOMPARE(model.memories().last().slot, QStringLiteral("099"));
        QVERIFY(model.memories().first().isEmpty);
        QCOMPARE(model.selectedMemoryID(), std::optional<QString>(QStringLiteral("001")));
        QCOMPARE(model.settingsStates().size(), DeviceSettingDefinition::ft710Definitions().size());
        QCOMPARE(model.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(model.settingsProgress(), 0.0);
        QCOMPARE(model.settingsStatusText(), QString());
        QVERIFY(model.logLines().isEmpty());
        QVERIFY(!model.isConnected());
        QVERIFY(!model.isBusy());
        QVERIFY(!model.alertMessage());
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
    }

    void storedFT991AIsSelectedAtStart() {
        storePreferences(
            R"({"selectedRadioModel":"FT-991A","savedSettingsByModel":{"FT-991A":{"selectedPort":"","baudRate":57600}}})");
        AppModel model(options());
        QCOMPARE(model.selectedRadioModel(), RadioModel::ft991a);
        QCOMPARE(model.baudRate(), 57600);
        QCOMPARE(model.memories().size(), 117);
        QCOMPARE(model.memories().last().slot, QStringLiteral("117"));
        QCOMPARE(model.memories().last().radioModel, RadioModel::ft991a);
        QCOMPARE(model.settingsStates().size(), DeviceSettingDefinition::ft991aDefinitions().size());
    }

    void unreadableRecordIsIgnoredAndKept_data() {
        QTest::addColumn<QString>("stored");
        QTest::addRow("not JSON") << "{selectedRadioModel";
        QTest::addRow("unknown model") << R"({"selectedRadioModel":"FT-1000","savedSettingsByModel":{}})";
        QTest::addRow("model missing") << R"({"savedSettingsByModel":{}})";
        QTest::addRow("settings missing") << R"({"selectedRadioModel":"FT-991A"})";
        QTest::addRow("baud rate as text")
            << R"({"selectedRadioModel":"FT-991A","savedSettingsByModel":{"FT-991A":{"selectedPort":"","baudRate":"9600"}}})";
        QTest::addRow("fractional baud rate")
            << R"({"selectedRadioModel":"FT-991A","savedSettingsByModel":{"FT-991A":{"selectedPort":"","baudRate":96.5}}})";
        QTest::addRow("port missing")
            << R"({"selectedRadioModel":"FT-991A","savedSettingsByModel":{"FT-991A":{"baudRate":9600}}})";
        QTest::addRow("port null")
            << R"({"selectedRadioModel":"FT-991A","savedSettingsByModel":{"FT-991A":{"selectedPort":null,"baudRate":9600}}})";
    }
    void unreadableRecordIsIgnoredAndKept() {
        QFETCH(QString, stored);
        storePreferences(stored);
        AppModel model(options());
        QCOMPARE(model.selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(model.baudRate(), 38400);
        QCOMPARE(UserDefaults::value(AppModel::preferencesKey()).toString(), stored);
    }

    void preferencesRoundTrip() {
        const AppPreferences preferences{RadioModel::ft991a,
                                         {{QStringLiteral("FT-710"), {QStringLiteral("/dev/ttyUSB0"), 9600}},
                                          {QStringLiteral("FT-991A"), {QString(), 38400}},
                                          {QStringLiteral("other"), {QStringLiteral("x"), 4800}}}};
        QCOMPARE(AppPreferences::decode(preferences.encode()), std::optional<AppPreferences>(preferences));
    }

    void preferencesAreWrittenWhenAPortOrRateIsChosen() {
        makeDevice("ttyUSB0");
        AppModel model(options());
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
        model.refreshPorts();
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());

        model.setBaudRate(57600);
        QCOMPARE(storedPreferences().savedSettingsByModel.value(QStringLiteral("FT-710")),
                 (DeviceSettings{devicePath("ttyUSB0"), 57600}));

        model.setSelectedPort(QStringLiteral("/nowhere/ttyUSB9"));
        QCOMPARE(model.selectedPort(), QStringLiteral("/nowhere/ttyUSB9"));
        QCOMPARE(storedPreferences().savedSettingsByModel.value(QStringLiteral("FT-710")).selectedPort,
                 QStringLiteral("/nowhere/ttyUSB9"));
        QCOMPARE(storedPreferences().selectedRadioModel, RadioModel::ft710);
    }

    void serialDevicesAreListedSorted() {
#ifdef Q_OS_MACOS
        const QStringList names = {"cu.usbserial-B", "cu.Bluetooth-Incoming-Port", "tty.usbserial-B",
                                   "cu.usbserial-A"};
        const QStringList expected = {"cu.Bluetooth-Incoming-Port", "cu.usbserial-A", "cu.usbserial-B"};
#else
        const QStringList names = {"ttyUSB1", "ttyS0", "ttyACM0", "ttyUSB0", "cu.usbserial-A", "video0"};
        const QStringList expected = {"ttyACM0", "ttyUSB0", "ttyUSB1"};
#endif
        for (const QString &name : names)
            makeDevice(name);
        AppModel model(options());
        QStringList expectedPaths;
        for (const QString &name : expected)
            expectedPaths.append(devicePath(name));
        QCOMPARE(model.availablePorts(), expectedPaths);
        QCOMPARE(model.selectedPort(), expectedPaths.first());
    }

    void savedPortIsChosenOnlyWhenListed_data() {
        QTest::addColumn<QString>("savedName");
        QTest::addColumn<QString>("expectedName");
        QTest::addRow("listed") << "ttyUSB1"
                                << "ttyUSB1";
        QTest::addRow("gone: first listed") << "ttyUSB7"
                                            << "ttyACM0";
        QTest::addRow("none saved: first listed") << ""
                                                  << "ttyACM0";
    }
    void savedPortIsChosenOnlyWhenListed() {
        QFETCH(QString, savedName);
        QFETCH(QString, expectedName);
        for (const char *name : {"ttyACM0", "ttyUSB1"})
            makeDevice(name);
        const QString saved = savedName.isEmpty() ? QString() : devicePath(savedName);
        storePreferences(
            AppPreferences{RadioModel::ft710, {{QStringLiteral("FT-710"), {saved, 9600}}}}.encode());
        AppModel model(options());
        QCOMPARE(model.selectedPort(), devicePath(expectedName));
        QCOMPARE(model.baudRate(), 9600);
    }

    void refreshKeepsAListedPortAndEmptiesAVanishedOne() {
        makeDevice("ttyUSB0");
        makeDevice("ttyUSB1");
        AppModel model(options());
        model.setSelectedPort(devicePath("ttyUSB1"));
        model.refreshPorts();
        QCOMPARE(model.selectedPort(), devicePath("ttyUSB1"));
        QFile::remove(devicePath("ttyUSB0"));
        QFile::remove(devicePath("ttyUSB1"));
        model.refreshPorts();
        QVERIFY(model.availablePorts().isEmpty());
        QCOMPARE(model.selectedPort(), QString());
        QCOMPARE(storedPreferences().savedSettingsByModel.value(QStringLiteral("FT-710")).selectedPort,
                 devicePath("ttyUSB1"));
    }

    void missingDeviceFolderGivesNoPorts() {
        AppModel::Options missing = options();
        missing.deviceFolder = m_devices->filePath(QStringLiteral("absent"));
        AppModel model(missing);
        QVERIFY(model.availablePorts().isEmpty());
        QCOMPARE(model.selectedPort(), QString());
    }

    void logLinesAreNewestFirstWithTheTime_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("prefix");
        QTest::addRow("morning") << QTime(9, 5, 7) << "[09:05:07] ";
        QTest::addRow("evening") << QTime(21, 5, 7) << "[21:05:07] ";
    }
    void logLinesAreNewestFirstWithTheTime() {
        QFETCH(QTime, time);
        QFETCH(QString, prefix);
        m_now = time;
        AppModel model(options());
        QSignalSpy changes(&model, &AppModel::logLinesChanged);
        model.appendLog(QStringLiteral("first"));
        model.appendLog(QStringLiteral("second\nline"));
        QCOMPARE(model.logLines(), QStringList({prefix + "second\nline", prefix + "first"}));
        QCOMPARE(changes.count(), 2);
    }

    void copyPutsTheLogOnTheClipboardThenLogsIt() {
        AppModel model(options());
        model.copyLogToPasteboard();
        QCOMPARE(m_clipboard, QStringList{QString()});
        QCOMPARE(model.logLines(), QStringList{"[12:00:00] Log in die Zwischenablage kopiert"});

        model.appendLog(QStringLiteral("b"));
        model.appendLog(QStringLiteral("c"));
        model.copyLogToPasteboard();
        QCOMPARE(m_clipboard.last(),
                 QStringLiteral("[12:00:00] c\n[12:00:00] b\n[12:00:00] Log in die Zwischenablage kopiert"));
        QCOMPARE(model.logLines().size(), 4);
    }

    void clearLeavesOnlyTheClearedLine() {
        m_preferred = {QStringLiteral("en-GB")};
        AppModel model(options());
        model.appendLog(QStringLiteral("a"));
        model.clearLog();
        QCOMPARE(model.logLines(), QStringList{"[12:00:00] Log cleared"});
    }

    void aLanguageSwitchChangesOnlyNewLines() {
        AppModel model(options());
        model.copyLogToPasteboard();
        m_preferred = {QStringLiteral("en-US")};
        model.copyLogToPasteboard();
        QCOMPARE(model.logLines(), QStringList({"[12:00:00] Log copied to clipboard",
                                                "[12:00:00] Log in die Zwischenablage kopiert"}));
    }

    void selectedMemoryFollowsTheID() {
        AppModel model(options());
        QCOMPARE(model.selectedMemory()->slot, QStringLiteral("001"));
        model.setSelectedMemoryID(std::nullopt);
        QVERIFY(!model.selectedMemory());
        model.setSelectedMemoryID(QStringLiteral("500"));
        QVERIFY(!model.selectedMemory());

        RadioMemory first = RadioMemory::empty(QStringLiteral("050"), RadioModel::ft710);
        first.tag = QStringLiteral("FIRST");
        RadioMemory second = first;
        second.tag = QStringLiteral("SECOND");
        model.applyImportedBackup(
            MemoryBackup{RadioModel::ft710, {first, second}, QDateTime::currentDateTimeUtc()});
        QCOMPARE(model.selectedMemory()->tag, QStringLiteral("FIRST"));
    }

    void replaceMemoryReplacesInPlaceOrAppendsSorted() {
        AppModel model(options());
        QSignalSpy rowChanges(&model, &AppModel::memoryChanged);
        QSignalSpy tableChanges(&model, &AppModel::memoriesChanged);

        RadioMemory channel = RadioMemory::empty(QStringLiteral("005"), RadioModel::ft710);
        channel.frequency = QStringLiteral("145500000");
        model.replaceMemory(channel);
        QCOMPARE(model.memories().at(4), channel);
        QCOMPARE(rowChanges.count(), 1);
        QCOMPARE(rowChanges.first().first().toInt(), 4);
        QCOMPARE(tableChanges.count(), 0);

        model.applyImportedBackup(MemoryBackup{RadioModel::ft710,
                                               {RadioMemory::empty(QStringLiteral("003"), RadioModel::ft710),
                                                RadioMemory::empty(QStringLiteral("001"), RadioModel::ft710)},
                                               QDateTime::currentDateTimeUtc()});
        model.replaceMemory(RadioMemory::empty(QStringLiteral("002"), RadioModel::ft710));
        QStringList slotTexts;
        for (const RadioMemory &memory : model.memories())
            slotTexts.append(memory.slot);
        QCOMPARE(slotTexts, QStringList({"001", "002", "003"}));
        QCOMPARE(model.selectedMemoryID(), std::optional<QString>(QStringLiteral("001")));
    }

    void setMemoryAtIgnoresRowsOutsideTheTable() {
        AppModel model(options());
        QSignalSpy rowChanges(&model, &AppModel::memoryChanged);
        model.setMemoryAt(99, RadioMemory::empty(QStringLiteral("100"), RadioModel::ft710));
        model.setMemoryAt(-1, RadioMemory::empty(QStringLiteral("100"), RadioModel::ft710));
        QCOMPARE(model.memories().size(), 99);
        QCOMPARE(rowChanges.count(), 0);
    }

    void everyAssignmentSignalsOnce() {
        AppModel model(options());
        QSignalSpy alerts(&model, &AppModel::alertMessageChanged);
        QSignalSpy selections(&model, &AppModel::selectedMemoryIDChanged);
        model.setAlertMessage(QStringLiteral("x"));
        model.setAlertMessage(QStringLiteral("x"));
        model.setSelectedMemoryID(QStringLiteral("001"));
        QCOMPARE(alerts.count(), 2);
        QCOMPARE(selections.count(), 1);
    }

    void radioOperationsNeedALink() {
        AppModel model(options());
        QSignalSpy busy(&model, &AppModel::isBusyChanged);
        const QString notConnected = QStringLiteral("Keine aktive CAT-Verbindung.");
        const QList<std::function<void()>> operations = {
            [&] { model.readAll(); },
            [&] { model.readSelected(); },
            [&] { model.writeSelected(model.memories().first()); },
            [&] { model.readSettings(); },
            [&] { model.writeSettings(); },
        };
        for (const auto &operation : operations) {
            model.setAlertMessage(std::nullopt);
            operation();
            QCOMPARE(model.alertMessage(), std::optional<QString>(notConnected));
        }
        model.setSelectedMemoryID(std::nullopt);
        model.readSelected();
        QCOMPARE(model.alertMessage(), std::optional<QString>(notConnected));
        QCOMPARE(busy.count(), 0);
        QVERIFY(model.logLines().isEmpty());
    }

    void connectWithoutPortOnlyAlerts() {
        AppModel model(options());
        model.connect();
        QCOMPARE(model.alertMessage(),
                 std::optional<QString>(QStringLiteral("Bitte zuerst einen seriellen Port auswählen.")));
        QVERIFY(model.logLines().isEmpty());
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
    }

    void connectToAnUnopenablePathFailsButStoresTheChoice() {
        m_preferred = {QStringLiteral("en-US")};
        AppModel model(options());
        const QString path = m_devices->filePath(QStringLiteral("ttyUSB-missing"));
        model.setSelectedPort(path);
        model.setBaudRate(9600);
        UserDefaults::remove(AppModel::preferencesKey());
        model.connect();
        QVERIFY(!model.isConnected());
        QCOMPARE(model.alertMessage(),
                 std::optional<QString>(QStringLiteral("Could not open port: ") + path));
        QCOMPARE(model.logLines(),
                 QStringList{QStringLiteral("[12:00:00] Connection failed: Could not open port: ") + path});
        QCOMPARE(storedPreferences().savedSettingsByModel.value(QStringLiteral("FT-710")),
                 (DeviceSettings{path, 9600}));
    }

    void switchingToTheSelectedModelDoesNothing() {
        AppModel model(options());
        QSignalSpy changes(&model, &AppModel::memoriesChanged);
        model.setSelectedRadioModel(RadioModel::ft710);
        QCOMPARE(changes.count(), 0);
        QVERIFY(model.logLines().isEmpty());
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
    }

    void switchingTheModelRebuildsAndRestoresSettings() {
        makeDevice("ttyUSB0");
        makeDevice("ttyUSB1");
        AppModel model(options());
        model.setSelectedPort(devicePath("ttyUSB1"));
        model.setBaudRate(9600);
        model.setSettingValue(model.settingsStates().first().id(), QStringLiteral("1"));

        model.setSelectedRadioModel(RadioModel::ft991a);
        QCOMPARE(model.memories().size(), 117);
        QCOMPARE(model.selectedMemoryID(), std::optional<QString>(QStringLiteral("001")));
        QCOMPARE(model.settingsStates().size(), DeviceSettingDefinition::ft991aDefinitions().size());
        QVERIFY(!model.hasDirtySettings());
        QCOMPARE(model.baudRate(), 38400);
        QCOMPARE(model.selectedPort(), devicePath("ttyUSB1"));
        QCOMPARE(model.logLines(), QStringList{"[12:00:00] Funkmodell gewechselt zu FT-991A"});
        QCOMPARE(storedPreferences().selectedRadioModel, RadioModel::ft991a);
        QCOMPARE(storedPreferences().savedSettingsByModel.value(QStringLiteral("FT-991A")),
                 (DeviceSettings{devicePath("ttyUSB1"), 38400}));

        model.setSelectedPort(devicePath("ttyUSB0"));
        model.setSelectedRadioModel(RadioModel::ft710);
        QCOMPARE(model.baudRate(), 9600);
        QCOMPARE(model.selectedPort(), devicePath("ttyUSB1"));
        QCOMPARE(model.memories().size(), 99);
        QCOMPARE(model.settingsStates().size(), DeviceSettingDefinition::ft710Definitions().size());
    }

    void settingValuesAreEditedAndRestored() {
        AppModel model(options());
        QSignalSpy changes(&model, &AppModel::settingsStatesChanged);
        model.setSettingValue(QStringLiteral("no.such.item"), QStringLiteral("1"));
        QCOMPARE(changes.count(), 0);

        const DeviceSettingState numeric = firstStateOfKind(model, DeviceSettingFieldKind::numeric);
        model.setSettingValue(numeric.id(), QStringLiteral(" 5 "));
        QCOMPARE(stateOf(model, numeric.id()).value, QStringLiteral(" 5 "));
        QVERIFY(model.hasDirtySettings());
        QCOMPARE(changes.count(), 1);

        model.restoreSettingsToOriginal();
        QVERIFY(!model.hasDirtySettings());
        QCOMPARE(stateOf(model, numeric.id()).value, QString());
        QCOMPARE(changes.count(), 1 + model.settingsStates().size());
    }

    void importReplacesTheTableAndSelectsTheFirstRow() {
        AppModel model(options());
        const MemoryBackup backup{RadioModel::ft991a,
                                  {RadioMemory::empty(QStringLiteral("010"), RadioModel::ft991a),
                                   RadioMemory::empty(QStringLiteral("002"), RadioModel::ft991a)},
                                  QDateTime::currentDateTimeUtc()};
        model.setSelectedMemoryID(QStringLiteral("050"));
        model.applyImportedBackup(backup);
        QCOMPARE(model.selectedRadioModel(), RadioModel::ft991a);
        QCOMPARE(model.memories().size(), 2);
        QCOMPARE(model.memories().first().slot, QStringLiteral("002"));
        QCOMPARE(model.selectedMemoryID(), std::optional<QString>(QStringLiteral("002")));
        QCOMPARE(model.logLines(), QStringList({"[12:00:00] Backup mit 2 Speichern importiert",
                                                "[12:00:00] Funkmodell gewechselt zu FT-991A"}));

        model.applyImportedBackup(MemoryBackup{RadioModel::ft991a, {}, QDateTime::currentDateTimeUtc()});
        QVERIFY(model.memories().isEmpty());
        QVERIFY(!model.selectedMemoryID());
        QVERIFY(!model.selectedMemory());
    }

    void exportedDocumentReadsBack() {
        AppModel model(options());
        RadioMemory channel = RadioMemory::empty(QStringLiteral("007"), RadioModel::ft710);
        channel.frequency = QStringLiteral("7050000");
        channel.tag = QStringLiteral("40M");
        channel.isEmpty = false;
        model.replaceMemory(channel);

        const QByteArray contents = model.backupDocument().fileContents();
        const QJsonObject object = QJsonDocument::fromJson(contents).object();
        QCOMPARE(object.keys(), QStringList({"exportedAt", "memories", "radioModel"}));
        QVERIFY(contents.indexOf("\"exportedAt\"") < contents.indexOf("\"memories\""));
        QVERIFY(contents.contains("\n    \""));

        const MemoryBackup read = JSONBackupDocument::fromFileContents(contents).backup;
        QCOMPARE(read.radioModel, RadioModel::ft710);
        QCOMPARE(read.memories, model.memories());
        QVERIFY(qAbs(read.exportedAt.secsTo(QDateTime::currentDateTimeUtc())) < 5);

        AppModel other(options());
        other.setSelectedRadioModel(RadioModel::ft991a);
        other.applyImportedBackup(read);
        QCOMPARE(other.selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(other.memories(), model.memories());
    }

    void unreadableBackupIsRefused_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addRow("not JSON") << QByteArray("{\"radioModel\":");
        QTest::addRow("array") << QByteArray("[]");
        QTest::addRow("model missing")
            << QByteArray(R"({"memories":[],"exportedAt":"2026-03-26T09:41:00Z"})");
        QTest::addRow("unknown model")
            << QByteArray(R"({"radioModel":"FT-1","memories":[],"exportedAt":"2026-03-26T09:41:00Z"})");
    }
    void unreadableBackupIsRefused() {
        QFETCH(QByteArray, contents);
        QVERIFY_THROWS_EXCEPTION(JSONDecodingError, JSONBackupDocument::fromFileContents(contents));
    }

private:
    AppModel::Options options() {
        AppModel::Options options;
        options.deviceFolder = m_devices->path();
        options.clock = [this] { return m_now; };
        options.writeClipboard = [this](const QString &text) { m_clipboard.append(text); };
        return options;
    }
    QString devicePath(const QString &name) const {
        return m_devices->filePath(name);
    }
    void makeDevice(const QString &name) {
        QFile file(devicePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    static void storePreferences(const QString &text) {
        UserDefaults::setValue(AppModel::preferencesKey(), text);
    }
    static AppPreferences storedPreferences() {
        const auto text = UserDefaults::text(AppModel::preferencesKey());
        const auto preferences = text ? AppPreferences::decode(*text) : std::nullopt;
        return preferences.value_or(AppPreferences{});
    }
    static DeviceSettingState stateOf(const AppModel &model, const QString &id) {
        for (const DeviceSettingState &state : model.settingsStates()) {
            if (state.id() == id)
                return state;
        }
        return model.settingsStates().first();
    }
    static DeviceSettingState firstStateOfKind(const AppModel &model, DeviceSettingFieldKind kind) {
        for (const DeviceSettingState &state : model.settingsStates()) {
            if (state.definition().fieldKind == kind)
                return state;
        }
        return model.settingsStates().first();
    }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_devices;
    QStringList m_preferred;
    QStringList m_clipboard;
    QTime m_now{12, 0, 0};
};

QTEST_GUILESS_MAIN(AppModelTest)
#include "tst_appmodel.moc"
