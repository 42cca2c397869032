#include "RadioLink/SerialPortReader.h"

#include "RadioLink/LinkTiming.h"

#include <QPointer>
#include <cerrno>
#include <fcntl.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr qsizetype maximumReadSize = 1024;
// No CAT reply comes near this length; longer input without ";" is noise.
constexpr qsizetype maximumLineLength = 4096;
// How long a device that refused output while it said it was writable is left alone.
constexpr std::chrono::milliseconds refusedOutputPause{10};

// The reader's wake-up pipe, neither end inherited by a program this one starts.
bool openWakePipe(int (&ends)[2]) {
#ifdef __APPLE__
    if (pipe(ends) != 0)
        return false;
    for (const int end : ends)
        fcntl(end, F_SETFD, FD_CLOEXEC);
    return true;
#else
    return pipe2(ends, O_CLOEXEC) == 0;
#endif
}

// The call found the device busy or was interrupted: it may be made again.
bool tryAgain(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

// The device is no longer there: unplugged, switched off, or hung up.
bool deviceGone(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

bool isAscii(const QByteArray &frame) {
    for (const char byte : frame) {
        if (static_cast<unsigned char>(byte) > 0x7F)
            return false;
    }
    return true;
}

} // namespace

SerialPortReader::SerialPortReader(QObject *parent)
    : QObject(parent) {
}

SerialPortReader::~SerialPortReader() {
    stop();
}

bool SerialPortReader::start(int fileDescriptor) {
    int wake[2];
    if (!openWakePipe(wake))
        return false;
    // The reader waits with select(2), which takes no descriptor past FD_SETSIZE.
    if (fileDescriptor >= FD_SETSIZE || wake[0] >= FD_SETSIZE) {
        for (const int end : wake)
            ::close(end);
        return false;
    }
    // A reader that no longer drains the pipe must not make a wake wait.
    fcntl(wake[1], F_SETFL, O_NONBLOCK);
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
    m_stop = m_hungUp = m_hangUpReported = m_latestCommandBegun = false;
    m_latestCommandLength = 0;
    m_receiveBuffer.clear();
    m_overlongLineQuiet = LinkTiming::duration(LinkTiming::waits().overlongLineQuiet);
    m_thread = std::thread(&SerialPortReader::readLoop, this, fileDescriptor, m_wakeRead);
    return true;
}

void SerialPortReader::stop() {
    if (m_thread.joinable()) {
        {
            std::lock_guard guard(m_lock);
            m_stop = true;
        }
        wake();
        m_thread.join();
    }
    closeWakePipe();
}

void SerialPortReader::closeWakePipe() {
    for (int *descriptor : {&m_wakeRead, &m_wakeWrite}) {
        if (*descriptor >= 0)
            ::close(*descriptor);
        *descriptor = -1;
    }
}

void SerialPortReader::wake() const {
    const char wake = 0;
    (void)!::write(m_wakeWrite, &wake, 1);
}

SerialPortReader::Handover SerialPortReader::write(int fileDescriptor, const QByteArray &bytes) {
    std::lock_guard guard(m_lock);
    m_latestCommandLength = bytes.size();
    m_latestCommandBegun = false;
    if (!m_pendingOutput.isEmpty()) {
        m_pendingOutput.append(bytes);
        return Handover::done;
    }
    const ssize_t written = ::write(fileDescriptor, bytes.constData(), bytes.size());
    m_latestCommandBegun = written > 0;
    if (written == bytes.size())
        return Handover::done;
    if (written < 0 && !tryAgain(errno)) {
        if (!deviceGone(errno) && !m_hungUp)
            return Handover::failed;
        // The reader may never see the device go: the link ends as on a hang-up all the same.
        queueReport({Report::Kind::hangUp});
        return Handover::lost;
    }
    m_pendingOutput = bytes.sliced(std::max<ssize_t>(written, 0));
    wake();
    return Handover::queued;
}

bool SerialPortReader::hasPendingOutput() const {
    std::lock_guard guard(m_lock);
    return !m_pendingOutput.isEmpty();
}

bool SerialPortReader::latestCommandBegun() const {
    std::lock_guard guard(m_lock);
    return m_latestCommandBegun;
}

bool SerialPortReader::discardPendingOutput(int fileDescriptor) {
    std::lock_guard guard(m_lock);
    if (m_pendingOutput.isEmpty())
        return false;
    m_pendingOutput = QByteArray();
    tcflush(fileDescriptor, TCOFLUSH);
    return true;
}

void SerialPortReader::dropUnframedInput(int fileDescriptor) {
    std::lock_guard guard(m_lock);
    m_receiveBuffer = QByteArray();
    m_droppingLine = m_overlongReported = false;
    if (fileDescriptor >= 0)
        tcflush(fileDescriptor, TCIFLUSH);
}

void SerialPortReader::setOnCommand(LineCallback onCommand) {
    std::lock_guard guard(m_lock);
    m_onCommand = std::move(onCommand);
}

void SerialPortReader::afterReportsSoFar(std::function<void()> work) {
    // Reports are queued under the lock: once it is free, every one queued so far waits for a
    // delivery queued ahead of this. Called from a receiver, the delivery under way has no call
    // queued any more, so one is queued for it.
    std::lock_guard guard(m_lock);
    if (!m_reports.empty())
        postDelivery();
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

// Runs until stop(), or until the device hangs up or fails: a device that is gone stays readable
// forever, and reading on would only spin. That end is reported. It waits with select(2), since
// poll(2) does not take devices on macOS; a hang-up shows as readable there, and the read then ends
// the loop. A device that refuses output while it says it is writable is offered it again only after
// a pause, so that waiting for it does not spin either.
void SerialPortReader::readLoop(int fileDescriptor, int wakeDescriptor) {
    Clock::time_point offerOutputAgainAt;
    for (;;) {
        fd_set readable;
        fd_set writable;
        FD_ZERO(&readable);
        FD_ZERO(&writable);
        FD_SET(fileDescriptor, &readable);
        FD_SET(wakeDescriptor, &readable);
        bool offerOutput = false;
        {
            std::lock_guard guard(m_lock);
            if (m_stop)
                return;
            offerOutput = !m_pendingOutput.isEmpty();
        }
        timeval pause{};
        timeval *timeout = nullptr;
        const auto untilOffer =
            std::chrono::ceil<std::chrono::microseconds>(offerOutputAgainAt - Clock::now());
        if (offerOutput && untilOffer.count() > 0) {
            pause.tv_usec = static_cast<suseconds_t>(untilOffer.count());
            timeout = &pause;
        } else if (offerOutput) {
            FD_SET(fileDescriptor, &writable);
        }
        const int highest = std::max(fileDescriptor, wakeDescriptor);
        if (select(highest + 1, &readable, &writable, nullptr, timeout) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (FD_ISSET(wakeDescriptor, &readable)) {
            char wakes[64];
            (void)!::read(wakeDescriptor, wakes, sizeof wakes);
            continue;
        }
        if (FD_ISSET(fileDescriptor, &writable)) {
            const WriteOutcome outcome = writePendingOutput(fileDescriptor);
            if (outcome == WriteOutcome::failed)
                break;
            if (outcome == WriteOutcome::refused)
                offerOutputAgainAt = Clock::now() + refusedOutputPause;
        }
        if (FD_ISSET(fileDescriptor, &readable) && !readAvailableData(fileDescriptor))
            break;
    }
    std::lock_guard guard(m_lock);
    m_hungUp = true;
    queueReport({Report::Kind::hangUp});
}

// Hands the device what it takes of the waiting output.
SerialPortReader::WriteOutcome SerialPortReader::writePendingOutput(int fileDescriptor) {
    std::lock_guard guard(m_lock);
    const ssize_t written = ::write(fileDescriptor, m_pendingOutput.constData(), m_pendingOutput.size());
    if (written < 0)
        return tryAgain(errno) ? WriteOutcome::refused : WriteOutcome::failed;
    if (written == 0)
        return WriteOutcome::refused;
    m_pendingOutput.remove(0, written);
    // The latest command stands last in the output.
    if (m_pendingOutput.size() < m_latestCommandLength)
        m_latestCommandBegun = true;
    if (m_pendingOutput.isEmpty())
        queueReport({Report::Kind::outputWritten, Clock::now()});
    return WriteOutcome::progressed;
}

// The descriptor never blocks, so the lock is never held across a wait. Returns false at end of
// file (the device hung up) or on a read error; nothing to read, because a flush or another reader
// took the bytes first, is neither.
bool SerialPortReader::readAvailableData(int fileDescriptor) {
    std::lock_guard guard(m_lock);
    char bytes[maximumReadSize];
    // Stamped as the read begins, so no line is dated after a command that went out while it waited
    // to be read.
    const Clock::time_point readAt = Clock::now();
    const ssize_t count = ::read(fileDescriptor, bytes, maximumReadSize);
    if (count < 0)
        return tryAgain(errno);
    if (count == 0)
        return false;
    // While a line is being dropped, what came before this read is part of it. Once the line has
    // been quiet a moment the noise has stopped: this read starts a line afresh, which the reads
    // after it add to.
    if (m_droppingLine) {
        m_receiveBuffer.clear();
        m_droppingLine = readAt - m_lastReadAt < m_overlongLineQuiet;
    }
    m_lastReadAt = readAt;
    const qsizetype scanFrom = m_receiveBuffer.size();
    m_receiveBuffer.append(bytes, count);
    processReceiveBuffer(scanFrom, readAt);
    return true;
}

// Only the bytes from `scanFrom` on are new; the ones before hold no ";".
void SerialPortReader::processReceiveBuffer(qsizetype scanFrom, Clock::time_point readAt) {
    qsizetype start = 0;
    for (qsizetype end = m_receiveBuffer.indexOf(';', scanFrom); end >= 0;
         end = m_receiveBuffer.indexOf(';', start)) {
        const QByteArray frame = m_receiveBuffer.sliced(start, end + 1 - start);
        start = end + 1;
        m_droppingLine = m_overlongReported = false;
        if (!isAscii(frame) || !m_onCommand)
            continue;
        queueReport({Report::Kind::line, readAt, QString::fromLatin1(frame)});
    }
    m_receiveBuffer.remove(0, start);
    if (m_receiveBuffer.size() > maximumLineLength) {
        m_receiveBuffer = QByteArray();
        m_droppingLine = true;
        if (!std::exchange(m_overlongReported, true))
            QMetaObject::invokeMethod(this, &SerialPortReader::overlongLineDropped, Qt::QueuedConnection);
    }
}

// Under the lock.
void SerialPortReader::queueReport(Report report) {
    m_reports.push_back(std::move(report));
    postDelivery();
}

// Under the lock. Posted, so that it reaches the main thread ahead of whatever the caller posts next.
void SerialPortReader::postDelivery() {
    if (!std::exchange(m_deliveryPosted, true))
        QMetaObject::invokeMethod(this, &SerialPortReader::deliverPostedReports, Qt::QueuedConnection);
}

void SerialPortReader::deliverPostedReports() {
    {
        std::lock_guard guard(m_lock);
        m_deliveryPosted = false;
    }
    deliverReports();
}

// One report at a time, each handed on outside the lock, so a receiver may call the port; one that
// delivers again meanwhile (closing the port) takes the next reports in turn, and those after.
void SerialPortReader::deliverReports() {
    const QPointer<SerialPortReader> self(this);
    while (self) {
        Report report;
        LineCallback onCommand;
        {
            std::lock_guard guard(m_lock);
            if (m_reports.empty())
                return;
            report = std::move(m_reports.front());
            m_reports.pop_front();
            onCommand = m_onCommand;
        }
        switch (report.kind) {
        case Report::Kind::line:
            if (onCommand)
                onCommand(report.line, report.at);
            break;
        case Report::Kind::outputWritten:
            emit outputWritten(report.at);
            break;
        case Report::Kind::hangUp:
            // The reader and a failed write may both see the device go; it is reported once.
            if (!std::exchange(m_hangUpReported, true))
                emit hungUp();
            break;
        }
    }
}

void SerialPortReader::dropHangUp() {
    std::lock_guard guard(m_lock);
    std::erase_if(m_reports, [](const Report &report) { return report.kind == Report::Kind::hangUp; });
}
