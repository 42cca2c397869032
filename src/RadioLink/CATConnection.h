#pragma once

#include "RadioLink/LinkLog.h"
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
// does one read before the command was all out.
//
// A request's command may first be held back. After a query timed out, it waits for a quiet line.
// While the device may hold a command cut off (output dropped, or a close that cut a request short,
// here or on an earlier connection to it), a fence goes first: ";" ends that command and the
// command waits for the radio's answer to "ID;" sent after it, each of the two answers given a
// query's time-out; without it the request fails unsent with RadioError::timeout("ID;"). A fence
// whose identity went unanswered may still be answered late, so the next fence to the device first
// waits for a quiet line. Once the device has gone away, every request fails with
// RadioError::connectionLost and nothing is sent; once the port has closed, with
// RadioError::notConnected. A request ended once any of its command had gone out fails with an
// error that says so (RadioError::commandWentOut()), one ended before any went out with one that
// says that (RadioError::commandUnsent()). Every command sent and every line received goes to the
// logger on a later turn of the event loop, or at the latest when the port closes.
// Main thread only; callers keep the connection alive until their request has ended.
class CATConnection : public QObject {
public:
    using Logger = LinkLog::Logger;

    CATConnection(std::shared_ptr<SerialPort> serialPort, Logger logger);
    ~CATConnection() override;

    // The command may end in ";" or not; errors carry it with its ";". Returns the whole reply
    // line, ";" included.
    QCoro::Task<QString> query(QString command, double timeout = LinkTiming::waits().queryTimeout);
    QCoro::Task<> set(QString command, double rejectionWindow = LinkTiming::waits().rejectionWindow);

    void flushInputBuffer();

private:
    using Clock = std::chrono::steady_clock;

    // What the pending request's command waits for before it goes out.
    enum class Hold {
        none,               // nothing: it has gone out, or no request is pending
        quietLine,          // the line to go quiet, after a query timed out
        quietLineThenFence, // the line to go quiet, then a fence, after a fence went unanswered
        fence,              // the answer to the fence's identity query
    };

    void received(const QString &line, Clock::time_point readAt);
    void logIgnored(const QString &line);
    bool isPending() const;
    const QString &pendingCommand() const;
    bool mayAnswer(Clock::time_point readAt) const;
    std::optional<RadioError> refusal(const QString &command) const;
    void send(const QString &command, double seconds, std::function<void()> onTimeout);
    void waitForQuietLine(Hold hold, double settle, double limit);
    void settleAgain();
    void holdTimerRanOut();
    void holdEndedBy(Clock::time_point end);
    void releaseHeldSend();
    void dropHeldSend();
    void fenceOffCutCommand();
    void startFenceDeadline(Clock::time_point fenceOut);
    bool answersFence(const QString &line, Clock::time_point readAt) const;
    void fenceAnswered();
    void fenceUnanswered();
    void failUnsent(const RadioError &error);
    void write(const QString &command);
    void startTimer(double seconds, std::function<void()> onTimeout, Clock::time_point writing);
    void startWindow(Clock::time_point commandOut, Clock::time_point from);
    void outputWritten(Clock::time_point at);
    void timerRanOut();
    void endOnceLinesAreIn(QTimer &timer, const std::optional<Clock::time_point> &end,
                           void (CATConnection::*endBy)(Clock::time_point));
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

    const std::shared_ptr<SerialPort> m_serialPort;
    LinkLog m_logger;

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

    // The held command's send, what it waits for and until when (m_holdEnd). A quiet wait ends
    // m_quietSettle after the last line, by m_quietWaitEnd at the latest; a fence takes an identity
    // read from m_fenceWriteAt on, until its deadline, which is set once the fence is all out.
    Hold m_hold = Hold::none;
    std::function<void()> m_heldSend;
    QTimer m_holdTimer;
    std::optional<Clock::time_point> m_holdEnd;
    std::chrono::milliseconds m_quietSettle{};
    Clock::time_point m_quietWaitEnd;
    Clock::time_point m_fenceWriteAt;
};
