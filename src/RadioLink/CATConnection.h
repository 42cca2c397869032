#pragma once

#include "RadioLink/LinkTiming.h"
#include "RadioLink/OneShot.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class RadioError;
class SerialPort;

// Pairs CAT commands with the radio's reply lines on one open serial port. A query returns the
// first line that begins with its command; a set succeeds unless the radio answers "?;" within its
// window. One request at a time: another one meanwhile is not sent and fails with RadioError::busy.
// A request that has been sent ends only by its reply, its rejection, its own timer, the port
// dropping its unsent bytes at the write deadline, the port closing (RadioError::notConnected) or
// the device going away; the caller's cancellation does not cut it short. A window or time-out
// counts from when the command is all out, and a line counts by when the port read it, however
// late it is handled: one read before the end answers the request, one read after does not, nor
// does one read before the command was all out. After a query timed out, the next command waits
// for a quiet line; while the device may hold a command cut off (output dropped, or a close that
// cut a request short, here or on an earlier connection to it), a ";" first ends it and the command
// waits for the radio's answer to "ID;" sent after it, or fails unsent when none comes within a
// query's time-out. Once the device has gone away, every request fails with
// RadioError::connectionLost and nothing is sent; once the port has closed, with
// RadioError::notConnected. A request ended once any of its command had gone out fails with an
// error that says so (RadioError::commandWentOut()). Every command sent and every line received
// goes to the logger on a later turn of the event loop, or at the latest when the port closes.
// Main thread only; callers keep the connection alive until their request has ended.
class CATConnection : public QObject {
public:
    using Logger = std::function<void(const QString &text)>;

    CATConnection(std::shared_ptr<SerialPort> serialPort, Logger logger);
    ~CATConnection() override;

    // The command may end in ";" or not; errors carry it with its ";". Returns the whole reply
    // line, ";" included.
    QCoro::Task<QString> query(QString command, double timeout = LinkTiming::waits().queryTimeout);
    QCoro::Task<> set(QString command, double rejectionWindow = LinkTiming::waits().rejectionWindow);

    void flushInputBuffer();

private:
    using Clock = std::chrono::steady_clock;

    void received(const QString &line, Clock::time_point readAt);
    bool isPending() const;
    const QString &pendingCommand() const;
    bool mayAnswer(Clock::time_point readAt) const;
    std::optional<RadioError> refusal(const QString &command) const;
    void send(const QString &command, double seconds, std::function<void()> onTimeout);
    void waitForQuietLine();
    void fenceOffCutCommand();
    void fenceAnswered();
    void fenceUnanswered();
    void dropDeferredSend();
    void failUnsent(const RadioError &error);
    void write(const QString &command);
    void startTimer(double seconds, std::function<void()> onTimeout, Clock::time_point writing);
    void startWindow(Clock::time_point commandOut, Clock::time_point from);
    void armTimer();
    void timerRanOut();
    void endWindowBy(Clock::time_point time);
    void clearTimer();
    std::optional<OneShot<QString>> takeQuery();
    std::optional<OneShot<>> takeSet();
    bool commandBegun() const;
    void failPendingRequest(RadioError (*error)(const QString &command));
    void failSentRequest();
    void connectionLost();
    void portClosed();
    void abandonPendingRequest(RadioError (*error)(const QString &command));
    void failQueryIfNeeded(const RadioError &error);
    void succeedSetIfNeeded(const QString &command);
    void log(const QString &text) const;

    const std::shared_ptr<SerialPort> m_serialPort;
    const Logger m_logger;
    // Lines not yet handed to the logger, oldest first; shared with the turn that hands them over.
    const std::shared_ptr<QStringList> m_unlogged = std::make_shared<QStringList>();

    std::mutex m_lock;
    std::optional<OneShot<QString>> m_queryContinuation;
    QString m_queryCommand;
    std::optional<QString> m_queryExpectedPrefix;
    std::optional<OneShot<>> m_setContinuation;
    QString m_setCommand;
    // The pending request's window or time-out, and its end once its command is all out.
    QTimer m_timeoutTimer;
    std::function<void()> m_onTimeout;
    Clock::duration m_window{};
    std::optional<Clock::time_point> m_windowEnd;
    // While m_windowEnd is set: lines read from then on may answer the pending request.
    Clock::time_point m_commandOutAt;
    // Set when a query timed out; the next request then waits for a quiet line.
    bool m_lateReplyPossible = false;
    // Set when the device went away.
    bool m_lost = false;
    // The send of a request waiting for the line to go quiet, or for the fence's answer when
    // m_fencing is set, and the latest end of the quiet wait.
    std::function<void()> m_deferredSend;
    bool m_fencing = false;
    std::chrono::steady_clock::time_point m_quietWaitEnd;
    QTimer m_settleTimer;
};
