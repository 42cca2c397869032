#include "AppModel/AppModel.h"
#include "AppModel/AppPreferences.h"
#include "Localization/UserDefaults.h"
#include "MemoryRecord.h"
#include "TestSettings.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Everything of the application model that needs no radio: start-up, preferences, the device list,
// the log, the memory table, a link that cannot open, the menu-setting states and the backups.
class AppModelTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        m_devices = std::make_unique<QTemporaryDir>();
        TestSettings::setLanguage(u"de"_s);
        m_clipboard.clear();
        m_now = QTime(12, 0, 0);
    }

    // An unreadable record is ignored whole and left in the store. Stored text | FT-991A at 57600 baud.
    void startUp_data() {
        const char *const stored = R"({"selectedRadioModel":"FT-991A","savedSettingsByModel":{"FT-991A":)";
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("readable");
        QTest::addRow("nothing stored") << QString() << false;
        for (const auto &[settings, readable] : std::initializer_list<std::pair<const char *, bool>>{
                 {R"({"selectedPort":"","baudRate":57600}})", true},
                 {R"({"selectedPort":"","baudRate":57600.0}})", true},
                 {R"({"selectedPort":"","baudRate":"57600"}})", false},
                 {R"({"selectedPort":""}})", false},
                 {R"({"selectedPort":"","baudRate":96.5}})", false},
                 {R"({"selectedPort":"","baudRate":12345}})", false},
                 {R"({"selectedPort":null,"baudRate":57600}})", false},
                 {R"(57600})", false}})
            QTest::addRow("%s", settings)
                << QString::fromLatin1(stored) + QString::fromLatin1(settings) + u"}"_s << readable;
        for (const char *record :
             {"{selectedRadioModel", R"({"selectedRadioModel":"FT-1000","savedSettingsByModel":{}})",
              R"({"savedSettingsByModel":{}})", R"({"selectedRadioModel":"FT-991A"})"})
            QTest::addRow("%s", record) << QString::fromLatin1(record) << false;
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
        QCOMPARE(app.selectedPort() + app.availablePorts().join(u' '), QString());
        QCOMPARE(app.memories().size(), memoryRange(model).count());
        QCOMPARE(app.memories().last(),
                 RadioMemory::empty(RadioMemory::slotText(memoryRange(model).upperBound), model));
        QCOMPARE(app.selectedMemoryID(), std::optional(u"001"_s));
        QCOMPARE(app.settingsStates().last().definition(), app.currentSettingDefinitions().last());
        QVERIFY(!app.hasDirtySettings() && !app.isConnected() && !app.isBusy() && !app.alertMessage());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QVERIFY(app.settingsProgress() == 0.0 && app.settingsStatusText().isEmpty() &&
                app.logLines().isEmpty());
        QCOMPARE(UserDefaults::value(AppModel::preferencesKey()).toString(), stored);
    }

    void preferencesKeepEveryModelKey() {
        const AppPreferences preferences{
            RadioModel::ft991a, {{u"FT-710"_s, {u"/dev/ttyUSB0"_s, 9600}}, {u"other"_s, {u"x"_s, 4800}}}};
        QCOMPARE(AppPreferences::decode(preferences.encode()), std::optional(preferences));
    }

    // The devices of the folder whose names a radio's port has, sorted; the saved one if listed.
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
            AppPreferences{RadioModel::ft710, {{u"FT-710"_s, {path(saved), 9600}}}}.encode();
        UserDefaults::setValue(AppModel::preferencesKey(), stored);
        AppModel::Options folder = options();
        if (names.isEmpty())
            folder.deviceFolder = path(u"absent"_s);
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
        makeDevice(u"ttyUSB0"_s);
        makeDevice(u"ttyUSB1"_s);
        AppModel app(options());
        app.refreshPorts();
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
        app.setBaudRate(57600);
        QCOMPARE(storedSettings("FT-710"), (DeviceSettings{path(u"ttyUSB0"_s), 57600}));
        app.setSelectedPort(path(u"ttyUSB1"_s));
        QCOMPARE(storedSettings("FT-710").selectedPort, path(u"ttyUSB1"_s));
        QFile::remove(path(u"ttyUSB0"_s));
        app.refreshPorts(); // a listed port stays
        QCOMPARE(app.selectedPort(), path(u"ttyUSB1"_s));
        QFile::remove(path(u"ttyUSB1"_s));
        app.refreshPorts();
        QCOMPARE(app.selectedPort(), QString());
        QCOMPARE(storedSettings("FT-710").selectedPort, path(u"ttyUSB1"_s));
        makeDevice(u"ttyUSB1"_s);
        app.refreshPorts(); // the saved port is back
        QCOMPARE(app.selectedPort(), path(u"ttyUSB1"_s));
        app.setSelectedPort(u"/nowhere/ttyUSB9"_s); // not listed, stored anyway
        QCOMPARE(storedSettings("FT-710").selectedPort, u"/nowhere/ttyUSB9"_s);
    }

    // Newest first, stamped with the time; each line in the language of its moment.
    void logLines() {
        m_now = QTime(9, 5, 7);
        AppModel app(options());
        QSignalSpy changes(&app, &AppModel::logLinesChanged);
        app.copyLogToPasteboard();
        QCOMPARE(m_clipboard, QStringList{QString()});
        app.appendLog(u"second\nline"_s);
        QCOMPARE(changes.count(), 2);
        TestSettings::setLanguage(u"en"_s);
        app.copyLogToPasteboard();
        QCOMPARE(m_clipboard.last(),
                 u"[09:05:07] second\nline\n[09:05:07] Log in die Zwischenablage kopiert"_s);
        QCOMPARE(app.logLines().first(), u"[09:05:07] Log copied to clipboard"_s);
        app.clearLog();
        QCOMPARE(app.logLines(), QStringList{u"[09:05:07] Log cleared"_s});
        TestSettings::setLanguage(u"de"_s);
        app.clearLog();
        QCOMPARE(app.logLines(), QStringList{u"[09:05:07] Log gelöscht"_s});
        QCOMPARE(changes.count(), 7);
    }

    // A row is replaced in place (one row repaints); a slot the table lacks is added and the table
    // sorted again; every assignment signals, also of an equal value.
    void memoryTableRowsAndSelection() {
        AppModel app(options());
        QSignalSpy rowChanges(&app, &AppModel::memoryChanged);
        QSignalSpy tableChanges(&app, &AppModel::memoriesChanged);
        const RadioMemory fifth = memoryRecord(RadioModel::ft710, {{"slot", "005"}});
        app.replaceMemory(fifth);
        QCOMPARE(app.memories().at(4), fifth);
        QCOMPARE(rowChanges.count(), 1);
        QCOMPARE(rowChanges.first().first().toInt(), 4);
        app.setMemoryAt(99, fifth);
        app.setMemoryAt(-1, fifth);
        QCOMPARE(rowChanges.count() + tableChanges.count(), 1);
        const RadioMemory beyond = memoryRecord(RadioModel::ft710, {{"slot", "100"}});
        app.replaceMemory(beyond);
        QCOMPARE(app.memories().last(), beyond);
        app.replaceMemory(memoryRecord(RadioModel::ft710, {{"slot", "000"}}));
        QCOMPARE(app.memories().first().slot, u"000"_s);
        QCOMPARE(tableChanges.count(), 2);
        QCOMPARE(app.selectedMemoryID(), std::optional(u"001"_s));
        app.setSelectedMemoryID(u"005"_s);
        QCOMPARE(app.selectedMemory(), std::optional(fifth));
        app.setSelectedMemoryID(u"500"_s);
        QVERIFY(!app.selectedMemory());
        app.setSelectedMemoryID(std::nullopt);
        QVERIFY(!app.selectedMemory());
        QSignalSpy alerts(&app, &AppModel::alertMessageChanged);
        app.setAlertMessage(u"x"_s);
        app.setAlertMessage(u"x"_s);
        QCOMPARE(alerts.count(), 2);
    }

    void radioOperationsNeedALink() {
        AppModel app(options());
        app.setSettingValue(app.settingsStates().first().id(), u"1"_s); // not-connected comes first
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
            QCOMPARE(app.alertMessage(), std::optional(u"Keine aktive CAT-Verbindung."_s));
        }
        QVERIFY(!app.alertIfUnsendable(memoryRecord(RadioModel::ft710, {{"tag", "Zürich"}})));
        QCOMPARE(busy.count(), 0);
        QVERIFY(app.logLines().isEmpty());
    }

    void connectToAnUnopenablePathFailsButStoresTheChoice() {
        TestSettings::setLanguage(u"en"_s);
        AppModel app(options());
        const QString missing = path(u"ttyUSB-missing"_s);
        app.setSelectedPort(missing);
        app.setBaudRate(9600);
        UserDefaults::remove(AppModel::preferencesKey());
        app.connect();
        QVERIFY(!app.isConnected());
        QCOMPARE(app.alertMessage(), std::optional(u"Could not open port: "_s + missing));
        QCOMPARE(app.logLines(),
                 QStringList{"[12:00:00] Connection failed: Could not open port: " + missing});
        QCOMPARE(storedSettings("FT-710"), (DeviceSettings{missing, 9600}));
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
        QSignalSpy tables(&app, &AppModel::memoriesChanged);
        app.setSelectedRadioModel(RadioModel::ft710); // the selected one: nothing happens
        QCOMPARE(tables.count(), 0);
        QVERIFY(app.logLines().isEmpty() && !UserDefaults::value(AppModel::preferencesKey()).isValid());

        app.setSelectedRadioModel(RadioModel::ft991a);
        QCOMPARE(app.memories().size(), memoryRange(RadioModel::ft991a).count());
        QCOMPARE(app.selectedMemoryID(), std::optional(u"001"_s));
        QCOMPARE(app.settingsStates().size(), DeviceSettingDefinition::ft991aDefinitions().size());
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.baudRate(), 38400);
        QCOMPARE(app.selectedPort(), path(u"ttyUSB1"_s));
        QCOMPARE(app.logLines(), QStringList{u"[12:00:00] Funkmodell gewechselt zu FT-991A"_s});
        QCOMPARE(storedPreferences().selectedRadioModel, RadioModel::ft991a);
        QCOMPARE(storedSettings("FT-991A"), (DeviceSettings{path(u"ttyUSB1"_s), 38400}));

        app.setSelectedPort(path(u"ttyUSB0"_s));
        TestSettings::setLanguage(u"en"_s);
        app.setSelectedRadioModel(RadioModel::ft710);
        QCOMPARE(app.logLines().first(), u"[12:00:00] Radio model switched to FT-710"_s);
        QCOMPARE(app.baudRate(), 9600);
        QCOMPARE(app.selectedPort(), path(u"ttyUSB1"_s));
        QCOMPARE(app.memories().size(), memoryRange(RadioModel::ft710).count());
    }

    void settingValuesAreEditedAndRestored() {
        AppModel app(options());
        QSignalSpy changes(&app, &AppModel::settingsStatesChanged);
        app.setSettingValue(u"no.such.item"_s, u"1"_s);
        QCOMPARE(changes.count(), 0);
        const QString id = app.settingsStates().at(1).id();
        app.setSettingValue(id, u" 5 "_s);
        QCOMPARE(app.settingsStates().at(1).value, u" 5 "_s);
        QVERIFY(app.hasDirtySettings());
        app.restoreSettingsToOriginal();
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.settingsStates().at(1).value, QString());
        QCOMPARE(changes.count(), 1 + app.settingsStates().size());
    }

    void exportedDocumentImportsIntoAnotherModel() {
        AppModel app(options());
        app.replaceMemory(memoryRecord(RadioModel::ft710, {{"slot", "007"}}));
        const QByteArray contents = app.backupDocument().fileContents();
        const MemoryBackup read = JSONBackupDocument::fromFileContents(contents).backup;
        QVERIFY(qAbs(read.exportedAt.secsTo(QDateTime::currentDateTimeUtc())) < 5);
        QCOMPARE(JSONBackupDocument::nameFilter(), u"JSON (*.json)"_s);

        AppModel other(options());
        other.setSelectedRadioModel(RadioModel::ft991a);
        other.setSelectedMemoryID(u"050"_s);
        other.applyImportedBackup(read);
        QCOMPARE(other.selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(other.memories(), app.memories());
        QCOMPARE(other.selectedMemoryID(), std::optional(u"001"_s));
        QCOMPARE(other.logLines().first(),
                 u"[12:00:00] Backup mit %1 Speichern importiert"_s.arg(app.memories().size()));
    }

    // Nothing of a backup with a channel the model cannot hold is taken: no model switch, no row.
    void faultyBackupIsRefusedWhole_data() {
        QTest::addColumn<QStringList>("slotTexts");
        QTest::addColumn<RadioModel>("channelModel");
        QTest::addColumn<QString>("alert");
        const QString notASlot =
            u"Backup nicht importiert: Eintrag %1 (Speicherplatz „%2“) ist kein Speicherplatz "
            "des FT-991A."_s;
        for (const char *slot : {"abc", "999", "118", "000", "-1", "003;EX026099"})
            QTest::addRow("%s", slot)
                << QStringList{"001", slot} << RadioModel::ft991a << notASlot.arg(2).arg(slot);
        QTest::addRow("slot twice")
            << QStringList{"001", "002", "001"} << RadioModel::ft991a
            << "Backup nicht importiert: Eintrag 3 (Speicherplatz „001“) kommt doppelt vor.";
        QTest::addRow("other model, English")
            << QStringList{"005"} << RadioModel::ft710
            << R"(Backup not imported: entry 1 (slot "005") belongs to the FT-710, not the FT-991A.)";
    }
    void faultyBackupIsRefusedWhole() {
        QFETCH(QStringList, slotTexts);
        QFETCH(RadioModel, channelModel);
        QFETCH(QString, alert);
        if (alert.startsWith(u"Backup not"))
            TestSettings::setLanguage(u"en"_s);
        AppModel app(options());
        const QList<RadioMemory> before = app.memories();
        QList<RadioMemory> channels;
        for (const QString &slot : slotTexts)
            channels.append(RadioMemory::empty(slot, channelModel));
        app.applyImportedBackup(MemoryBackup{RadioModel::ft991a, channels, QDateTime::currentDateTimeUtc()});
        QCOMPARE(app.alertMessage(), std::optional(alert));
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
    QStringList m_clipboard;
    QTime m_now;
};

QTEST_GUILESS_MAIN(AppModelTest)
#include "tst_appmodel.moc"
