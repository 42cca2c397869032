#pragma once

#include "Model/DeviceSettingDefinition.h"
#include "Model/DeviceSettingState.h"
#include "Model/SettingsOperationPhase.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

class CancellationToken;
class CATConnection;
class OperationFrame;

// The menu settings of the selected radio: one state per item of its table, and the runs that
// read every item and write the changed ones with "EX", with their phase, progress and status
// line. The application model publishes the state and starts the runs in its operation frame.
class SettingsOperations : public QObject {
    Q_OBJECT

public:
    explicit SettingsOperations(OperationFrame &frame);

    // The menu table of the selected radio model.
    const QList<DeviceSettingDefinition> &definitions() const;

    const QList<DeviceSettingState> &states() const { return m_states; }
    SettingsOperationPhase phase() const { return m_phase; }
    double progress() const { return m_progress; }
    const QString &statusText() const { return m_statusText; }

    // One empty state per item of the selected model's table; no run is shown any more.
    void resetStates();
    // Phase idle, no progress, no status: the link has ended; the states stay.
    void clearRun();
    bool hasDirtyStates() const;
    void setValue(const QString &id, const QString &value);
    void restoreToOriginal();
    void read();
    void write();

signals:
    void statesChanged();
    void phaseChanged();
    void progressChanged();
    void statusTextChanged();

private:
    using Token = std::shared_ptr<CancellationToken>;
    // One changed menu item to write, with its place in the settings list when the run started.
    struct SettingWrite {
        int position = 0;
        QString id;
    };
    // What a run that was not cancelled leaves: the states to show (none keeps the shown ones), how
    // many items did not go through and the alert to raise.
    struct RunEnd {
        std::optional<QList<DeviceSettingState>> states;
        int failures = 0;
        std::optional<QString> alert;
    };

    void setStates(const QList<DeviceSettingState> &states);
    void setPhase(SettingsOperationPhase phase);
    void setProgress(double progress);
    void setStatusText(const QString &text);

    Token startRun(SettingsOperationPhase phase);
    void publishProgress(quint64 generation, SettingsOperationPhase phase, int done, int count);
    void publishReadItem(quint64 generation, int done, int count, const QList<DeviceSettingState> &states);
    std::optional<DeviceSettingState> stateToWrite(quint64 generation, const SettingWrite &write) const;
    void recordWrittenValue(quint64 generation, const SettingWrite &write, const QString &sentFrom,
                            const QString &value);
    // Logs how the item went and records the value the radio took; false when it failed or may
    // have reached the radio only before its request was cut.
    bool recordWriteOutcome(quint64 generation, const SettingWrite &write, const DeviceSettingState &state,
                            const std::optional<QString> &failure, bool commandWentOut);
    void finishRun(const Token &token, quint64 generation, SettingsOperationPhase phase, const RunEnd &end);

    static QCoro::Task<> readRun(QPointer<SettingsOperations> self, std::shared_ptr<CATConnection> connection,
                                 QList<DeviceSettingDefinition> definitions, quint64 generation, Token token);
    static QCoro::Task<> writeRun(QPointer<SettingsOperations> self,
                                  std::shared_ptr<CATConnection> connection, QList<SettingWrite> writes,
                                  quint64 generation, Token token);

    OperationFrame &m_frame;
    QList<DeviceSettingState> m_states;
    SettingsOperationPhase m_phase = SettingsOperationPhase::idle;
    double m_progress = 0.0;
    QString m_statusText;
    // Advanced by every rebuild of the states and every new run: a run publishes only while its
    // generation is current, so a cancelled run never shows stale states.
    quint64 m_generation = 0;
    // The run that set the phase; only it puts the phase back to idle.
    Token m_run;
};
