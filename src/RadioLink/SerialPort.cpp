#include "RadioLink/SerialPort.h"

#include "Model/CATText.h"
#include "Model/RadioError.h"
#include "RadioLink/CutCommandRecord.h"
#include "RadioLink/LinkTiming.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr qsizetype maximumReadSize = 1024;
// No CAT reply comes near this length; longer input without ";" is noise.
constexpr qsizetype maximumLineLength = 4096;
// How long a device that refused output while it said it was writable is left alone.
constexpr std::chrono::milliseconds refusedOutputPause{10};

speed_t speed(int baudRate) {
    switch (baudRate) {
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B38400;
    }
}

tcflag_t dataBitsFlag(int dataBits) {
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

void setFlag(tcflag_t &flags, tcflag_t flag, bool on) {
    if (on)
        flags |= flag;
    else
        flags &= ~flag;
}

// Raw mode with the configuration's framing and speed; false when the device refuses it.
bool configure(int fileDescriptor, const SerialPortConfiguration &configuration) {
    termios settings{};
    if (tcgetattr(fileDescriptor, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~PARENB;
    settings.c_cflag &= ~CSIZE;
    settings.c_cflag |= dataBitsFlag(configuration.dataBits);
    setFlag(settings.c_cflag, CSTOPB, configuration.stopBits == 2);
    setFlag(settings.c_cflag, CRTSCTS, configuration.hardwareFlowControl);
    setFlag(settings.c_cflag, HUPCL, configuration.hangUpOnClose);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    cfsetispeed(&settings, speed(configuration.baudRate));
    cfsetospeed(&settings, speed(configuration.baudRate));
    return tcsetattr(fileDescriptor, TCSANOW, &settings) == 0;
}

// Takes the device for this program alone: a second reader would take the radio's replies. The
// lock holds against every program that asks for it, root included; the terminal's exclusive mode
// also turns away other users' programs that do not ask. Root's open passes through another
// holder's exclusive mode, so it is asked for; that mode stays the holder's. Throws
// RadioError::portInUse when another program holds the device.
void claim(int fileDescriptor, const QString &path) {
    if (flock(fileDescriptor, LOCK_EX | LOCK_NB) != 0)
        throw errno == EWOULDBLOCK ? RadioError::portInUse(path) : RadioError::portOpenFailed(path);
#ifdef TIOCGEXCL
    int exclusive = 0;
    if (ioctl(fileDescriptor, TIOCGEXCL, &exclusive) == 0 && exclusive)
        throw RadioError::portInUse(path);
#endif
    if (ioctl(fileDescriptor, TIOCEXCL) != 0)
        throw RadioError::portOpenFailed(path);
}

// A pseudo-terminal keeps its exclusive mode after this close while its other end is open.
void release(int fileDescriptor) {
    ioctl(fileDescriptor, TIOCNXCL);
    ::close(fileDescriptor);
}

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

// Whether the driver still holds output it has not put on the line.
bool driverHoldsOutput(int fileDescriptor) {
    int queued = 0;
    return ioctl(fileDescriptor, TIOCOUTQ, &queued) == 0 && queued > 0;
}

bool isAscii(const QByteArray &frame) {
    for (const char byte : frame) {
        if (static_cast<unsigned char>(byte) > 0x7F)
            return false;
    }
    return true;
}

} // namespace

SerialPort::SerialPort(QString path, QObject *parent)
    : QObject(parent)
    , m_path(std::move(path)) {
    m_writeDeadline.setSingleShot(true);
    m_writeDeadline.callOnTimeout(this, &SerialPort::dropPendingOutput);
}

SerialPort::~SerialPort() {
    closePort();
}

void SerialPort::openPort(const SerialPortConfiguration &configuration) {
    closePort();
    // Writes never wait for the device: what it does not take at once is written later.
    const int fileDescriptor =
        ::open(m_path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fileDescriptor < 0)
        throw errno == EBUSY ? RadioError::portInUse(m_path) : RadioError::portOpenFailed(m_path);
    try {
        claim(fileDescriptor, m_path);
    } catch (const RadioError &) {
        // An exclusive mode here is not ours: it stays.
        ::close(fileDescriptor);
        throw;
    }
    if (!configure(fileDescriptor, configuration)) {
        release(fileDescriptor);
        throw RadioError::portOpenFailed(m_path);
    }
    tcflush(fileDescriptor, TCIOFLUSH);
    {
        std::lock_guard guard(m_lock);
        m_receiveBuffer.clear();
        m_overlongLineQuiet = LinkTiming::duration(LinkTiming::waits().overlongLineQuiet);
    }
    startReader(fileDescriptor);
    m_baudRate = configuration.baudRate;
}

void SerialPort::openPort(int baudRate) {
    openPort(SerialPortConfiguration::ft710(baudRate));
}

void SerialPort::closePort() {
    if (m_reader.joinable()) {
        {
            std::lock_guard guard(m_lock);
            m_stopReader = true;
        }
        wakeReader();
        m_reader.join();
    }
    m_writeDeadline.stop();
    const bool wasOpen = isOpen();
    if (wasOpen) {
        // A driver takes a whole command at once and puts it on the line at line speed; what it
        // still holds is dropped below, cutting that command off.
        if (driverHoldsOutput(m_fileDescriptor))
            markCommandCut();
        discardPendingOutput();
    }
    closeDescriptors();
    {
        std::lock_guard guard(m_lock);
        m_receiveBuffer = QByteArray();
        m_droppingLine = m_overlongReported = false;
    }
    // What the radio said before the close belongs before it, never after it or under a later
    // connection; the device is closed already, so whatever the lines set off sends nothing.
    deliverReceivedLines();
    if (wasOpen)
        emit closed();
}

void SerialPort::write(const QString &command) {
    if (!isOpen())
        throw RadioError::notConnected();
    if (!CATText::isSendable(command.endsWith(u';') ? command.chopped(1) : command))
        throw RadioError::portWriteFailed(command);
    writeOrQueue(command.toLatin1(), command);
    // Its ";" ends a cut-off command on the line; should these bytes be dropped, that is noted anew.
    if (command.endsWith(u';'))
        CutCommandRecord::shared().set(m_path, false);
}

// Hands the device what it takes at once; the reader writes the rest.
void SerialPort::writeOrQueue(const QByteArray &bytes, const QString &command) {
    std::lock_guard guard(m_lock);
    m_latestCommandLength = bytes.size();
    m_latestCommandBegun = false;
    if (!m_pendingOutput.isEmpty()) {
        m_pendingOutput.append(bytes);
        return;
    }
    const ssize_t written = ::write(m_fileDescriptor, bytes.constData(), bytes.size());
    m_latestCommandBegun = written > 0;
    if (written == bytes.size())
        return;
    if (written < 0 && !tryAgain(errno)) {
        if (!deviceGone(errno) && !m_hungUp)
            throw RadioError::portWriteFailed(command);
        // The reader may never see the device go: the link ends as on a hang-up all the same.
        reportHangUpLater();
        throw RadioError::connectionLost(command);
    }
    m_pendingOutput = bytes.sliced(std::max<ssize_t>(written, 0));
    m_writeDeadline.start(LinkTiming::duration(LinkTiming::waits().portWriteDeadline));
    wakeReader();
}

bool SerialPort::hasPendingOutput() const {
    std::lock_guard guard(m_lock);
    return !m_pendingOutput.isEmpty();
}

bool SerialPort::latestCommandBegun() const {
    std::lock_guard guard(m_lock);
    return m_latestCommandBegun;
}

bool SerialPort::mayHoldCutCommand() const {
    return CutCommandRecord::shared().contains(m_path);
}

void SerialPort::markCommandCut() {
    CutCommandRecord::shared().set(m_path, true);
}

void SerialPort::flushInputBuffer() {
    if (!isOpen())
        return;
    std::lock_guard guard(m_lock);
    m_receiveBuffer = QByteArray();
    m_droppingLine = m_overlongReported = false;
    tcflush(m_fileDescriptor, TCIFLUSH);
}

void SerialPort::setOnCommand(LineCallback onCommand) {
    std::lock_guard guard(m_lock);
    m_onCommand = std::move(onCommand);
}

void SerialPort::afterLinesReadSoFar(std::function<void()> work) {
    // The reader queues each line while it holds the lock: once the lock is free, every line read
    // so far waits for a delivery queued ahead of this.
    std::lock_guard guard(m_lock);
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

void SerialPort::startReader(int fileDescriptor) {
    int wake[2];
    if (!openWakePipe(wake)) {
        release(fileDescriptor);
        throw RadioError::portOpenFailed(m_path);
    }
    // The reader waits with select(2), which takes no descriptor past FD_SETSIZE.
    if (fileDescriptor >= FD_SETSIZE || wake[0] >= FD_SETSIZE) {
        for (const int end : wake)
            ::close(end);
        release(fileDescriptor);
        throw RadioError::portOpenFailed(m_path);
    }
    // A reader that no longer drains the pipe must not make a wake wait.
    fcntl(wake[1], F_SETFL, O_NONBLOCK);
    m_fileDescriptor = fileDescriptor;
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
    m_stopReader = m_hungUp = m_hangUpReported = m_latestCommandBegun = false;
    m_latestCommandLength = 0;
    m_reader = std::thread(&SerialPort::readLoop, this, m_fileDescriptor, m_wakeRead);
}

void SerialPort::closeDescriptors() {
    if (isOpen()) {
        // Closing a device with output it has not taken could wait for it.
        tcflush(m_fileDescriptor, TCOFLUSH);
        release(m_fileDescriptor);
        m_fileDescriptor = -1;
    }
    for (int *descriptor : {&m_wakeRead, &m_wakeWrite}) {
        if (*descriptor >= 0)
            ::close(*descriptor);
        *descriptor = -1;
    }
}

void SerialPort::wakeReader() const {
    const char wake = 0;
    (void)!::write(m_wakeWrite, &wake, 1);
}

// Runs until closePort() stops it, or until the device hangs up or fails: a device that is gone
// stays readable forever, and reading on would only spin. That end is reported. It waits with
// select(2), since poll(2) does not take devices on macOS; a hang-up shows as readable there, and
// the read then ends the loop. A device that refuses output while it says it is writable is offered
// it again only after a pause, so that waiting for it does not spin either.
void SerialPort::readLoop(int fileDescriptor, int wakeDescriptor) {
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
            if (m_stopReader)
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
    {
        std::lock_guard guard(m_lock);
        m_hungUp = true;
    }
    reportHangUpLater();
}

// Hands the device what it takes of the waiting output.
SerialPort::WriteOutcome SerialPort::writePendingOutput(int fileDescriptor) {
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
        QMetaObject::invokeMethod(
            this, [this, at = Clock::now()] { emit pendingOutputWritten(at); }, Qt::QueuedConnection);
    return WriteOutcome::progressed;
}

// Posted, so that it reaches the main thread ahead of what the caller of a failed write posts next.
void SerialPort::reportHangUpLater() {
    QMetaObject::invokeMethod(this, &SerialPort::reportHangUp, Qt::QueuedConnection);
}

// The reader and a failed write may both see the device go; it is reported once.
void SerialPort::reportHangUp() {
    if (!std::exchange(m_hangUpReported, true))
        emit hungUp();
}

// The deadline has passed: the request these bytes belong to cannot be answered any more.
void SerialPort::dropPendingOutput() {
    if (discardPendingOutput())
        emit pendingOutputDropped();
}

// Drops the output that waits for the device, with what the driver still holds of it; whether
// there was any.
bool SerialPort::discardPendingOutput() {
    std::lock_guard guard(m_lock);
    if (m_pendingOutput.isEmpty())
        return false;
    m_pendingOutput = QByteArray();
    tcflush(m_fileDescriptor, TCOFLUSH);
    markCommandCut();
    return true;
}

// The descriptor never blocks, so the lock is never held across a wait. Returns false at end of
// file (the device hung up) or on a read error; nothing to read, because a flush or another reader
// took the bytes first, is neither.
bool SerialPort::readAvailableData(int fileDescriptor) {
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
void SerialPort::processReceiveBuffer(qsizetype scanFrom, Clock::time_point readAt) {
    qsizetype start = 0;
    for (qsizetype end = m_receiveBuffer.indexOf(';', scanFrom); end >= 0;
         end = m_receiveBuffer.indexOf(';', start)) {
        const QByteArray frame = m_receiveBuffer.sliced(start, end + 1 - start);
        start = end + 1;
        m_droppingLine = m_overlongReported = false;
        if (!isAscii(frame) || !m_onCommand)
            continue;
        m_receivedLines.append({QString::fromLatin1(frame), readAt});
        if (m_receivedLines.size() == 1)
            QMetaObject::invokeMethod(this, &SerialPort::deliverReceivedLines, Qt::QueuedConnection);
    }
    m_receiveBuffer.remove(0, start);
    if (m_receiveBuffer.size() > maximumLineLength) {
        m_receiveBuffer = QByteArray();
        m_droppingLine = true;
        if (!std::exchange(m_overlongReported, true))
            QMetaObject::invokeMethod(this, &SerialPort::overlongLineDropped, Qt::QueuedConnection);
    }
}

// Outside the lock, so the receiver may call the port.
void SerialPort::deliverReceivedLines() {
    QList<std::pair<QString, Clock::time_point>> lines;
    LineCallback onCommand;
    {
        std::lock_guard guard(m_lock);
        lines = std::exchange(m_receivedLines, {});
        onCommand = m_onCommand;
    }
    for (const auto &[line, readAt] : lines) {
        if (onCommand)
            onCommand(line, readAt);
    }
}
