#include "AppModel/AppModel.h"

#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/RadioError.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace {

constexpr int defaultBaudRate = 38400;

// The message an operation shows or logs for a failure.
QString errorText(const std::exception &error) {
    return QString::fromUtf8(error.what());
}

QString notConnectedText() {
    return RadioError::notConnected().description();
}

QList<RadioMemory> sortedBySlot(QList<RadioMemory> memories) {
    std::stable_sort(memories.begin(), memories.end(),
                     [](const RadioMemory &a, const RadioMemory &b) { return a.slot < b.slot; });
    return memories;
}

// The serial devices of the platform: USB serial adapters and the radios' own USB ports.
bool isSerialDeviceName(const QString &name) {
#ifdef Q_OS_MACOS
    return name.startsWith(QLatin1String("cu."));
#else
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
#endif
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

// MARK: published setters

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

// MARK: memory table

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

void AppModel::applyImportedBackup(const MemoryBackup &backup) {
    setSelectedRadioModel(backup.radioModel);
    setMemories(sortedBySlot(backup.memories));
    setSelectedMemoryID(m_memories.isEmpty() ? std::nullopt
                                             : std::optional<QString>(m_memories.first().slot));
    const QString count = QString::number(backup.memories.size());
    appendLog(L::text(QStringLiteral("Backup mit %1 Speichern importiert").arg(count),
                      QStringLiteral("Imported backup with %1 memories").arg(count)));
}

JSONBackupDocument AppModel::backupDocument() const {
    return JSONBackupDocument(
        MemoryBackup{m_selectedRadioModel, m_memories, QDateTime::currentDateTimeUtc()});
}

// MARK: preferences

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

// MARK: activity log

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

// MARK: link

void AppModel::connect() {
    if (m_selectedPort.isEmpty()) {
        setAlertMessage(L::text(QStringLiteral("Bitte zuerst einen seriellen Port auswählen."),
                                QStringLiteral("Please select a serial port first.")));
        return;
    }
    persistCurrentDeviceSettings();
    savePreferences();
    disconnect();

    // The serial link is not part of this build yet.
    const QString description = errorText(RadioError::portOpenFailed(m_selectedPort));
    setAlertMessage(description);
    appendLog(L::text(QStringLiteral("Verbindung fehlgeschlagen: ") + description,
                      QStringLiteral("Connection failed: ") + description));
}

void AppModel::disconnect() {
    m_radioService.reset();
    m_catConnection.reset();
    setSettingsPhase(SettingsOperationPhase::idle);
    setSettingsProgress(0.0);
    setSettingsStatusText(QString());
    if (m_isConnected)
        appendLog(QStringLiteral("Disconnected"));
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

// MARK: operation frame

bool AppModel::requireService() {
    if (m_radioService)
        return true;
    setAlertMessage(notConnectedText());
    return false;
}

bool AppModel::requireConnection() {
    if (m_catConnection)
        return true;
    setAlertMessage(notConnectedText());
    return false;
}

// MARK: memory operations

void AppModel::readAll() {
    if (!requireService())
        return;
}

void AppModel::readSelected() {
    const std::optional<RadioMemory> selected = selectedMemory();
    if (!selected) {
        setAlertMessage(notConnectedText());
        return;
    }
    if (!requireService())
        return;
}

void AppModel::writeSelected(const RadioMemory &memory) {
    Q_UNUSED(memory);
    if (!requireService())
        return;
}

// MARK: menu settings

const QList<DeviceSettingDefinition> &AppModel::currentSettingDefinitions() const {
    return m_selectedRadioModel == RadioModel::ft991a ? DeviceSettingDefinition::ft991aDefinitions()
                                                      : DeviceSettingDefinition::ft710Definitions();
}

void AppModel::resetSettingsStates() {
    ++m_settingsGeneration;
    QList<DeviceSettingState> states;
    for (const DeviceSettingDefinition &definition : currentSettingDefinitions())
        states.append(DeviceSettingState(definition));
    setSettingsStates(states);
    setSettingsPhase(SettingsOperationPhase::idle);
    setSettingsProgress(0.0);
    setSettingsStatusText(QString());
}

bool AppModel::hasDirtySettings() const {
    return std::any_of(m_settingsStates.cbegin(), m_settingsStates.cend(),
                       [](const DeviceSettingState &state) { return state.isDirty(); });
}

void AppModel::setSettingValue(const QString &id, const QString &value) {
    for (DeviceSettingState &state : m_settingsStates) {
        if (state.id() == id) {
            state.value = value;
            emit settingsStatesChanged();
            return;
        }
    }
}

void AppModel::restoreSettingsToOriginal() {
    for (DeviceSettingState &state : m_settingsStates) {
        state.value = state.originalValue;
        emit settingsStatesChanged();
    }
}

// Progress, status and states of a run reach the views only while the states it works on are the
// current ones.
void AppModel::publishSettingsProgress(quint64 generation, double progress, const QString &status,
                                       const QList<DeviceSettingState> &states) {
    if (generation != m_settingsGeneration)
        return;
    setSettingsProgress(progress);
    setSettingsStatusText(status);
    setSettingsStates(states);
}

void AppModel::readSettings() {
    if (!requireConnection())
        return;
    setSettingsPhase(SettingsOperationPhase::reading);
    setSettingsProgress(0.0);
    setSettingsStatusText(L::text(QStringLiteral("Einstellungen werden gelesen … 0 %"),
                                  QStringLiteral("Reading settings … 0 %")));
}

void AppModel::writeSettings() {
    if (!requireConnection())
        return;
    QList<SettingWrite> writes;
    for (int position = 0; position < m_settingsStates.size(); ++position) {
        if (m_settingsStates[position].isDirty())
            writes.append(SettingWrite{position, m_settingsStates[position].id()});
    }
    if (writes.isEmpty()) {
        setAlertMessage(L::text(QStringLiteral("Keine geänderten Einstellungen zum Schreiben vorhanden."),
                                QStringLiteral("No changed settings available to write.")));
        return;
    }
    // Items that change the link itself go last, so everything else is written while it still works.
    std::stable_sort(writes.begin(), writes.end(), [this](const SettingWrite &a, const SettingWrite &b) {
        return !m_settingsStates[a.position].definition().disruptsConnection &&
               m_settingsStates[b.position].definition().disruptsConnection;
    });

    setSettingsPhase(SettingsOperationPhase::writing);
    setSettingsProgress(0.0);
    setSettingsStatusText(L::text(QStringLiteral("Einstellungen werden geschrieben … 0 %"),
                                  QStringLiteral("Writing settings … 0 %")));
}
