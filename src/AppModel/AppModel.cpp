#include "AppModel/AppModel.h"

#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/RadioError.h"
#include "RadioLink/CATConnection.h"
#include "RadioLink/CancellationError.h"
#include "RadioLink/CancellationToken.h"
#include "RadioLink/FT710RadioService.h"
#include "RadioLink/FT991ARadioService.h"
#include "RadioLink/LinkTiming.h"
#include "RadioLink/RadioServiceProtocol.h"
#include "RadioLink/SerialPort.h"
#include "RadioLink/Sleep.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace {

constexpr int defaultBaudRate = 38400;

// Operations start on a later turn of the event loop, so one started and cancelled in the same
// turn sends nothing.
QCoro::Task<> nextEventLoopTurn() {
    co_await sleepFor(0.0);
}

// The message an operation shows or logs for a failure.
QString errorText(const std::exception &error) {
    return QString::fromUtf8(error.what());
}

QString notConnectedText() {
    return RadioError::notConnected().description();
}

// A slot as a channel number: an optional sign and ASCII digits only, 0 for anything else.
int channelOfSlot(const QString &slot) {
    static const QRegularExpression form(QStringLiteral("^[+-]?[0-9]+$"));
    if (!form.match(slot).hasMatch())
        return 0;
    bool ok = false;
    const int channel = slot.toInt(&ok);
    return ok ? channel : 0;
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

QString framingLabel(RadioModel model) {
    return model == RadioModel::ft991a ? QStringLiteral("8N2 / HW-Handshake") : QStringLiteral("8N1");
}

// Progress in whole percent, cut (never rounded up).
QString percentText(double progress) {
    return QString::number(static_cast<int>(progress * 100.0));
}

double itemProgress(int done, int count) {
    return double(done) / double(std::max(count, 1));
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

    auto port = std::make_shared<SerialPort>(m_selectedPort);
    const SerialPortConfiguration configuration = m_selectedRadioModel == RadioModel::ft991a
                                                      ? SerialPortConfiguration::ft991a(m_baudRate)
                                                      : SerialPortConfiguration::ft710(m_baudRate);
    try {
        port->openPort(configuration);
    } catch (const std::exception &error) {
        const QString description = errorText(error);
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

// MARK: memory operations

void AppModel::readAll() {
    if (!requireService())
        return;
    readAllRun(this, m_radioService, m_selectedRadioModel, beginOperation());
}

QCoro::Task<> AppModel::readAllRun(QPointer<AppModel> self, std::shared_ptr<RadioServiceProtocol> service,
                                   RadioModel model, Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    const QString modelName = rawValue(model);
    QList<RadioMemory> working = self->m_memories;
    const ChannelRange range = service->memoryRange();
    for (int channel = range.lowerBound; channel <= range.upperBound; ++channel) {
        if (token->isCancelled())
            break;
        std::optional<RadioMemory> read;
        std::optional<QString> failure;
        try {
            read = co_await service->readMemory(channel, *token);
        } catch (const CancellationError &) {
            break;
        } catch (const std::exception &error) {
            failure = errorText(error);
        } catch (...) {
            failure = QStringLiteral("?");
        }
        if (!self)
            co_return;
        if (failure) {
            if (token->isCancelled())
                break;
            const QString slot = RadioMemory::slotText(channel);
            self->appendLog(L::text(QStringLiteral("Lesen fehlgeschlagen für %1: %2").arg(slot, *failure),
                                    QStringLiteral("Read failed for %1: %2").arg(slot, *failure)));
            continue;
        }
        const auto row = std::find_if(working.begin(), working.end(),
                                      [&](const RadioMemory &memory) { return memory.slot == read->slot; });
        if (row != working.end())
            *row = *read;
        if (read->isEmpty)
            self->appendLog(
                L::text(QStringLiteral("Speicher %1 scheint leer zu sein oder ist auf %2 nicht lesbar")
                            .arg(read->slot, modelName),
                        QStringLiteral("Memory %1 appears empty or is not readable on %2")
                            .arg(read->slot, modelName)));
    }
    if (token->isCancelled()) {
        self->appendLog(L::text(QStringLiteral("Alles lesen abgebrochen für ") + modelName,
                                QStringLiteral("Read all cancelled for ") + modelName));
    } else {
        self->setMemories(sortedBySlot(working));
        if (!self->m_selectedMemoryID && !self->m_memories.isEmpty())
            self->setSelectedMemoryID(self->m_memories.first().slot);
        self->appendLog(L::text(QStringLiteral("Fertig mit dem Lesen aller Speicher für ") + modelName,
                                QStringLiteral("Finished reading all memories for ") + modelName));
    }
    self->endOperation(token);
}

void AppModel::readSelected() {
    const std::optional<RadioMemory> selected = selectedMemory();
    if (!selected) {
        setAlertMessage(notConnectedText());
        return;
    }
    if (!requireService())
        return;
    readSelectedRun(this, m_radioService, selected->slot, beginOperation());
}

QCoro::Task<> AppModel::readSelectedRun(QPointer<AppModel> self,
                                        std::shared_ptr<RadioServiceProtocol> service, QString slot,
                                        Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    std::optional<RadioMemory> read;
    std::optional<QString> failure;
    try {
        read = co_await service->readMemory(channelOfSlot(slot), *token);
    } catch (const CancellationError &) {
    } catch (const std::exception &error) {
        failure = errorText(error);
    } catch (...) {
        failure = QStringLiteral("?");
    }
    if (!self)
        co_return;
    if (!token->isCancelled()) {
        if (read)
            self->replaceMemory(*read);
        else if (failure)
            self->appendLog(L::text(QStringLiteral("Lesen fehlgeschlagen für %1: %2").arg(slot, *failure),
                                    QStringLiteral("Read failed for %1: %2").arg(slot, *failure)));
    }
    self->endOperation(token);
}

void AppModel::writeSelected(const RadioMemory &memory) {
    if (!requireService())
        return;
    writeSelectedRun(this, m_radioService, memory, beginOperation());
}

QCoro::Task<> AppModel::writeSelectedRun(QPointer<AppModel> self,
                                         std::shared_ptr<RadioServiceProtocol> service, RadioMemory memory,
                                         Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    const QString slot = memory.slot;
    std::optional<QString> failure;
    bool cancelledByError = false;
    try {
        co_await service->writeMemory(memory, *token);
    } catch (const CancellationError &) {
        cancelledByError = true;
    } catch (const std::exception &error) {
        failure = errorText(error);
    } catch (...) {
        failure = QStringLiteral("?");
    }
    if (!self)
        co_return;
    if (cancelledByError || token->isCancelled()) {
        self->endOperation(token);
        co_return;
    }
    if (failure) {
        self->appendLog(L::text(QStringLiteral("Schreiben fehlgeschlagen für %1: %2").arg(slot, *failure),
                                QStringLiteral("Write failed for %1: %2").arg(slot, *failure)));
        self->setAlertMessage(*failure);
        self->endOperation(token);
        co_return;
    }

    const QString modelName = rawValue(self->m_selectedRadioModel);
    self->appendLog(
        L::text(QStringLiteral("Schreiben für Speicher %1 über %2 via MW+MT gesendet").arg(slot, modelName),
                QStringLiteral("Write sent for memory %1 via %2 MW+MT").arg(slot, modelName)));
    self->replaceMemory(memory);

    std::optional<RadioMemory> read;
    try {
        read = co_await service->readMemory(channelOfSlot(slot), *token);
    } catch (const CancellationError &) {
        cancelledByError = true;
    } catch (const std::exception &error) {
        failure = errorText(error);
    } catch (...) {
        failure = QStringLiteral("?");
    }
    if (!self)
        co_return;
    if (!cancelledByError && !token->isCancelled()) {
        if (read) {
            self->replaceMemory(*read);
            const QStringList differences = read->verificationMismatches(memory);
            if (differences.isEmpty())
                self->appendLog(L::text(QStringLiteral("Verifikation OK für Speicher ") + slot,
                                        QStringLiteral("Verify OK for memory ") + slot));
            else
                self->appendLog(L::text(QStringLiteral("Verifikationsabweichung für Speicher %1: ").arg(slot),
                                        QStringLiteral("Verify mismatch for memory %1: ").arg(slot)) +
                                differences.join(QStringLiteral(" | ")));
        } else if (failure) {
            self->appendLog(
                L::text(QStringLiteral("Verifikationslesen fehlgeschlagen für %1: %2").arg(slot, *failure),
                        QStringLiteral("Verify read failed for %1: %2").arg(slot, *failure)));
        }
    }
    self->endOperation(token);
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

void AppModel::endSettingsRun(const Token &token) {
    if (m_settingsRun == token) {
        setSettingsPhase(SettingsOperationPhase::idle);
        m_settingsRun.reset();
    }
    endOperation(token);
}

void AppModel::readSettings() {
    if (!requireConnection())
        return;
    const Token token = beginOperation();
    m_settingsRun = token;
    setSettingsPhase(SettingsOperationPhase::reading);
    setSettingsProgress(0.0);
    setSettingsStatusText(L::text(QStringLiteral("Einstellungen werden gelesen … 0 %"),
                                  QStringLiteral("Reading settings … 0 %")));
    readSettingsRun(this, m_catConnection, currentSettingDefinitions(), m_settingsGeneration, token);
}

QCoro::Task<> AppModel::readSettingsRun(QPointer<AppModel> self, std::shared_ptr<CATConnection> connection,
                                        QList<DeviceSettingDefinition> definitions, quint64 generation,
                                        Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    QList<DeviceSettingState> working;
    for (const DeviceSettingDefinition &definition : definitions)
        working.append(DeviceSettingState(definition));

    for (int i = 0; i < definitions.size(); ++i) {
        if (token->isCancelled())
            break;
        const DeviceSettingDefinition &definition = definitions[i];
        std::optional<QString> failure;
        bool cancelledByError = false;
        try {
            const QString reply =
                co_await connection->query(definition.readCommand, LinkTiming::settingsQueryTimeout);
            const std::optional<QString> value = definition.parseResponse(reply);
            if (!value)
                throw RadioError::invalidResponse(reply);
            working[i].value = *value;
            working[i].originalValue = *value;
        } catch (const CancellationError &) {
            cancelledByError = true;
        } catch (const std::exception &error) {
            failure = errorText(error);
        } catch (...) {
            failure = QStringLiteral("?");
        }
        if (!self)
            co_return;
        if (cancelledByError)
            break;
        if (failure)
            self->appendLog(QStringLiteral("Setting read failed [%1]: %2").arg(definition.title, *failure));
        const double progress = itemProgress(i + 1, definitions.size());
        self->publishSettingsProgress(generation, progress,
                                      L::text(QStringLiteral("Einstellungen werden gelesen … %1 %"),
                                              QStringLiteral("Reading settings … %1 %"))
                                          .arg(percentText(progress)),
                                      working);
    }

    const QString modelName = rawValue(self->m_selectedRadioModel);
    if (token->isCancelled()) {
        self->appendLog(QStringLiteral("Settings read cancelled for ") + modelName);
    } else {
        self->publishSettingsProgress(
            generation, 1.0,
            L::text(QStringLiteral("Einstellungen gelesen · 100 %"), QStringLiteral("Settings read · 100 %")),
            working);
        self->appendLog(QStringLiteral("Settings read finished for ") + modelName);
    }
    self->endSettingsRun(token);
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

    const Token token = beginOperation();
    m_settingsRun = token;
    setSettingsPhase(SettingsOperationPhase::writing);
    setSettingsProgress(0.0);
    setSettingsStatusText(L::text(QStringLiteral("Einstellungen werden geschrieben … 0 %"),
                                  QStringLiteral("Writing settings … 0 %")));
    writeSettingsRun(this, m_catConnection, writes, m_settingsGeneration, token);
}

QCoro::Task<> AppModel::writeSettingsRun(QPointer<AppModel> self, std::shared_ptr<CATConnection> connection,
                                         QList<SettingWrite> writes, quint64 generation, Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    QList<DeviceSettingState> working = self->m_settingsStates;
    bool wroteLinkSetting = false;

    for (int k = 0; k < writes.size(); ++k) {
        if (token->isCancelled())
            break;
        const SettingWrite &write = writes[k];
        // The list may have been rebuilt since the run was started; never touch another item.
        const bool positionValid =
            write.position < working.size() && working[write.position].id() == write.id;
        if (positionValid) {
            const DeviceSettingState state = working[write.position];
            const DeviceSettingDefinition &definition = state.definition();
            std::optional<QString> failure;
            bool cancelledByError = false;
            try {
                co_await connection->set(definition.writeCommand(state.value),
                                         LinkTiming::settingsRejectionWindow);
            } catch (const CancellationError &) {
                cancelledByError = true;
            } catch (const std::exception &error) {
                failure = errorText(error);
            } catch (...) {
                failure = QStringLiteral("?");
            }
            if (!self)
                co_return;
            if (cancelledByError)
                break;
            if (failure) {
                self->appendLog(
                    QStringLiteral("Setting write failed [%1]: %2").arg(definition.title, *failure));
            } else {
                const QString written = definition.normalizeForWrite(state.value);
                working[write.position].value = written;
                working[write.position].originalValue = written;
                self->appendLog(QStringLiteral("Setting write OK [%1] = %2").arg(definition.title, written));
                wroteLinkSetting = wroteLinkSetting || definition.disruptsConnection;
            }
        }
        const double progress = itemProgress(k + 1, writes.size());
        self->publishSettingsProgress(generation, progress,
                                      L::text(QStringLiteral("Einstellungen werden geschrieben … %1 %"),
                                              QStringLiteral("Writing settings … %1 %"))
                                          .arg(percentText(progress)),
                                      working);
    }

    const QString modelName = rawValue(self->m_selectedRadioModel);
    if (token->isCancelled()) {
        self->appendLog(QStringLiteral("Settings write cancelled for ") + modelName);
    } else {
        self->publishSettingsProgress(generation, 1.0,
                                      L::text(QStringLiteral("Einstellungen geschrieben · 100 %"),
                                              QStringLiteral("Settings written · 100 %")),
                                      working);
        self->appendLog(QStringLiteral("Settings write finished for ") + modelName);
        if (wroteLinkSetting)
            self->setAlertMessage(L::text(
                QStringLiteral("CAT-/Schnittstellen-Einstellungen wurden geändert. Bitte die Verbindung "
                               "danach prüfen oder neu verbinden."),
                QStringLiteral("CAT/interface settings were changed. Please check or reconnect the "
                               "connection afterwards.")));
    }
    self->endSettingsRun(token);
}
