#include "AppModel/AppModel.h"

#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/RadioError.h"
#include "RadioLink/CATConnection.h"
#include "RadioLink/CancellationToken.h"
#include "RadioLink/FT710RadioService.h"
#include "RadioLink/FT991ARadioService.h"
#include "RadioLink/RadioServiceProtocol.h"
#include "RadioLink/SerialPort.h"

#include <QDir>
#include <algorithm>

namespace {

constexpr int defaultBaudRate = 38400;

// The serial devices of the platform: USB serial adapters and the radios' own USB ports.
bool isSerialDeviceName(const QString &name) {
#ifdef Q_OS_MACOS
    return name.startsWith(QLatin1String("cu."));
#else
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
#endif
}

QString framingLabel(RadioModel model) {
    return model == RadioModel::ft991a ? QStringLiteral("8N2 / HW-Handshake") : QStringLiteral("8N1");
}

} // namespace

const QString &AppModel::preferencesKey() {
    static const QString key = QStringLiteral("Korvel.AppPreferences.v1");
    return key;
}

AppModel::AppModel(QObject *parent)
    : AppModel(Options{}, parent) {
}

AppModel::AppModel(Options options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options)) {
    loadPreferences();
    refreshPorts();
    applySavedSettings(m_selectedRadioModel);
    rebuildEmptyMemories();
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

void AppModel::setMemories(const QList<RadioMemory> &memories) {
    publish(m_memories, memories, &AppModel::memoriesChanged);
}

void AppModel::setSelectedMemoryID(const std::optional<QString> &id) {
    publish(m_selectedMemoryID, id, &AppModel::selectedMemoryIDChanged);
}

void AppModel::setIsBusy(bool busy) {
    publish(m_isBusy, busy, &AppModel::isBusyChanged);
}

void AppModel::setAlertMessage(const std::optional<QString> &message) {
    publish(m_alertMessage, message, &AppModel::alertMessageChanged);
}

void AppModel::setSettingsStates(const QList<DeviceSettingState> &states) {
    publish(m_settingsStates, states, &AppModel::settingsStatesChanged);
}

void AppModel::setSettingsPhase(SettingsOperationPhase phase) {
    publish(m_settingsPhase, phase, &AppModel::settingsPhaseChanged);
}

void AppModel::setSettingsProgress(double progress) {
    publish(m_settingsProgress, progress, &AppModel::settingsProgressChanged);
}

void AppModel::setSettingsStatusText(const QString &text) {
    publish(m_settingsStatusText, text, &AppModel::settingsStatusTextChanged);
}

// Memory table

QList<RadioMemory> AppModel::sortedBySlot(QList<RadioMemory> memories) {
    std::stable_sort(memories.begin(), memories.end(),
                     [](const RadioMemory &a, const RadioMemory &b) { return a.slot < b.slot; });
    return memories;
}

std::optional<RadioMemory> AppModel::selectedMemory() const {
    if (!m_selectedMemoryID)
        return std::nullopt;
    for (const RadioMemory &memory : m_memories) {
        if (memory.slot == *m_selectedMemoryID)
            return memory;
    }
    return std::nullopt;
}

void AppModel::setMemoryAt(int row, const RadioMemory &memory) {
    if (row < 0 || row >= m_memories.size())
        return;
    m_memories[row] = memory;
    emit memoryChanged(row);
}

void AppModel::rebuildEmptyMemories() {
    const ChannelRange range = memoryRange(m_selectedRadioModel);
    QList<RadioMemory> rows;
    rows.reserve(range.count());
    for (int channel = range.lowerBound; channel <= range.upperBound; ++channel)
        rows.append(RadioMemory::empty(RadioMemory::slotText(channel), m_selectedRadioModel));
    setMemories(rows);
    setSelectedMemoryID(rows.first().slot);
}

void AppModel::replaceMemory(const RadioMemory &memory) {
    for (int row = 0; row < m_memories.size(); ++row) {
        if (m_memories[row].slot == memory.slot) {
            setMemoryAt(row, memory);
            return;
        }
    }
    QList<RadioMemory> rows = m_memories;
    rows.append(memory);
    setMemories(sortedBySlot(rows));
}

JSONBackupDocument AppModel::backupDocument() const {
    return JSONBackupDocument(
        MemoryBackup{m_selectedRadioModel, m_memories, QDateTime::currentDateTimeUtc()});
}

// Preferences

void AppModel::loadPreferences() {
    if (!UserDefaults::value(preferencesKey()).isValid())
        return;
    const std::optional<QString> stored = UserDefaults::text(preferencesKey());
    const std::optional<AppPreferences> preferences = stored ? AppPreferences::decode(*stored) : std::nullopt;
    if (!preferences) {
        m_savedSettingsByModel.clear();
        return;
    }
    setSelectedRadioModelValue(preferences->selectedRadioModel);
    m_savedSettingsByModel = preferences->savedSettingsByModel;
}

void AppModel::persistCurrentDeviceSettings() {
    m_savedSettingsByModel.insert(rawValue(m_selectedRadioModel), DeviceSettings{m_selectedPort, m_baudRate});
}

void AppModel::savePreferences() {
    persistCurrentDeviceSettings();
    UserDefaults::setValue(preferencesKey(),
                           AppPreferences{m_selectedRadioModel, m_savedSettingsByModel}.encode());
}

void AppModel::applySavedSettings(RadioModel model) {
    const auto saved = m_savedSettingsByModel.constFind(rawValue(model));
    const bool hasEntry = saved != m_savedSettingsByModel.constEnd();
    setBaudRateValue(hasEntry ? saved->baudRate : defaultBaudRate);
    if (hasEntry && !saved->selectedPort.isEmpty() && m_availablePorts.contains(saved->selectedPort)) {
        setSelectedPortValue(saved->selectedPort);
        return;
    }
    if (m_availablePorts.contains(m_selectedPort))
        return;
    setSelectedPortValue(m_availablePorts.value(0));
}

QStringList AppModel::listSerialDevices() const {
    const QDir folder(m_options.deviceFolder);
    QStringList paths;
    for (const QString &name : folder.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (isSerialDeviceName(name))
            paths.append(folder.filePath(name));
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

void AppModel::refreshPorts() {
    setAvailablePorts(listSerialDevices());
    if (m_availablePorts.contains(m_selectedPort))
        return;
    const QString saved = m_savedSettingsByModel.value(rawValue(m_selectedRadioModel)).selectedPort;
    if (!saved.isEmpty() && m_availablePorts.contains(saved)) {
        setSelectedPortValue(saved);
        return;
    }
    setSelectedPortValue(m_availablePorts.value(0));
}

void AppModel::setSelectedPort(const QString &port) {
    setSelectedPortValue(port);
    persistCurrentDeviceSettings();
    savePreferences();
}

void AppModel::setBaudRate(int rate) {
    setBaudRateValue(rate);
    persistCurrentDeviceSettings();
    savePreferences();
}

// Activity log

void AppModel::appendLog(const QString &message) {
    const QTime now = m_options.clock ? m_options.clock() : QTime::currentTime();
    m_logLines.prepend(QLatin1Char('[') + now.toString(QStringLiteral("HH:mm:ss")) + QLatin1String("] ") +
                       message);
    emit logLinesChanged();
}

void AppModel::copyLogToPasteboard() {
    if (m_options.writeClipboard)
        m_options.writeClipboard(m_logLines.join(QLatin1Char('\n')));
    appendLog(L::text(QStringLiteral("Log in die Zwischenablage kopiert"),
                      QStringLiteral("Log copied to clipboard")));
}

void AppModel::clearLog() {
    m_logLines = QStringList();
    emit logLinesChanged();
    appendLog(L::text(QStringLiteral("Log gelöscht"), QStringLiteral("Log cleared")));
}

// Link

void AppModel::connect() {
    if (m_selectedPort.isEmpty()) {
        setAlertMessage(L::text(QStringLiteral("Bitte zuerst einen seriellen Port auswählen."),
                                QStringLiteral("Please select a serial port first.")));
        return;
    }
    persistCurrentDeviceSettings();
    savePreferences();
    disconnect();

    auto port = std::make_shared<SerialPort>(m_selectedPort);
    const SerialPortConfiguration configuration = m_selectedRadioModel == RadioModel::ft991a
                                                      ? SerialPortConfiguration::ft991a(m_baudRate)
                                                      : SerialPortConfiguration::ft710(m_baudRate);
    try {
        port->openPort(configuration);
    } catch (const std::exception &error) {
        const QString description = QString::fromUtf8(error.what());
        setAlertMessage(description);
        appendLog(L::text(QStringLiteral("Verbindung fehlgeschlagen: ") + description,
                          QStringLiteral("Connection failed: ") + description));
        return;
    }

    QPointer<AppModel> self(this);
    auto connection = std::make_shared<CATConnection>(port, [self](const QString &line) {
        if (self)
            self->appendLog(line);
    });
    // A report that comes in after its port was replaced concerns no link of ours.
    for (const auto &[signal, reaction] :
         {std::pair(&SerialPort::hungUp, &AppModel::connectionLost),
          std::pair(&SerialPort::overlongLineDropped, &AppModel::logDroppedNoise)}) {
        QObject::connect(port.get(), signal, this, [this, source = port.get(), reaction] {
            if (m_serialPort.get() == source)
                (this->*reaction)();
        });
    }
    m_serialPort = port;
    m_catConnection = connection;
    if (m_selectedRadioModel == RadioModel::ft991a)
        m_radioService = std::make_shared<FT991ARadioService>(connection);
    else
        m_radioService = std::make_shared<FT710RadioService>(connection);
    setIsConnected(true);
    appendLog(QStringLiteral("Opened %1 @ %2 [%3] [%4]")
                  .arg(m_selectedPort, QString::number(m_baudRate), rawValue(m_selectedRadioModel),
                       framingLabel(m_selectedRadioModel)));
}

void AppModel::disconnect() {
    endConnection(QStringLiteral("Disconnected"));
}

void AppModel::connectionLost() {
    const QString path = m_serialPort->path();
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
    if (m_serialPort) {
        m_serialPort->closePort();
        m_serialPort.reset();
    }
    m_radioService.reset();
    m_catConnection.reset();
    m_settingsRun.reset();
    setSettingsPhase(SettingsOperationPhase::idle);
    setSettingsProgress(0.0);
    setSettingsStatusText(QString());
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
    rebuildEmptyMemories();
    resetSettingsStates();
    savePreferences();
    appendLog(L::text(QStringLiteral("Funkmodell gewechselt zu ") + rawValue(model),
                      QStringLiteral("Radio model switched to ") + rawValue(model)));
}

// Operation frame

void AppModel::alertNotConnected() {
    setAlertMessage(RadioError::notConnected().description());
}

bool AppModel::requireService() {
    if (!m_radioService)
        alertNotConnected();
    return bool(m_radioService);
}

bool AppModel::requireConnection() {
    if (!m_catConnection)
        alertNotConnected();
    return bool(m_catConnection);
}

AppModel::Token AppModel::beginOperation() {
    if (m_activeTask)
        m_activeTask->cancel();
    setIsBusy(true);
    m_activeTask = std::make_shared<CancellationToken>();
    return m_activeTask;
}

// A task replaced by a newer one leaves the newer one's busy flag and handle alone.
void AppModel::endOperation(const Token &token) {
    if (m_activeTask != token)
        return;
    setIsBusy(false);
    m_activeTask.reset();
}
