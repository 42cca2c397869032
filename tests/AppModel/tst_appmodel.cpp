#include "AppModel/AppModel.h"
#include "AppModel/AppPreferences.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
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

    void startUp_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("readable"); // selects the FT-991A at 57600 baud
        const QString ft991a = R"({"selectedRadioModel":"FT-991A","savedSettingsByModel":{"FT-991A":%1}})";
        const QString settings = R"({"selectedPort":"","baudRate":%1})";
        QTest::addRow("nothing stored") << QString() << false;
        QTest::addRow("FT-991A stored") << ft991a.arg(settings.arg(57600)) << true;
        // An unreadable record is ignored whole and left in the store.
        QTest::addRow("not JSON") << "{selectedRadioModel" << false;
        QTest::addRow("unknown model")
            << R"({"selectedRadioModel":"FT-1000","savedSettingsByModel":{}})" << false;
        QTest::addRow("model missing") << R"({"savedSettingsByModel":{}})" << false;
        QTest::addRow("settings missing") << R"({"selectedRadioModel":"FT-991A"})" << false;
        QTest::addRow("baud rate as text") << ft991a.arg(settings.arg("\"9600\"")) << false;
        QTest::addRow("fractional baud rate") << ft991a.arg(settings.arg(96.5)) << false;
        // The line could not run at a rate the sidebar does not offer.
        QTest::addRow("baud rate not offered") << ft991a.arg(settings.arg(12345)) << false;
        QTest::addRow("negative baud rate") << ft991a.arg(settings.arg(-1)) << false;
        QTest::addRow("port missing") << ft991a.arg(R"({"baudRate":9600})") << false;
        QTest::addRow("port null") << ft991a.arg(R"({"selectedPort":null,"baudRate":9600})") << false;
    }
    void startUp() {
        QFETCH(QString, stored);
        QFETCH(bool, readable);
        const RadioModel model = readable ? RadioModel::ft991a : RadioModel::ft710;
        if (!stored.isNull())
            UserDefaults::setValue(AppModel::preferencesKey(), stored);
        AppModel app(options());
        QCOMPARE(app.selectedRadioModel(), model);
        QCOMPARE(app.baudRate(), readable ? 57600 : 38400);
        QCOMPARE(app.selectedPort(), QString());
        QVERIFY(app.availablePorts().isEmpty());
        QCOMPARE(app.memories().size(), memoryRange(model).count());
        QCOMPARE(app.memories().last(),
                 RadioMemory::empty(RadioMemory::slotText(memoryRange(model).upperBound), model));
        QCOMPARE(app.selectedMemoryID(), std::optional<QString>(QStringLiteral("001")));
        QCOMPARE(app.settingsStates().size(), app.currentSettingDefinitions().size());
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(app.settingsProgress(), 0.0);
        QCOMPARE(app.settingsStatusText(), QString());
        QVERIFY(app.logLines().isEmpty());
        QVERIFY(!app.isConnected() && !app.isBusy() && !app.alertMessage());
        QCOMPARE(UserDefaults::value(AppModel::preferencesKey()).toString(), stored);
    }

    void preferencesKeepEveryModelKey() {
        const AppPreferences preferences{RadioModel::ft991a,
                                         {{QStringLiteral("FT-710"), {QStringLiteral("/dev/ttyUSB0"), 9600}},
                                          {QStringLiteral("other"), {QStringLiteral("x"), 4800}}}};
        QCOMPARE(AppPreferences::decode(preferences.encode()), std::optional<AppPreferences>(preferences));
    }

    void serialDevicesAndTheChosenPort_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("chosen");
#ifdef Q_OS_MACOS
        QTest::addRow("sorted, others dropped")
            << QStringList{"cu.usbserial-B", "cu.Bluetooth-Incoming-Port", "tty.usbserial-B",
                           "cu.usbserial-A"}
            << QString() << QStringList{"cu.Bluetooth-Incoming-Port", "cu.usbserial-A", "cu.usbserial-B"}
            << "cu.Bluetooth-Incoming-Port";
#else
        QTest::addRow("sorted, others dropped")
            << QStringList{"ttyUSB1", "ttyS0", "ttyACM0", "ttyUSB0", "cu.usbserial-A", "video0"} << QString()
            << QStringList{"ttyACM0", "ttyUSB0", "ttyUSB1"} << "ttyACM0";
#endif
        const QStringList two{"ttyACM0", "ttyUSB1"};
        QTest::addRow("saved port listed") << two << "ttyUSB1" << two << "ttyUSB1";
        QTest::addRow("saved port gone") << two << "ttyUSB7" << two << "ttyACM0";
        QTest::addRow("no device folder") << QStringList() << "ttyUSB1" << QStringList() << QString();
    }
    void serialDevicesAndTheChosenPort() {
        QFETCH(QStringList, names);
        QFETCH(QString, saved);
        QFETCH(QStringList, listed);
        QFETCH(QString, chosen);
        for (const QString &name : names)
            makeDevice(name);
        const QString stored =
            AppPreferences{RadioModel::ft710, {{QStringLiteral("FT-710"), {path(saved), 9600}}}}.encode();
        UserDefaults::setValue(AppModel::preferencesKey(), stored);
        AppModel::Options folder = options();
        if (names.isEmpty())
            folder.deviceFolder = path("absent");
        AppModel app(folder);
        QStringList paths;
        for (const QString &name : listed)
            paths.append(path(name));
        QCOMPARE(app.availablePorts(), paths);
        QCOMPARE(app.selectedPort(), path(chosen));
        QCOMPARE(app.baudRate(), 9600);
        QCOMPARE(UserDefaults::value(AppModel::preferencesKey()).toString(), stored);
    }

    void preferencesAreWrittenWhenAPortOrRateIsChosenNotOnRefresh() {
        makeDevice("ttyUSB0");
        makeDevice("ttyUSB1");
        AppModel app(options());
        app.refreshPorts();
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());

        app.setBaudRate(57600);
        QCOMPARE(storedSettings("FT-710"), (DeviceSettings{path("ttyUSB0"), 57600}));
        app.setSelectedPort(path("ttyUSB1"));
        QCOMPARE(storedSettings("FT-710").selectedPort, path("ttyUSB1"));

        QFile::remove(path("ttyUSB0"));
        app.refreshPorts(); // a listed port stays
        QCOMPARE(app.selectedPort(), path("ttyUSB1"));
        QFile::remove(path("ttyUSB1"));
        app.refreshPorts();
        QCOMPARE(app.selectedPort(), QString());
        QCOMPARE(storedSettings("FT-710").selectedPort, path("ttyUSB1"));

        app.setSelectedPort(QStringLiteral("/nowhere/ttyUSB9")); // not listed, stored anyway
        QCOMPARE(storedSettings("FT-710").selectedPort, QStringLiteral("/nowhere/ttyUSB9"));
    }

    void logLinesAreNewestFirstInTheLanguageOfTheMoment_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("prefix");
        QTest::addRow("morning") << QTime(9, 5, 7) << "[09:05:07] ";
        QTest::addRow("evening") << QTime(21, 5, 7) << "[21:05:07] ";
    }
    void logLinesAreNewestFirstInTheLanguageOfTheMoment() {
        QFETCH(QTime, time);
        QFETCH(QString, prefix);
        m_now = time;
        AppModel app(options());
        QSignalSpy changes(&app, &AppModel::logLinesChanged);
        app.copyLogToPasteboard();
        QCOMPARE(m_clipboard, QStringList{QString()});
        app.appendLog(QStringLiteral("second\nline"));
        QCOMPARE(changes.count(), 2);
        m_preferred = {QStringLiteral("en-US")};
        app.copyLogToPasteboard();
        QCOMPARE(m_clipboard.last(),
                 prefix + "second\nline\n" + prefix + "Log in die Zwischenablage kopiert");
        QCOMPARE(app.logLines(), QStringList({prefix + "Log copied to clipboard", prefix + "second\nline",
                                              prefix + "Log in die Zwischenablage kopiert"}));
        app.clearLog();
        QCOMPARE(app.logLines(), QStringList{prefix + "Log cleared"});
    }

    void memoryTableRowsAndSelection() {
        AppModel app(options());
        QSignalSpy rowChanges(&app, &AppModel::memoryChanged);
        QSignalSpy tableChanges(&app, &AppModel::memoriesChanged);
        RadioMemory channel = RadioMemory::empty(QStringLiteral("005"), RadioModel::ft710);
        channel.frequency = QStringLiteral("145500000");
        app.replaceMemory(channel); // in place: one row repaints
        QCOMPARE(app.memories().at(4), channel);
        QCOMPARE(rowChanges.count(), 1);
        QCOMPARE(rowChanges.first().first().toInt(), 4);
        app.setMemoryAt(99, channel);
        app.setMemoryAt(-1, channel);
        QCOMPARE(rowChanges.count(), 1);
        QCOMPARE(tableChanges.count(), 0);

        RadioMemory first = RadioMemory::empty(QStringLiteral("003"), RadioModel::ft710);
        first.tag = QStringLiteral("FIRST");
        RadioMemory second = first;
        second.slot = QStringLiteral("004");
        second.tag = QStringLiteral("SECOND");
        app.applyImportedBackup(
            MemoryBackup{RadioModel::ft710, {second, first}, QDateTime::currentDateTimeUtc()});
        QCOMPARE(app.selectedMemory()->tag, QStringLiteral("FIRST"));
        app.replaceMemory(RadioMemory::empty(QStringLiteral("001"), RadioModel::ft710)); // appended, sorted
        QCOMPARE(app.memories().first().slot, QStringLiteral("001"));
        QCOMPARE(app.selectedMemoryID(), std::optional<QString>(QStringLiteral("003")));
        app.setSelectedMemoryID(QStringLiteral("500"));
        QVERIFY(!app.selectedMemory());
        app.setSelectedMemoryID(std::nullopt);
        QVERIFY(!app.selectedMemory());

        QSignalSpy alerts(&app,
                          &AppModel::alertMessageChanged); // every assignment signals, also an equal one
        app.setAlertMessage(QStringLiteral("x"));
        app.setAlertMessage(QStringLiteral("x"));
        QCOMPARE(alerts.count(), 2);
    }

    void radioOperationsNeedALink() {
        AppModel app(options());
        app.setSettingValue(app.settingsStates().first().id(),
                            QStringLiteral("1")); // not-connected comes first
        QSignalSpy busy(&app, &AppModel::isBusyChanged);
        const QList<std::function<void()>> operations = {
            [&] { app.readAll(); },
            [&] { app.readSelected(); },
            [&] { app.writeSelected(app.memories().first()); },
            [&] { app.readSettings(); },
            [&] { app.writeSettings(); },
            [&] {
                app.setSelectedMemoryID(std::nullopt);
                app.readSelected();
            },
        };
        for (const auto &operation : operations) {
            app.setAlertMessage(std::nullopt);
            operation();
            QCOMPARE(app.alertMessage(),
                     std::optional<QString>(QStringLiteral("Keine aktive CAT-Verbindung.")));
        }
        QCOMPARE(busy.count(), 0);
        QVERIFY(app.logLines().isEmpty());
    }

    void connectToAnUnopenablePathFailsButStoresTheChoice() {
        m_preferred = {QStringLiteral("en-US")};
        AppModel app(options());
        const QString missing = path("ttyUSB-missing");
        app.setSelectedPort(missing);
        app.setBaudRate(9600);
        UserDefaults::remove(AppModel::preferencesKey());
        app.connect();
        QVERIFY(!app.isConnected());
        QCOMPARE(app.alertMessage(),
                 std::optional<QString>(QStringLiteral("Could not open port: ") + missing));
        QCOMPARE(app.logLines(),
                 QStringList{"[12:00:00] Connection failed: Could not open port: " + missing});
        QCOMPARE(storedSettings("FT-710"), (DeviceSettings{missing, 9600}));
    }

    void switchingTheModelRebuildsAndRestoresSettings() {
        makeDevice("ttyUSB0");
        makeDevice("ttyUSB1");
        AppModel app(options());
        app.setSelectedPort(path("ttyUSB1"));
        app.setBaudRate(9600);
        app.setSettingValue(app.settingsStates().first().id(), QStringLiteral("1"));
        UserDefaults::remove(AppModel::preferencesKey());
        QSignalSpy tables(&app, &AppModel::memoriesChanged);
        app.setSelectedRadioModel(RadioModel::ft710); // the selected one: nothing happens
        QCOMPARE(tables.count(), 0);
        QVERIFY(app.logLines().isEmpty());
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());

        app.setSelectedRadioModel(RadioModel::ft991a);
        QCOMPARE(app.memories().size(), 117);
        QCOMPARE(app.selectedMemoryID(), std::optional<QString>(QStringLiteral("001")));
        QCOMPARE(app.settingsStates().size(), DeviceSettingDefinition::ft991aDefinitions().size());
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.baudRate(), 38400);
        QCOMPARE(app.selectedPort(), path("ttyUSB1"));
        QCOMPARE(app.logLines(), QStringList{"[12:00:00] Funkmodell gewechselt zu FT-991A"});
        QCOMPARE(storedPreferences().selectedRadioModel, RadioModel::ft991a);
        QCOMPARE(storedSettings("FT-991A"), (DeviceSettings{path("ttyUSB1"), 38400}));

        app.setSelectedPort(path("ttyUSB0"));
        app.setSelectedRadioModel(RadioModel::ft710);
        QCOMPARE(app.baudRate(), 9600);
        QCOMPARE(app.selectedPort(), path("ttyUSB1"));
        QCOMPARE(app.memories().size(), 99);
    }

    void settingValuesAreEditedAndRestored() {
        AppModel app(options());
        QSignalSpy changes(&app, &AppModel::settingsStatesChanged);
        app.setSettingValue(QStringLiteral("no.such.item"), QStringLiteral("1"));
        QCOMPARE(changes.count(), 0);
        const QString id = app.settingsStates().first().id(); // a numeric item
        app.setSettingValue(id, QStringLiteral(" 5 "));
        QCOMPARE(app.settingsStates().first().value, QStringLiteral(" 5 "));
        QVERIFY(app.hasDirtySettings());
        app.restoreSettingsToOriginal();
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.settingsStates().first().value, QString());
        QCOMPARE(changes.count(), 1 + app.settingsStates().size());
    }

    void exportedDocumentImportsIntoAnotherModel() {
        AppModel app(options());
        RadioMemory channel = RadioMemory::empty(QStringLiteral("007"), RadioModel::ft710);
        channel.frequency = QStringLiteral("7050000");
        channel.isEmpty = false;
        app.replaceMemory(channel);
        const QByteArray contents = app.backupDocument().fileContents();
        QCOMPARE(QJsonDocument::fromJson(contents).object().keys(),
                 QStringList({"exportedAt", "memories", "radioModel"}));
        const MemoryBackup read = JSONBackupDocument::fromFileContents(contents).backup;
        QVERIFY(qAbs(read.exportedAt.secsTo(QDateTime::currentDateTimeUtc())) < 5);

        AppModel other(options());
        other.setSelectedRadioModel(RadioModel::ft991a);
        other.applyImportedBackup(read);
        QCOMPARE(other.selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(other.memories(), app.memories());
    }

    // Nothing of a backup with a channel the model cannot hold is taken: no model switch, no row.
    void faultyBackupIsRefusedWhole_data() {
        QTest::addColumn<QStringList>("slotTexts");
        QTest::addColumn<RadioModel>("channelModel");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("alert");
        const QString notASlot = QStringLiteral(
            "Backup nicht importiert: Eintrag %1 (Speicherplatz „%2“) ist kein Speicherplatz des "
            "FT-991A.");
        const auto ft991a = RadioModel::ft991a;
        for (const QString slot : {"abc", "999", "000", "-1", "003;EX026099"})
            QTest::addRow("%s", qPrintable(slot))
                << QStringList{"001", slot} << ft991a << "de" << notASlot.arg(2).arg(slot);
        QTest::addRow("slot twice")
            << QStringList{"001", "002", "001"} << ft991a << "de"
            << "Backup nicht importiert: Eintrag 3 (Speicherplatz „001“) kommt doppelt vor.";
        QTest::addRow("other model, English")
            << QStringList{"005"} << RadioModel::ft710 << "en"
            << R"(Backup not imported: entry 1 (slot "005") belongs to the FT-710, not the FT-991A.)";
    }
    void faultyBackupIsRefusedWhole() {
        QFETCH(QStringList, slotTexts);
        QFETCH(RadioModel, channelModel);
        QFETCH(QString, language);
        QFETCH(QString, alert);
        m_preferred = {language};
        AppModel app(options());
        const QList<RadioMemory> before = app.memories();
        QList<RadioMemory> channels;
        for (const QString &slot : slotTexts)
            channels.append(RadioMemory::empty(slot, channelModel));
        app.applyImportedBackup(MemoryBackup{RadioModel::ft991a, channels, QDateTime::currentDateTimeUtc()});
        QCOMPARE(app.alertMessage(), std::optional<QString>(alert));
        QCOMPARE(app.selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(app.memories(), before);
        QVERIFY(app.logLines().isEmpty());
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
    QStringList m_preferred;
    QStringList m_clipboard;
    QTime m_now{12, 0, 0};
};

QTEST_GUILESS_MAIN(AppModelTest)
#include "tst_appmodel.moc"
