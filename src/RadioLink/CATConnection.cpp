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

void handOver(QStringList &lines, const CATConnection::Logger &logger) {
    for (const QString &line : std::exchange(lines, {})) {
        if (logger)
            logger(line);
    }
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
    connect(m_serialPort.get(), &SerialPort::pendingOutputWritten, this, [this](Clock::time_point at) {
        if (m_onTimeout && !m_windowEnd)
            startWindow(at, at);
    });
    m_serialPort->setOnCommand([connection = QPointer(this)](const QString &line, Clock::time_point readAt) {
        if (connection)
            connection->received(line, readAt);
    });
    connect(m_serialPort.get(), &SerialPort::pendingOutputDropped, this, &CATConnection::failSentRequest);
    connect(m_serialPort.get(), &SerialPort::hungUp, this, &CATConnection::connectionLost);
    connect(m_serialPort.get(), &SerialPort::closed, this, &CATConnection::portClosed);
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setTimerType(Qt::PreciseTimer);
    m_settleTimer.callOnTimeout([this] {
        std::lock_guard guard(m_lock);
        std::exchange(m_deferredSend, nullptr)();
    });
}

// Only reached with a request pending when the owner breaks the keep-alive rule; the waiting
// caller then gets an error instead of waiting forever.
CATConnection::~CATConnection() {
    // The port may outlive the members its reports would reach.
    m_serialPort->disconnect(this);
    if (auto query = takeQuery())
        query->fail(RadioError::notConnected());
    if (auto set = takeSet())
        set->fail(RadioError::notConnected());
}

QCoro::Task<QString> CATConnection::query(QString command, double timeout) {
    command = normalize(command);
    OneShot<QString> reply;
    {
        std::lock_guard guard(m_lock);
        if (const std::optional<RadioError> refused = refusal(command)) {
            failLater(reply, *refused);
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
            failLater(accepted, *refused);
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
    log(QStringLiteral("RX ") + line);
    std::lock_guard guard(m_lock);
    if (m_fencing) {
        // Whatever comes ahead of the identity is the answer to what the line held.
        if (mayAnswer(readAt) && line.startsWith(identityPrefix))
            fenceAnswered();
        return;
    }
    if (m_deferredSend) {
        // Most likely the late answer to a query that timed out; nothing has been sent since.
        waitForQuietLine();
        return;
    }
    if (isPending() && !mayAnswer(readAt)) {
        log(QStringLiteral("IGNORED RX ") + line + QStringLiteral(" for pending ") + pendingCommand());
        return;
    }
    if (m_queryContinuation) {
        const QString command = m_queryCommand;
        if (line == rejection)
            takeQuery()->fail(RadioError::rejected(command));
        else if (m_queryExpectedPrefix && line.startsWith(*m_queryExpectedPrefix))
            takeQuery()->succeed(line);
        else
            log(QStringLiteral("IGNORED RX ") + line + QStringLiteral(" for pending ") + command);
    } else if (m_setContinuation && line == rejection) {
        const QString command = m_setCommand;
        takeSet()->fail(RadioError::rejected(command));
    }
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
    if (m_serialPort->mayHoldCutCommand()) {
        m_lateReplyPossible = false;
        m_deferredSend = std::move(sendNow);
        fenceOffCutCommand();
        return;
    }
    if (!std::exchange(m_lateReplyPossible, false)) {
        sendNow();
        return;
    }
    m_deferredSend = std::move(sendNow);
    m_quietWaitEnd =
        std::chrono::steady_clock::now() + LinkTiming::duration(LinkTiming::waits().lateReplySettleLimit);
    waitForQuietLine();
}

// The settle time from now, never past the end of the whole wait.
void CATConnection::waitForQuietLine() {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_quietWaitEnd -
                                                                            std::chrono::steady_clock::now());
    m_settleTimer.start(std::max(std::chrono::milliseconds(0),
                                 std::min(LinkTiming::duration(LinkTiming::waits().lateReplySettle), left)));
}

// Ends the command cut off on the line with ";" and asks the radio who it is. The radio answers in
// order, so once its identity is in, so is its answer to that command (mostly "?;"), which no
// request can then take for its own; the deferred send goes out only then.
void CATConnection::fenceOffCutCommand() {
    const Clock::time_point writing = Clock::now();
    try {
        write(QStringLiteral(";"));
        write(identityQuery);
    } catch (const RadioError &error) {
        const RadioError failure = unsent(error, pendingCommand());
        m_serialPort->markCommandCut();
        dropDeferredSend();
        failUnsent(failure);
        return;
    }
    m_fencing = true;
    startTimer(
        LinkTiming::waits().queryTimeout, [this] { fenceUnanswered(); }, writing);
}

void CATConnection::fenceAnswered() {
    clearTimer();
    m_fencing = false;
    std::exchange(m_deferredSend, nullptr)();
}

// Without the identity, what the line holds is as unknown as before: the request fails unsent, and
// the next one is fenced off again.
void CATConnection::fenceUnanswered() {
    std::lock_guard guard(m_lock);
    m_serialPort->markCommandCut();
    failPendingRequest(&RadioError::portWriteFailed);
    dropDeferredSend();
}

void CATConnection::dropDeferredSend() {
    m_settleTimer.stop();
    m_deferredSend = nullptr;
    m_fencing = false;
}

void CATConnection::failUnsent(const RadioError &error) {
    if (auto query = takeQuery())
        failLater(*query, error);
    if (auto set = takeSet())
        failLater(*set, error);
}

void CATConnection::write(const QString &command) {
    log(QStringLiteral("TX ") + command);
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
    armTimer();
}

void CATConnection::armTimer() {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*m_windowEnd - Clock::now());
    m_timeoutTimer.start(std::max(left, std::chrono::milliseconds(0)));
}

// The timer only tells that the window has passed: lines read before its end may still wait in the
// queue, so it ends once they have been handed on.
void CATConnection::timerRanOut() {
    if (!m_windowEnd)
        return;
    const Clock::time_point end = *m_windowEnd;
    if (Clock::now() < end) {
        armTimer();
        return;
    }
    m_serialPort->afterLinesReadSoFar([connection = QPointer(this), end] {
        if (connection)
            connection->endWindowBy(end);
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

// Whether the device has been handed any of the pending request's command. Unless the send waits,
// m_onTimeout is set once the command has been written, and m_windowEnd once it is all out.
bool CATConnection::commandBegun() const {
    return !m_deferredSend && (m_windowEnd || (m_onTimeout && m_serialPort->latestCommandBegun()));
}

// Fails the pending request, if any, with the error for its command, which tells whether any of the
// command had gone out.
void CATConnection::failPendingRequest(RadioError (*error)(const QString &command)) {
    if (!isPending())
        return;
    const RadioError failure =
        commandBegun() ? error(pendingCommand()).afterCommandWentOut() : error(pendingCommand());
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
    if (m_deferredSend && !m_fencing)
        return;
    failPendingRequest(&RadioError::portWriteFailed);
    dropDeferredSend();
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
    handOver(*m_unlogged, m_logger);
    std::lock_guard guard(m_lock);
    abandonPendingRequest(m_lost ? &RadioError::connectionLost : &notConnected);
}

// Ends the pending request, sent or still waiting to be. A command any of which went out may still
// have been on its way, and the next connection to the device must not glue onto it; nor onto
// what a fence left unanswered was to end.
void CATConnection::abandonPendingRequest(RadioError (*error)(const QString &command)) {
    if (m_fencing || commandBegun())
        m_serialPort->markCommandCut();
    failPendingRequest(error);
    dropDeferredSend();
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
        log(QStringLiteral("SET OK ") + command);
        set->succeed();
    }
}

// One later turn hands over every line logged until then, in order.
void CATConnection::log(const QString &text) const {
    m_unlogged->append(text);
    if (m_unlogged->size() == 1)
        postToMainThread([unlogged = m_unlogged, logger = m_logger] { handOver(*unlogged, logger); });
}
