#pragma once

#include "AppModel/ActivityLog.h"
#include "AppModel/JSONBackupDocument.h"
#include "AppModel/LinkFactory.h"
#include "AppModel/MemoryOperations.h"
#include "AppModel/OperationFrame.h"
#include "AppModel/PreferencesStore.h"
#include "AppModel/SerialDeviceList.h"
#include "AppModel/SettingsOperations.h"
#include "Model/DeviceSettingDefinition.h"
#include "Model/DeviceSettingState.h"
#include "Model/MemoryBackup.h"
#include "Model/RadioMemory.h"
#include "Model/RadioModel.h"
#include "Model/SettingsOperationPhase.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>
#include <memory>
#include <optional>

// The one application state: connection choices, the link, the memory table, the menu-setting
// states and the activity log. Every view reads its properties and calls its operations; all of it
// lives on the main thread. Radio operations return at once and run as one cancellable task each.
// Behind it work its parts: the stored preferences, the device list, the log, the link a factory
// builds on connect, the memory operations and the menu-settings operations; the two operation
// parts reach it only as their OperationFrame.
//
// Each property has one change signal, emitted once per assignment (also for an equal value).
// `memories` has two: `memoriesChanged()` when the table is assigned as a whole, and
// `memoryChanged(row)` when one row is replaced in place (the table repaints that row only).
class AppModel : public QObject, private OperationFrame {
    Q_OBJECT
    Q_PROPERTY(RadioModel selectedRadioModel READ selectedRadioModel NOTIFY selectedRadioModelChanged)
    Q_PROPERTY(QStringList availablePorts READ availablePorts NOTIFY availablePortsChanged)
    Q_PROPERTY(QString selectedPort READ selectedPort NOTIFY selectedPortChanged)
    Q_PROPERTY(int baudRate READ baudRate NOTIFY baudRateChanged)
    Q_PROPERTY(bool isConnected READ isConnected NOTIFY isConnectedChanged)
    Q_PROPERTY(QList<RadioMemory> memories READ memories NOTIFY memoriesChanged)
    Q_PROPERTY(std::optional<QString> selectedMemoryID READ selectedMemoryID WRITE setSelectedMemoryID NOTIFY
                   selectedMemoryIDChanged)
    Q_PROPERTY(bool isBusy READ isBusy NOTIFY isBusyChanged)
    Q_PROPERTY(QStringList logLines READ logLines NOTIFY logLinesChanged)
    Q_PROPERTY(std::optional<QString> alertMessage READ alertMessage WRITE setAlertMessage NOTIFY
                   alertMessageChanged)
    Q_PROPERTY(QList<DeviceSettingState> settingsStates READ settingsStates NOTIFY settingsStatesChanged)
    Q_PROPERTY(SettingsOperationPhase settingsPhase READ settingsPhase NOTIFY settingsPhaseChanged)
    Q_PROPERTY(double settingsProgress READ settingsProgress NOTIFY settingsProgressChanged)
    Q_PROPERTY(QString settingsStatusText READ settingsStatusText NOTIFY settingsStatusTextChanged)

public:
    // What the application hands in; tests replace the device folder, the clipboard and the clock
    // of the log lines, and may build the link their own way.
    struct Options {
        QString deviceFolder = QStringLiteral("/dev");
        std::function<void(const QString &)> writeClipboard = {}; // nothing is copied when empty
        std::function<QTime()> clock = {};                        // the local time when empty
        LinkFactory::Function openLink = LinkFactory::open;
    };

    // The settings key of the stored preferences record.
    static const QString &preferencesKey();

    explicit AppModel(QObject *parent = nullptr);
    explicit AppModel(Options options, QObject *parent = nullptr);
    ~AppModel() override;

    // Published state.
    RadioModel selectedRadioModel() const override { return m_selectedRadioModel; }
    const QStringList &availablePorts() const { return m_availablePorts; }
    const QString &selectedPort() const { return m_selectedPort; }
    int baudRate() const { return m_baudRate; }
    bool isConnected() const { return m_isConnected; }
    const QList<RadioMemory> &memories() const { return m_memoryOperations.memories(); }
    const std::optional<QString> &selectedMemoryID() const { return m_memoryOperations.selectedMemoryID(); }
    bool isBusy() const { return m_isBusy; }
    const QStringList &logLines() const { return m_log.lines(); }
    const std::optional<QString> &alertMessage() const { return m_alertMessage; }
    const QList<DeviceSettingState> &settingsStates() const { return m_settings.states(); }
    SettingsOperationPhase settingsPhase() const { return m_settings.phase(); }
    double settingsProgress() const { return m_settings.progress(); }
    const QString &settingsStatusText() const { return m_settings.statusText(); }

    // The two properties views assign directly.
    void setSelectedMemoryID(const std::optional<QString> &id);
    void setAlertMessage(const std::optional<QString> &message) override;

    // The first row whose slot is the selected id; none when nothing is selected or no row has it.
    std::optional<RadioMemory> selectedMemory() const;
    // Replaces the row at `row` (the memory table's in-place edit); a row outside the table is ignored.
    void setMemoryAt(int row, const RadioMemory &memory);

    // Preferences and serial devices.
    void refreshPorts();
    void setSelectedPort(const QString &port);
    void setBaudRate(int rate);

    // Activity log, newest line first.
    void appendLog(const QString &message) override;
    void copyLogToPasteboard();
    void clearLog();

    // The link.
    void connect();
    void disconnect();
    void setSelectedRadioModel(RadioModel model);

    // Memory channels.
    void readAll();
    void readSelected();
    void replaceMemory(const RadioMemory &memory);
    void writeSelected(const RadioMemory &memory);
    // Shows the error the connected radio's write would refuse the channel with before sending
    // anything (a field the serial port cannot send) and returns true; false when it would be sent
    // or no radio is connected. The editors ask before they store a channel they are to write.
    bool alertIfUnsendable(const RadioMemory &memory);
    // Refuses, with an alert and changing nothing, a backup with a channel its model cannot hold:
    // a slot outside the model's range or not three digits, a slot twice, another model's channel.
    void applyImportedBackup(const MemoryBackup &backup);
    JSONBackupDocument backupDocument() const;

    // Menu settings.
    const QList<DeviceSettingDefinition> &currentSettingDefinitions() const;
    void resetSettingsStates();
    bool hasDirtySettings() const;
    void setSettingValue(const QString &id, const QString &value);
    void restoreSettingsToOriginal();
    void readSettings();
    void writeSettings();

signals:
    void selectedRadioModelChanged();
    void availablePortsChanged();
    void selectedPortChanged();
    void baudRateChanged();
    void isConnectedChanged();
    void memoriesChanged();
    void memoryChanged(int row);
    void selectedMemoryIDChanged();
    void isBusyChanged();
    void logLinesChanged();
    void alertMessageChanged();
    void settingsStatesChanged();
    void settingsPhaseChanged();
    void settingsProgressChanged();
    void settingsStatusTextChanged();

private:
    // Published setters: one signal per assignment.
    template <typename T> void publish(T &field, const T &value, void (AppModel::*changed)()) {
        field = value;
        emit(this->*changed)();
    }
    void setSelectedRadioModelValue(RadioModel model);
    void setAvailablePorts(const QStringList &ports);
    void setSelectedPortValue(const QString &port);
    void setBaudRateValue(int rate);
    void setIsConnected(bool connected);
    void setIsBusy(bool busy);

    // The stored model and the saved settings, when a readable record is stored.
    void loadPreferences();
    // Keeps the selected model's port and baud rate in memory; stores nothing.
    void persistCurrentDeviceSettings();
    // Keeps them and stores the whole record.
    void savePreferences();
    DeviceSettings currentDeviceSettings() const { return DeviceSettings{m_selectedPort, m_baudRate}; }
    void applySavedSettings(RadioModel model);

    // The link's end as disconnect() makes it, logged with `logLine` when a link was open.
    void endConnection(const QString &logLine);
    // The port's reports: the device went away, noise was dropped.
    void connectionLost();
    void logDroppedNoise();

    // The frame every radio operation runs in.
    std::shared_ptr<RadioServiceProtocol> radioService() const override { return m_link.radioService; }
    std::shared_ptr<CATConnection> catConnection() const override { return m_link.catConnection; }
    Token beginOperation() override;
    void endOperation(const Token &token) override;

    RadioModel m_selectedRadioModel = RadioModel::ft710;
    QStringList m_availablePorts;
    QString m_selectedPort;
    int m_baudRate = DeviceSettings::defaultBaudRate;
    bool m_isConnected = false;
    bool m_isBusy = false;
    std::optional<QString> m_alertMessage;

    PreferencesStore m_preferences;
    SerialDeviceList m_devices;
    ActivityLog m_log;
    const LinkFactory::Function m_openLink;
    LinkFactory::Link m_link;
    Token m_activeTask;
    MemoryOperations m_memoryOperations{*this};
    SettingsOperations m_settings{*this};
};
