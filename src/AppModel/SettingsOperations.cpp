#include "AppModel/SettingsOperations.h"

#include "AppModel/OperationFrame.h"
#include "AppModel/OperationTask.h"
#include "Localization/L.h"
#include "Model/RadioError.h"
#include "RadioLink/CATConnection.h"
#include "RadioLink/CancellationToken.h"
#include "RadioLink/LinkTiming.h"

#include <algorithm>

namespace {

// "… 42 %": the share of items done in whole percent, cut (never rounded up).
QString progressText(SettingsOperationPhase phase, double progress) {
    const QString percent = QString::number(static_cast<int>(progress * 100.0));
    return phase == SettingsOperationPhase::reading
               ? L::text(QStringLiteral("Einstellungen werden gelesen … %1 %"),
                         QStringLiteral("Reading settings … %1 %"))
                     .arg(percent)
               : L::text(QStringLiteral("Einstellungen werden geschrieben … %1 %"),
                         QStringLiteral("Writing settings … %1 %"))
                     .arg(percent);
}

// The settings window covers the log, so the end status itself tells of items that did not go through.
QString finishedText(SettingsOperationPhase phase, int failures) {
    const QString finished = phase == SettingsOperationPhase::reading
                                 ? L::text(QStringLiteral("Einstellungen gelesen · 100 %"),
                                           QStringLiteral("Settings read · 100 %"))
                                 : L::text(QStringLiteral("Einstellungen geschrieben · 100 %"),
                                           QStringLiteral("Settings written · 100 %"));
    if (failures == 0)
        return finished;
    return finished +
           L::text(QStringLiteral(" · %1 fehlgeschlagen"), QStringLiteral(" · %1 failed")).arg(failures);
}

QString runName(SettingsOperationPhase phase) {
    return phase == SettingsOperationPhase::reading ? QStringLiteral("read") : QStringLiteral("write");
}

QString reconnectAlertText() {
    return L::text(
        QStringLiteral("CAT-/Schnittstellen-Einstellungen wurden geändert. Bitte die Verbindung danach "
                       "prüfen oder neu verbinden."),
        QStringLiteral("CAT/interface settings were changed. Please check or reconnect the connection "
                       "afterwards."));
}

} // namespace

SettingsOperations::SettingsOperations(OperationFrame &frame)
    : m_frame(frame) {
}

const QList<DeviceSettingDefinition> &SettingsOperations::definitions() const {
    return DeviceSettingDefinition::definitions(m_frame.selectedRadioModel());
}

void SettingsOperations::setStates(const QList<DeviceSettingState> &states) {
    m_states = states;
    emit statesChanged();
}

void SettingsOperations::setPhase(SettingsOperationPhase phase) {
    m_phase = phase;
    emit phaseChanged();
}

void SettingsOperations::setProgress(double progress) {
    m_progress = progress;
    emit progressChanged();
}

void SettingsOperations::setStatusText(const QString &text) {
    m_statusText = text;
    emit statusTextChanged();
}

void SettingsOperations::resetStates() {
    ++m_generation;
    QList<DeviceSettingState> states;
    for (const DeviceSettingDefinition &definition : definitions())
        states.append(DeviceSettingState(definition));
    setStates(states);
    clearRun();
}

void SettingsOperations::clearRun() {
    m_run.reset();
    setPhase(SettingsOperationPhase::idle);
    setProgress(0.0);
    setStatusText(QString());
}

bool SettingsOperations::hasDirtyStates() const {
    return std::any_of(m_states.cbegin(), m_states.cend(),
                       [](const DeviceSettingState &state) { return state.isDirty(); });
}

void SettingsOperations::setValue(const QString &id, const QString &value) {
    for (DeviceSettingState &state : m_states) {
        if (state.id() == id) {
            state.value = value;
            emit statesChanged();
            return;
        }
    }
}

void SettingsOperations::restoreToOriginal() {
    for (DeviceSettingState &state : m_states) {
        state.value = state.originalValue;
        emit statesChanged();
    }
}

// A new run makes every older one stale: a cancelled run whose outstanding item ends later must
// not publish over the newer run's result.
SettingsOperations::Token SettingsOperations::startRun(SettingsOperationPhase phase) {
    const Token token = m_frame.beginOperation();
    ++m_generation;
    m_run = token;
    setPhase(phase);
    setProgress(0.0);
    setStatusText(progressText(phase, 0.0));
    return token;
}

// A run shows its states, progress and status only while the states it works on are the current
// ones: after a model switch they belong to the other radio, after a newer run to that run.
void SettingsOperations::publishProgress(quint64 generation, SettingsOperationPhase phase, int done,
                                         int count) {
    if (generation != m_generation)
        return;
    const double progress = double(done) / double(std::max(count, 1));
    setProgress(progress);
    setStatusText(progressText(phase, progress));
}

void SettingsOperations::publishReadItem(quint64 generation, int done, int count,
                                         const QList<DeviceSettingState> &states) {
    publishProgress(generation, SettingsOperationPhase::reading, done, count);
    if (generation == m_generation)
        setStates(states);
}

// The state a write entry stands for, while the states are still the ones the run was called for
// and the entry's place still holds its item.
std::optional<DeviceSettingState> SettingsOperations::stateToWrite(quint64 generation,
                                                                   const SettingWrite &write) const {
    if (generation != m_generation || write.position < 0 || write.position >= m_states.size() ||
        m_states[write.position].id() != write.id)
        return std::nullopt;
    return m_states[write.position];
}

// Only the written item changes, so what the user edits elsewhere while the run goes on stays; an
// edit of the item itself since the run started stays too, still to be written.
void SettingsOperations::recordWrittenValue(quint64 generation, const SettingWrite &write,
                                            const QString &sentFrom, const QString &value) {
    if (!stateToWrite(generation, write))
        return;
    DeviceSettingState &state = m_states[write.position];
    if (state.value == sentFrom)
        state.value = value;
    state.originalValue = value;
    emit statesChanged();
}

bool SettingsOperations::recordWriteOutcome(quint64 generation, const SettingWrite &write,
                                            const DeviceSettingState &state,
                                            const std::optional<QString> &failure, bool commandWentOut) {
    const QString &title = state.definition().title;
    if (failure && !commandWentOut) {
        m_frame.appendLog(QStringLiteral("Setting write failed [%1]: %2").arg(title, *failure));
        return false;
    }
    // What was sent is what the radio now holds, or may hold when the request was cut after the
    // command went out; such an item stays changed until it is read or written again.
    const QString value = state.definition().normalizeForWrite(state.value);
    if (failure) {
        m_frame.appendLog(
            QStringLiteral("Setting write uncertain [%1] = %2: %3").arg(title, value, *failure) +
            L::text(QStringLiteral(" – möglicherweise geschrieben, bitte die Einstellungen erneut lesen."),
                    QStringLiteral(" – perhaps written, please read the settings again.")));
        return false;
    }
    recordWrittenValue(generation, write, state.value, value);
    m_frame.appendLog(QStringLiteral("Setting write OK [%1] = %2").arg(title, value));
    return true;
}

void SettingsOperations::finishRun(const Token &token, quint64 generation, SettingsOperationPhase phase,
                                   const RunEnd &end) {
    const QString modelName = rawValue(m_frame.selectedRadioModel());
    if (token->isCancelled()) {
        m_frame.appendLog(QStringLiteral("Settings %1 cancelled for %2").arg(runName(phase), modelName));
    } else {
        if (generation == m_generation) {
            if (end.states)
                setStates(*end.states);
            setProgress(1.0);
            setStatusText(finishedText(phase, end.failures));
        }
        m_frame.appendLog(QStringLiteral("Settings %1 finished for %2").arg(runName(phase), modelName));
        if (end.alert)
            m_frame.setAlertMessage(end.alert);
    }
    // Only the run that set the phase puts it back; a reset or disconnect has done so already.
    if (m_run == token) {
        setPhase(SettingsOperationPhase::idle);
        m_run.reset();
    }
    m_frame.endOperation(token);
}

void SettingsOperations::read() {
    const std::shared_ptr<CATConnection> connection = m_frame.connectionOrAlert();
    if (!connection)
        return;
    const Token token = startRun(SettingsOperationPhase::reading);
    readRun(this, connection, definitions(), m_generation, token);
}

QCoro::Task<> SettingsOperations::readRun(QPointer<SettingsOperations> self,
                                          std::shared_ptr<CATConnection> connection,
                                          QList<DeviceSettingDefinition> definitions, quint64 generation,
                                          Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    QList<DeviceSettingState> working;
    for (const DeviceSettingDefinition &definition : definitions)
        working.append(DeviceSettingState(definition));
    int failures = 0;

    for (int i = 0; i < definitions.size(); ++i) {
        if (token->isCancelled())
            break;
        const DeviceSettingDefinition &definition = definitions[i];
        const auto reply = co_await outcomeOf(
            connection->query(definition.readCommand, LinkTiming::waits().settingsQueryTimeout));
        if (!self)
            co_return;
        if (reply.cancelled)
            break;
        std::optional<QString> failure = reply.failure;
        if (reply.value) {
            if (const std::optional<QString> value = definition.parseResponse(*reply.value)) {
                working[i].value = *value;
                working[i].originalValue = *value;
            } else {
                failure = RadioError::invalidResponse(*reply.value).description();
            }
        }
        if (failure) {
            ++failures;
            self->m_frame.appendLog(
                QStringLiteral("Setting read failed [%1]: %2").arg(definition.title, *failure));
        }
        self->publishReadItem(generation, i + 1, definitions.size(), working);
    }
    self->finishRun(token, generation, SettingsOperationPhase::reading, {working, failures, std::nullopt});
}

void SettingsOperations::write() {
    const std::shared_ptr<CATConnection> connection = m_frame.connectionOrAlert();
    if (!connection)
        return;
    QList<SettingWrite> writes;
    for (int position = 0; position < m_states.size(); ++position) {
        if (m_states[position].isDirty())
            writes.append(SettingWrite{position, m_states[position].id()});
    }
    if (writes.isEmpty()) {
        m_frame.setAlertMessage(
            L::text(QStringLiteral("Keine geänderten Einstellungen zum Schreiben vorhanden."),
                    QStringLiteral("No changed settings available to write.")));
        return;
    }
    // Items that change the link itself go last, so everything else is written while it still works.
    std::stable_sort(writes.begin(), writes.end(), [this](const SettingWrite &a, const SettingWrite &b) {
        return !m_states[a.position].definition().disruptsConnection &&
               m_states[b.position].definition().disruptsConnection;
    });
    const Token token = startRun(SettingsOperationPhase::writing);
    writeRun(this, connection, writes, m_generation, token);
}

QCoro::Task<> SettingsOperations::writeRun(QPointer<SettingsOperations> self,
                                           std::shared_ptr<CATConnection> connection,
                                           QList<SettingWrite> writes, quint64 generation, Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    bool wroteLinkSetting = false;
    int failures = 0;
    // Each item goes out with the value it had when the run started. States rebuilt since the
    // call are not the ones the user changed: none of them is written.
    QList<std::optional<DeviceSettingState>> working;
    for (const SettingWrite &write : writes)
        working.append(self->stateToWrite(generation, write));

    for (int k = 0; k < writes.size(); ++k) {
        if (token->isCancelled())
            break;
        const SettingWrite &write = writes[k];
        if (const std::optional<DeviceSettingState> &state = working[k]) {
            const DeviceSettingDefinition &definition = state->definition();
            // Normalising would make a number of what is none; such a value fails without being sent.
            std::optional<QString> failure = definition.invalidValueReason(state->value);
            bool commandWentOut = false;
            if (!failure) {
                const auto set = co_await outcomeOf(connection->set(
                    definition.writeCommand(state->value), LinkTiming::waits().settingsRejectionWindow));
                if (!self)
                    co_return;
                if (set.cancelled)
                    break;
                failure = set.failure;
                commandWentOut = set.commandWentOut;
            }
            const bool written = self->recordWriteOutcome(generation, write, *state, failure, commandWentOut);
            failures += written ? 0 : 1;
            wroteLinkSetting = wroteLinkSetting || (written && definition.disruptsConnection);
        }
        self->publishProgress(generation, SettingsOperationPhase::writing, k + 1, writes.size());
    }
    self->finishRun(token, generation, SettingsOperationPhase::writing,
                    {std::nullopt, failures,
                     wroteLinkSetting ? std::optional<QString>(reconnectAlertText()) : std::nullopt});
}
