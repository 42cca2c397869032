#include "RadioLink/CATConnection.h"

#include "Model/RadioError.h"
#include "RadioLink/MainThread.h"
#include "RadioLink/SerialPort.h"

#include <QPointer>

namespace {

const QString rejection = QStringLiteral("?;");
// Both radios answer it with "ID" and their number.
const QString identityQuery = QStringLiteral("ID;");
const QString identityPrefix = QStringLiteral("ID");

QString normalize(const QString &command) {
    return command.endsWith(u';') ? command : command + u';';
}

// Without a prefix of two characters at least, nothing can answer the query but "?;" or its timer.
std::optional<QString> expectedResponsePrefix(const QString &command) {
    const QString prefix = command.chopped(1);
    if (prefix.size() < 2)
        return std::nullopt;
    return prefix;
}

// A request refused before it was sent (busy, device gone, or its write failed) ends on a later
// turn like every other request, after the log lines handed over so far, so the caller's own log
// line about it follows them.
template <typename T> void failLater(OneShot<T> request, const RadioError &error) {
    postToMainThread([request, error]() mutable { request.fail(error); });
}

RadioError notConnected(const QString &) {
    return RadioError::notConnected();
}

// The port's error for a write ahead of the command, told for the command, which did not go out.
RadioError unsent(const RadioError &error, const QString &command) {
    return error.kind() == RadioError::Kind::connectionLost ? RadioError::connectionLost(command)
                                                            : RadioError::portWriteFailed(command);
}

// Runs the single-shot timer out at `end`, at once when that has passed.
void armUntil(QTimer &timer, std::chrono::steady_clock::time_point end) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    timer.start(std::max(left, std::chrono::milliseconds(0)));
}

// Each of the fence's two answers, to its ";" and to its identity query, gets a query's time-out.
double fenceTimeout() {
    return 2 * LinkTiming::waits().queryTimeout;
}

} // namespace

CATConnection::CATConnection(std::shared_ptr<SerialPort> serialPort, Logger logger)
    : m_serialPort(std::move(serialPort))
    , m_logger(std::move(logger)) {
    m_timeoutTimer.setSingleShot(true);
    m_timeoutTimer.setTimerType(Qt::PreciseTimer);
    m_timeoutTimer.callOnTimeout(this, &CATConnection::timerRanOut);
    // The radio cannot answer bytes it has not received: while they wait for the device, the
    // request's wait starts once they are out, or the port's write deadline ends it.
    connect(m_serialPort.get(), &SerialPort::pendingOutputWritten, this, &CATConnection::outputWritten);
    m_serialPort->setOnCommand([connection = QPointer(this)](const QString &line, Clock::time_point readAt) {
        if (connection)
            connection->received(line, readAt);
    });
    connect(m_serialPort.get(), &SerialPort::pendingOutputDropped, this, &CATConnection::failSentRequest);
    connect(m_serialPort.get(), &SerialPort::hungUp, this, &CATConnection::connectionLost);
    connect(m_serialPort.get(), &SerialPort::closed, this, &CATConnection::portClosed);
    m_holdTimer.setSingleShot(true);
    m_holdTimer.setTimerType(Qt::PreciseTimer);
    m_holdTimer.callOnTimeout(this, &CATConnection::holdTimerRanOut);
}

// Only reached with a request pending when the owner breaks the keep-alive rule; the waiting
// caller then gets an error instead of waiting forever.
CATConnection::~CATConnection() {
    // The port may outlive the members its reports would reach, or close as the last of them goes,
    // handing over the lines it read.
    m_serialPort->setOnCommand(nullptr);
    m_serialPort->disconnect(this);
    std::lock_guard guard(m_lock);
    abandonPendingRequest(&notConnected);
}

QCoro::Task<QString> CATConnection::query(QString command, double timeout) {
    command = normalize(command);
    OneShot<QString> reply;
    {
        std::lock_guard guard(m_lock);
        if (const std::optional<RadioError> refused = refusal(command)) {
            failLater(reply, refused->beforeCommandWentOut());
        } else {
            m_queryContinuation = reply;
            m_queryCommand = command;
            m_queryExpectedPrefix = expectedResponsePrefix(command);
            send(command, timeout, [this, command] { failQueryIfNeeded(RadioError::timeout(command)); });
        }
    }
    co_return co_await reply;
}

QCoro::Task<> CATConnection::set(QString command, double rejectionWindow) {
    command = normalize(command);
    OneShot<> accepted;
    {
        std::lock_guard guard(m_lock);
        if (const std::optional<RadioError> refused = refusal(command)) {
            failLater(accepted, refused->beforeCommandWentOut());
        } else {
            m_setContinuation = accepted;
            m_setCommand = command;
            send(command, rejectionWindow, [this, command] { succeedSetIfNeeded(command); });
        }
    }
    co_await accepted;
}

void CATConnection::flushInputBuffer() {
    m_serialPort->flushInputBuffer();
}

void CATConnection::received(const QString &line, Clock::time_point readAt) {
    // A line read after the pending request's window or time-out had ended is no answer to it.
    endWindowBy(readAt);
    m_logger.append(QStringLiteral("RX ") + line);
    std::lock_guard guard(m_lock);
    switch (m_hold) {
    case Hold::none:
        break;
    case Hold::quietLine:
    case Hold::quietLineThenFence:
        // A late answer to what went out before; nothing of this request has been sent.
        settleAgain();
        return;
    case Hold::fence:
        // Whatever comes ahead of the identity is the answer to what the line held.
        if (answersFence(line, readAt))
            fenceAnswered();
        return;
    }
    if (isPending() && !mayAnswer(readAt)) {
        logIgnored(line);
        return;
    }
    if (m_queryContinuation) {
        const QString command = m_queryCommand;
        if (line == rejection)
            takeQuery()->fail(RadioError::rejected(command));
        else if (m_queryExpectedPrefix && line.startsWith(*m_queryExpectedPrefix))
            takeQuery()->succeed(line);
        else
            logIgnored(line);
    } else if (m_setContinuation && line == rejection) {
        const QString command = m_setCommand;
        takeSet()->fail(RadioError::rejected(command));
    }
}

void CATConnection::logIgnored(const QString &line) {
    m_logger.append(QStringLiteral("IGNORED RX ") + line + QStringLiteral(" for pending ") +
                    pendingCommand());
}

bool CATConnection::isPending() const {
    return m_queryContinuation || m_setContinuation;
}

const QString &CATConnection::pendingCommand() const {
    return m_queryContinuation ? m_queryCommand : m_setCommand;
}

// Whether a line the port took at `readAt` can answer the pending request: one taken before its
// command was all out was on its way already.
bool CATConnection::mayAnswer(Clock::time_point readAt) const {
    return m_windowEnd && readAt >= m_commandOutAt;
}

// Why a request cannot be sent now, if it cannot.
std::optional<RadioError> CATConnection::refusal(const QString &command) const {
    if (m_lost)
        return RadioError::connectionLost(command);
    if (!m_serialPort->isOpen())
        return RadioError::notConnected();
    if (isPending())
        return RadioError::busy();
    return std::nullopt;
}

// Writes the pending request's command and starts its timer; a failed write ends the request.
// After a query timed out, its answer may still be on the way: the command then waits until the
// line has been quiet for a moment, so that answer cannot be taken for this one's. A command cut
// off on the line (by this connection or an earlier one to the device) would swallow this one, so
// it is fenced off first, which also lets every late answer pass.
void CATConnection::send(const QString &command, double seconds, std::function<void()> onTimeout) {
    auto sendNow = [this, command, seconds, onTimeout = std::move(onTimeout)] {
        try {
            const Clock::time_point writing = Clock::now();
            write(command);
            startTimer(seconds, onTimeout, writing);
        } catch (const RadioError &error) {
            failUnsent(error);
        }
    };
    const bool lateReplyPossible = std::exchange(m_lateReplyPossible, false);
    const bool identityUnanswered = m_serialPort->identityMayBeUnanswered();
    if (identityUnanswered || m_serialPort->mayHoldCutCommand()) {
        m_heldSend = std::move(sendNow);
        if (identityUnanswered)
            waitForQuietLine(Hold::quietLineThenFence, LinkTiming::waits().unansweredFenceSettle,
                             LinkTiming::waits().unansweredFenceSettleLimit);
        else
            fenceOffCutCommand();
        return;
    }
    if (!lateReplyPossible) {
        sendNow();
        return;
    }
    m_heldSend = std::move(sendNow);
    waitForQuietLine(Hold::quietLine, LinkTiming::waits().lateReplySettle,
                     LinkTiming::waits().lateReplySettleLimit);
}

// Holds the send until the line has been quiet for `settle` seconds, or `limit` seconds have passed.
void CATConnection::waitForQuietLine(Hold hold, double settle, double limit) {
    m_hold = hold;
    m_quietSettle = LinkTiming::duration(settle);
    m_quietWaitEnd = Clock::now() + LinkTiming::duration(limit);
    settleAgain();
}

// The settle time from now, never past the end of the whole wait.
void CATConnection::settleAgain() {
    m_holdEnd = std::min(Clock::now() + m_quietSettle, m_quietWaitEnd);
    armUntil(m_holdTimer, *m_holdEnd);
}

void CATConnection::holdTimerRanOut() {
    endOnceLinesAreIn(m_holdTimer, m_holdEnd, &CATConnection::holdEndedBy);
}

// What the held send waited for did not come by `end`, with the lines read before it handed on. A
// line among them that restarted the quiet wait moved its end.
void CATConnection::holdEndedBy(Clock::time_point end) {
    std::lock_guard guard(m_lock);
    if (m_holdEnd != end)
        return;
    switch (m_hold) {
    case Hold::none:
        break;
    case Hold::quietLine:
        releaseHeldSend();
        break;
    case Hold::quietLineThenFence:
        fenceOffCutCommand();
        break;
    case Hold::fence:
        fenceUnanswered();
        break;
    }
}

void CATConnection::releaseHeldSend() {
    const std::function<void()> send = std::exchange(m_heldSend, nullptr);
    dropHeldSend();
    send();
}

void CATConnection::dropHeldSend() {
    m_holdTimer.stop();
    m_hold = Hold::none;
    m_holdEnd.reset();
    m_heldSend = nullptr;
}

// Ends the command cut off on the line with ";" and asks the radio who it is. The radio answers in
// order, so once its identity is in, so is its answer to that command (mostly "?;"), which no
// request can then take for its own; the held send goes out only then. Until that identity is
// taken, the device's record says it may still come, in front of a later fence's.
void CATConnection::fenceOffCutCommand() {
    m_hold = Hold::fence;
    m_holdEnd.reset();
    m_fenceWriteAt = Clock::now();
    m_serialPort->setIdentityUnanswered(true);
    try {
        write(QStringLiteral(";"));
        write(identityQuery);
    } catch (const RadioError &error) {
        const RadioError failure = unsent(error, pendingCommand());
        m_serialPort->markCommandCut();
        dropHeldSend();
        failUnsent(failure);
        return;
    }
    if (!m_serialPort->hasPendingOutput())
        startFenceDeadline(Clock::now());
}

void CATConnection::startFenceDeadline(Clock::time_point fenceOut) {
    m_holdEnd = fenceOut + LinkTiming::duration(fenceTimeout());
    armUntil(m_holdTimer, *m_holdEnd);
}

// Only an identity read once the fence had begun, and before its deadline, is its answer.
bool CATConnection::answersFence(const QString &line, Clock::time_point readAt) const {
    return line.startsWith(identityPrefix) && readAt >= m_fenceWriteAt &&
           (!m_holdEnd || readAt <= *m_holdEnd);
}

void CATConnection::fenceAnswered() {
    m_serialPort->setIdentityUnanswered(false);
    releaseHeldSend();
}

// Without the identity, what the line holds is as unknown as before: the request fails unsent, as
// the radio did not answer, and the next one is fenced off again.
void CATConnection::fenceUnanswered() {
    m_serialPort->markCommandCut();
    dropHeldSend();
    failUnsent(RadioError::timeout(identityQuery));
}

void CATConnection::failUnsent(const RadioError &error) {
    if (auto query = takeQuery())
        failLater(*query, error.beforeCommandWentOut());
    if (auto set = takeSet())
        failLater(*set, error.beforeCommandWentOut());
}

// A command that cannot reach the port, closed under a held send, is not logged as sent.
void CATConnection::write(const QString &command) {
    if (!m_serialPort->isOpen())
        throw RadioError::notConnected();
    m_logger.append(QStringLiteral("TX ") + command);
    m_serialPort->write(command);
}

// `writing` is when the command's write began.
void CATConnection::startTimer(double seconds, std::function<void()> onTimeout, Clock::time_point writing) {
    m_onTimeout = std::move(onTimeout);
    m_window = LinkTiming::duration(seconds);
    if (!m_serialPort->hasPendingOutput())
        startWindow(writing, Clock::now());
}

// The command is all out: lines the port takes from `commandOut` on may answer it, and its window
// or time-out runs from `from`.
void CATConnection::startWindow(Clock::time_point commandOut, Clock::time_point from) {
    m_commandOutAt = commandOut;
    m_windowEnd = from + m_window;
    armUntil(m_timeoutTimer, *m_windowEnd);
}

// Queued output is all out since `at`: the fence's deadline, or the request's window, runs from then.
void CATConnection::outputWritten(Clock::time_point at) {
    if (m_hold == Hold::fence && !m_holdEnd)
        startFenceDeadline(at);
    else if (m_hold == Hold::none && m_onTimeout && !m_windowEnd)
        startWindow(at, at);
}

void CATConnection::timerRanOut() {
    endOnceLinesAreIn(m_timeoutTimer, m_windowEnd, &CATConnection::endWindowBy);
}

// A timer only tells that `end` has passed: lines read before it may still wait in the queue, so
// `endBy` runs once they have been handed on.
void CATConnection::endOnceLinesAreIn(QTimer &timer, const std::optional<Clock::time_point> &end,
                                      void (CATConnection::*endBy)(Clock::time_point)) {
    if (!end)
        return;
    if (Clock::now() < *end) {
        armUntil(timer, *end);
        return;
    }
    m_serialPort->afterLinesReadSoFar([connection = QPointer(this), end = *end, endBy] {
        if (connection)
            (connection->*endBy)(end);
    });
}

// Ends the pending request by its timer when its window or time-out was over by `time`.
void CATConnection::endWindowBy(Clock::time_point time) {
    std::function<void()> onTimeout;
    {
        std::lock_guard guard(m_lock);
        if (!m_windowEnd || *m_windowEnd > time)
            return;
        onTimeout = std::exchange(m_onTimeout, nullptr);
    }
    onTimeout();
}

void CATConnection::clearTimer() {
    m_timeoutTimer.stop();
    m_onTimeout = nullptr;
    m_windowEnd.reset();
}

// Clears the pending query and its timer and hands back its continuation, if one was pending.
std::optional<OneShot<QString>> CATConnection::takeQuery() {
    clearTimer();
    m_queryCommand.clear();
    m_queryExpectedPrefix.reset();
    return std::exchange(m_queryContinuation, std::nullopt);
}

std::optional<OneShot<>> CATConnection::takeSet() {
    clearTimer();
    m_setCommand.clear();
    return std::exchange(m_setContinuation, std::nullopt);
}

// Whether the device has been handed any of the pending request's command. Once it is no longer
// held, m_onTimeout is set when the command has been written, and m_windowEnd once it is all out.
bool CATConnection::commandBegun() const {
    return m_hold == Hold::none && (m_windowEnd || (m_onTimeout && m_serialPort->latestCommandBegun()));
}

// Fails the pending request, if any, with the error for its command, which tells whether any of the
// command had gone out.
void CATConnection::failPendingRequest(RadioError (*error)(const QString &command)) {
    if (!isPending())
        return;
    const RadioError failure = commandBegun() ? error(pendingCommand()).afterCommandWentOut()
                                              : error(pendingCommand()).beforeCommandWentOut();
    if (auto query = takeQuery())
        query->fail(failure);
    if (auto set = takeSet())
        set->fail(failure);
}

// The port dropped bytes the device had not taken at its deadline: no reply can come to the
// request they belong to, nor to the fence of one. A request waiting for a quiet line had none
// among them.
void CATConnection::failSentRequest() {
    std::lock_guard guard(m_lock);
    if (m_hold == Hold::quietLine || m_hold == Hold::quietLineThenFence)
        return;
    failPendingRequest(&RadioError::portWriteFailed);
    dropHeldSend();
}

// The device went away: the pending request, sent or still waiting to be, can get no
// answer, and nothing more goes out.
void CATConnection::connectionLost() {
    std::lock_guard guard(m_lock);
    m_lost = true;
    abandonPendingRequest(&RadioError::connectionLost);
}

// The port closed: the pending request ends now, not by a window that no answer can cut short any
// more. What happened before the close reaches the log before whatever the closer logs next.
void CATConnection::portClosed() {
    m_logger.handOver();
    std::lock_guard guard(m_lock);
    abandonPendingRequest(m_lost ? &RadioError::connectionLost : &notConnected);
}

// Ends the pending request, sent or still waiting to be. A command any of which went out may still
// have been on its way, and the next connection to the device must not glue onto it; nor onto
// what a fence left unanswered was to end.
void CATConnection::abandonPendingRequest(RadioError (*error)(const QString &command)) {
    if (m_hold == Hold::fence || commandBegun())
        m_serialPort->markCommandCut();
    failPendingRequest(error);
    dropHeldSend();
}

// A query's timer ran out: its answer may still come, so the next request waits for a quiet line.
void CATConnection::failQueryIfNeeded(const RadioError &error) {
    std::lock_guard guard(m_lock);
    if (auto query = takeQuery()) {
        m_lateReplyPossible = true;
        query->fail(error);
    }
}

void CATConnection::succeedSetIfNeeded(const QString &command) {
    std::lock_guard guard(m_lock);
    if (auto set = takeSet()) {
        m_logger.append(QStringLiteral("SET OK ") + command);
        set->succeed();
    }
}
