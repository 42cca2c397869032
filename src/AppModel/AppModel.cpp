#include "AppModel/AppModel.h"

#include "Localization/L.h"
#include "RadioLink/CATConnection.h"
#include "RadioLink/CancellationToken.h"
#include "RadioLink/RadioServiceProtocol.h"
#include "RadioLink/SerialPort.h"

#include <QPointer>

namespace {

QString framingLabel(RadioModel model) {
    return model == RadioModel::ft991a ? QStringLiteral("8N2 / HW-Handshake") : QStringLiteral("8N1");
}

} // namespace

const QString &AppModel::preferencesKey() {
    return PreferencesStore::key();
}

AppModel::AppModel(QObject *parent)
    : AppModel(Options{}, parent) {
}

AppModel::AppModel(Options options, QObject *parent)
    : QObject(parent)
    , m_devices(options.deviceFolder)
    , m_log(options.clock, options.writeClipboard)
    , m_openLink(options.openLink) {
    QObject::connect(&m_log, &ActivityLog::linesChanged, this, &AppModel::logLinesChanged);
    QObject::connect(&m_memoryOperations, &MemoryOperations::memoriesChanged, this,
                     &AppModel::memoriesChanged);
    QObject::connect(&m_memoryOperations, &MemoryOperations::memoryChanged, this, &AppModel::memoryChanged);
    QObject::connect(&m_memoryOperations, &MemoryOperations::selectedMemoryIDChanged, this,
                     &AppModel::selectedMemoryIDChanged);
    QObject::connect(&m_settings, &SettingsOperations::statesChanged, this, &AppModel::settingsStatesChanged);
    QObject::connect(&m_settings, &SettingsOperations::phaseChanged, this, &AppModel::settingsPhaseChanged);
    QObject::connect(&m_settings, &SettingsOperations::progressChanged, this,
                     &AppModel::settingsProgressChanged);
    QObject::connect(&m_settings, &SettingsOperations::statusTextChanged, this,
                     &AppModel::settingsStatusTextChanged);
    loadPreferences();
    refreshPorts();
    applySavedSettings(m_selectedRadioModel);
    m_memoryOperations.rebuildEmptyMemories(m_selectedRadioModel);
    resetSettingsStates();
}

AppModel::~AppModel() = default;

// Published setters

void AppModel::setSelectedRadioModelValue(RadioModel model) {
    publish(m_selectedRadioModel, model, &AppModel::selectedRadioModelChanged);
}

void AppModel::setAvailablePorts(const QStringList &ports) {
    publish(m_availablePorts, ports, &AppModel::availablePortsChanged);
}

void AppModel::setSelectedPortValue(const QString &port) {
    publish(m_selectedPort, port, &AppModel::selectedPortChanged);
}

void AppModel::setBaudRateValue(int rate) {
    publish(m_baudRate, rate, &AppModel::baudRateChanged);
}

void AppModel::setIsConnected(bool connected) {
    publish(m_isConnected, connected, &AppModel::isConnectedChanged);
}

void AppModel::setIsBusy(bool busy) {
    publish(m_isBusy, busy, &AppModel::isBusyChanged);
}

void AppModel::setAlertMessage(const std::optional<QString> &message) {
    publish(m_alertMessage, message, &AppModel::alertMessageChanged);
}

// Memory table

void AppModel::setSelectedMemoryID(const std::optional<QString> &id) {
    m_memoryOperations.setSelectedMemoryID(id);
}

std::optional<RadioMemory> AppModel::selectedMemory() const {
    return m_memoryOperations.selectedMemory();
}

void AppModel::setMemoryAt(int row, const RadioMemory &memory) {
    m_memoryOperations.setMemoryAt(row, memory);
}

void AppModel::replaceMemory(const RadioMemory &memory) {
    m_memoryOperations.replaceMemory(memory);
}

JSONBackupDocument AppModel::backupDocument() const {
    return JSONBackupDocument(
        MemoryBackup{m_selectedRadioModel, memories(), QDateTime::currentDateTimeUtc()});
}

void AppModel::readAll() {
    m_memoryOperations.readAll();
}

void AppModel::readSelected() {
    m_memoryOperations.readSelected();
}

void AppModel::writeSelected(const RadioMemory &memory) {
    m_memoryOperations.writeSelected(memory);
}

bool AppModel::alertIfUnsendable(const RadioMemory &memory) {
    return m_memoryOperations.alertIfUnsendable(memory);
}

void AppModel::applyImportedBackup(const MemoryBackup &backup) {
    if (const std::optional<QString> fault = MemoryOperations::backupFault(backup)) {
        setAlertMessage(fault);
        return;
    }
    setSelectedRadioModel(backup.radioModel);
    m_memoryOperations.takeBackup(backup);
}

// Menu settings

const QList<DeviceSettingDefinition> &AppModel::currentSettingDefinitions() const {
    return m_settings.definitions();
}

void AppModel::resetSettingsStates() {
    m_settings.resetStates();
}

bool AppModel::hasDirtySettings() const {
    return m_settings.hasDirtyStates();
}

void AppModel::setSettingValue(const QString &id, const QString &value) {
    m_settings.setValue(id, value);
}

void AppModel::restoreSettingsToOriginal() {
    m_settings.restoreToOriginal();
}

void AppModel::readSettings() {
    m_settings.read();
}

void AppModel::writeSettings() {
    m_settings.write();
}

// Preferences and serial devices

void AppModel::loadPreferences() {
    if (const std::optional<RadioModel> stored = m_preferences.load())
        setSelectedRadioModelValue(*stored);
}

void AppModel::persistCurrentDeviceSettings() {
    m_preferences.remember(m_selectedRadioModel, currentDeviceSettings());
}

void AppModel::savePreferences() {
    const std::optional<QString> unwritten =
        m_preferences.save(m_selectedRadioModel, currentDeviceSettings());
    if (!unwritten)
        return;
    appendLog(L::text(QStringLiteral("Einstellungen konnten nicht gespeichert werden: Die Datei ") +
                          *unwritten + QStringLiteral(" konnte nicht geschrieben werden"),
                      QStringLiteral("Settings could not be saved: The file ") + *unwritten +
                          QStringLiteral(" could not be written")));
}

void AppModel::applySavedSettings(RadioModel model) {
    const std::optional<DeviceSettings> saved = m_preferences.saved(model);
    setBaudRateValue(saved ? saved->baudRate : DeviceSettings::defaultBaudRate);
    if (saved && !saved->selectedPort.isEmpty() && m_availablePorts.contains(saved->selectedPort)) {
        setSelectedPortValue(saved->selectedPort);
        return;
    }
    if (m_availablePorts.contains(m_selectedPort))
        return;
    setSelectedPortValue(m_availablePorts.value(0));
}

void AppModel::refreshPorts() {
    setAvailablePorts(m_devices.paths());
    if (m_availablePorts.contains(m_selectedPort))
        return;
    const QString saved = m_preferences.saved(m_selectedRadioModel).value_or(DeviceSettings{}).selectedPort;
    if (!saved.isEmpty() && m_availablePorts.contains(saved)) {
        setSelectedPortValue(saved);
        return;
    }
    setSelectedPortValue(m_availablePorts.value(0));
}

void AppModel::setSelectedPort(const QString &port) {
    setSelectedPortValue(port);
    savePreferences();
}

void AppModel::setBaudRate(int rate) {
    setBaudRateValue(rate);
    savePreferences();
}

// Activity log

void AppModel::appendLog(const QString &message) {
    m_log.append(message);
}

void AppModel::copyLogToPasteboard() {
    m_log.copyToClipboard();
}

void AppModel::clearLog() {
    m_log.clear();
}

// Link

void AppModel::connect() {
    if (m_selectedPort.isEmpty()) {
        setAlertMessage(L::text(QStringLiteral("Bitte zuerst einen seriellen Port auswählen."),
                                QStringLiteral("Please select a serial port first.")));
        return;
    }
    savePreferences();
    disconnect();

    QPointer<AppModel> self(this);
    const auto logger = [self](const QString &line) {
        if (self)
            self->appendLog(line);
    };
    LinkFactory::Link link;
    try {
        link = m_openLink({m_selectedPort, m_selectedRadioModel, m_baudRate, logger});
    } catch (const std::exception &error) {
        const QString description = QString::fromUtf8(error.what());
        setAlertMessage(description);
        appendLog(L::text(QStringLiteral("Verbindung fehlgeschlagen: ") + description,
                          QStringLiteral("Connection failed: ") + description));
        return;
    }
    // A report that comes in after its port was replaced concerns no link of ours.
    SerialPort *port = link.serialPort.get();
    for (const auto &[signal, reaction] :
         {std::pair(&SerialPort::hungUp, &AppModel::connectionLost),
          std::pair(&SerialPort::overlongLineDropped, &AppModel::logDroppedNoise)}) {
        QObject::connect(port, signal, this, [this, port, reaction] {
            if (m_link.serialPort.get() == port)
                (this->*reaction)();
        });
    }
    m_link = link;
    setIsConnected(true);
    appendLog(QStringLiteral("Opened %1 @ %2 [%3] [%4]")
                  .arg(m_selectedPort, QString::number(m_baudRate), rawValue(m_selectedRadioModel),
                       framingLabel(m_selectedRadioModel)));
}

void AppModel::disconnect() {
    endConnection(QStringLiteral("Disconnected"));
}

void AppModel::connectionLost() {
    const QString path = m_link.serialPort->path();
    const QString message = L::text(
        QStringLiteral("Verbindung zu %1 verloren – das Gerät wurde getrennt oder ist nicht mehr erreichbar.")
            .arg(path),
        QStringLiteral("Connection to %1 lost – the device was disconnected or is no longer available.")
            .arg(path));
    endConnection(message);
    setAlertMessage(message);
}

void AppModel::logDroppedNoise() {
    appendLog(L::text(QStringLiteral("Empfangene Daten ohne „;“ waren zu lang und wurden verworfen"),
                      QStringLiteral("Received data without \";\" was too long and has been discarded")));
}

void AppModel::endConnection(const QString &logLine) {
    if (m_activeTask) {
        m_activeTask->cancel();
        m_activeTask.reset();
    }
    if (m_link.serialPort)
        m_link.serialPort->closePort();
    m_link = LinkFactory::Link();
    m_settings.clearRun();
    if (m_isConnected)
        appendLog(logLine);
    setIsConnected(false);
    setIsBusy(false);
}

void AppModel::setSelectedRadioModel(RadioModel model) {
    if (model == m_selectedRadioModel)
        return;
    persistCurrentDeviceSettings();
    disconnect();
    setSelectedRadioModelValue(model);
    applySavedSettings(model);
    m_memoryOperations.rebuildEmptyMemories(model);
    resetSettingsStates();
    savePreferences();
    appendLog(L::text(QStringLiteral("Funkmodell gewechselt zu ") + rawValue(model),
                      QStringLiteral("Radio model switched to ") + rawValue(model)));
}

// Operation frame

AppModel::Token AppModel::beginOperation() {
    if (m_activeTask)
        m_activeTask->cancel();
    setIsBusy(true);
    m_activeTask = std::make_shared<CancellationToken>();
    return m_activeTask;
}

void AppModel::endOperation(const Token &token) {
    if (m_activeTask != token)
        return;
    setIsBusy(false);
    m_activeTask.reset();
}
