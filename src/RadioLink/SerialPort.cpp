#include "RadioLink/SerialPort.h"

#include "Model/CATText.h"
#include "Model/RadioError.h"
#include "RadioLink/LinkTiming.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr qsizetype maximumReadSize = 1024;
// No CAT reply comes near this length; longer input without ";" is noise.
constexpr qsizetype maximumLineLength = 4096;

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

void configure(termios &settings, const SerialPortConfiguration &configuration) {
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
    const int fileDescriptor = ::open(m_path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fileDescriptor < 0)
        throw RadioError::portOpenFailed(m_path);
    termios settings{};
    if (tcgetattr(fileDescriptor, &settings) != 0) {
        ::close(fileDescriptor);
        throw RadioError::portOpenFailed(m_path);
    }
    configure(settings, configuration);
    if (tcsetattr(fileDescriptor, TCSANOW, &settings) != 0) {
        ::close(fileDescriptor);
        throw RadioError::portOpenFailed(m_path);
    }
    tcflush(fileDescriptor, TCIOFLUSH);
    {
        std::lock_guard guard(m_lock);
        m_receiveBuffer.clear();
    }
    startReader(fileDescriptor);
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
    // Closing a device with output it has not taken could wait for it.
    if (m_fileDescriptor >= 0)
        tcflush(m_fileDescriptor, TCOFLUSH);
    for (int *descriptor : {&m_wakeRead, &m_wakeWrite, &m_fileDescriptor}) {
        if (*descriptor >= 0)
            ::close(*descriptor);
        *descriptor = -1;
    }
    std::lock_guard guard(m_lock);
    m_pendingOutput = QByteArray();
    m_receiveBuffer = QByteArray();
    m_droppingLine = false;
}

void SerialPort::write(const QString &command) {
    if (m_fileDescriptor < 0)
        throw RadioError::notConnected();
    if (!CATText::isSendable(command.endsWith(u';') ? command.chopped(1) : command))
        throw RadioError::portWriteFailed(command);
    const QByteArray bytes = command.toLatin1();
    std::lock_guard guard(m_lock);
    if (!m_pendingOutput.isEmpty()) {
        m_pendingOutput.append(bytes);
        return;
    }
    const ssize_t written = ::write(m_fileDescriptor, bytes.constData(), bytes.size());
    if (written == bytes.size())
        return;
    if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
        throw RadioError::portWriteFailed(command);
    m_pendingOutput = bytes.sliced(std::max<ssize_t>(written, 0));
    m_writeDeadline.start(LinkTiming::duration(LinkTiming::waits().portWriteDeadline));
    wakeReader();
}

bool SerialPort::hasPendingOutput() const {
    std::lock_guard guard(m_lock);
    return !m_pendingOutput.isEmpty();
}

void SerialPort::flushInputBuffer() {
    if (m_fileDescriptor < 0)
        return;
    std::lock_guard guard(m_lock);
    m_receiveBuffer = QByteArray();
    m_droppingLine = false;
    tcflush(m_fileDescriptor, TCIFLUSH);
    ++m_flushCount;
}

void SerialPort::setOnCommand(LineCallback onCommand) {
    std::lock_guard guard(m_lock);
    m_onCommand = std::move(onCommand);
}

void SerialPort::startReader(int fileDescriptor) {
    int wake[2];
    if (pipe(wake) != 0) {
        ::close(fileDescriptor);
        throw RadioError::portOpenFailed(m_path);
    }
    // A reader that no longer drains the pipe must not make a wake wait.
    fcntl(wake[1], F_SETFL, O_NONBLOCK);
    m_fileDescriptor = fileDescriptor;
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
    m_stopReader = false;
    m_reader = std::thread(&SerialPort::readLoop, this, m_fileDescriptor, m_wakeRead);
}

void SerialPort::wakeReader() const {
    const char wake = 0;
    (void)!::write(m_wakeWrite, &wake, 1);
}

// Runs until closePort() stops it, or until the device hangs up or fails: a device that is gone
// stays readable forever, and reading on would only spin. That end is reported.
void SerialPort::readLoop(int fileDescriptor, int wakeDescriptor) {
    for (;;) {
        unsigned flushesBeforePoll;
        short events = POLLIN;
        {
            std::lock_guard guard(m_lock);
            if (m_stopReader)
                return;
            flushesBeforePoll = m_flushCount;
            if (!m_pendingOutput.isEmpty())
                events |= POLLOUT;
        }
        pollfd descriptors[] = {{fileDescriptor, events, 0}, {wakeDescriptor, POLLIN, 0}};
        if (poll(descriptors, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (descriptors[1].revents != 0) {
            char wakes[64];
            (void)!::read(wakeDescriptor, wakes, sizeof wakes);
            continue;
        }
        const short device = descriptors[0].revents;
        if ((device & POLLOUT) && !writePendingOutput(fileDescriptor))
            break;
        if ((device & POLLIN) && !readAvailableData(fileDescriptor, flushesBeforePoll))
            break;
        if (device & (POLLHUP | POLLERR | POLLNVAL))
            break;
    }
    QMetaObject::invokeMethod(this, &SerialPort::hungUp, Qt::QueuedConnection);
}

// Hands the device what it takes of the waiting output. Returns false when the device failed.
bool SerialPort::writePendingOutput(int fileDescriptor) {
    std::lock_guard guard(m_lock);
    const ssize_t written = ::write(fileDescriptor, m_pendingOutput.constData(), m_pendingOutput.size());
    if (written < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    m_pendingOutput.remove(0, written);
    if (m_pendingOutput.isEmpty())
        QMetaObject::invokeMethod(this, &SerialPort::pendingOutputWritten, Qt::QueuedConnection);
    return true;
}

// The deadline has passed: the request these bytes belong to cannot be answered any more.
void SerialPort::dropPendingOutput() {
    {
        std::lock_guard guard(m_lock);
        if (m_pendingOutput.isEmpty())
            return;
        m_pendingOutput = QByteArray();
        tcflush(m_fileDescriptor, TCOFLUSH);
    }
    emit pendingOutputDropped();
}

// Reads only what the driver already holds, so the lock is never held across a blocking read.
// Returns false at end of file or on a read error.
bool SerialPort::readAvailableData(int fileDescriptor, unsigned flushesBeforePoll) {
    std::lock_guard guard(m_lock);
    int available = 0;
    if (ioctl(fileDescriptor, FIONREAD, &available) != 0)
        return false;
    if (available <= 0) {
        // Readable but empty: either a flush took the bytes, or the device reports end of file.
        return m_flushCount != flushesBeforePoll;
    }
    char bytes[maximumReadSize];
    const ssize_t count = ::read(fileDescriptor, bytes, std::min<qsizetype>(available, maximumReadSize));
    if (count <= 0)
        return count < 0 && errno == EINTR;
    // While a line is being dropped, what came before this read is part of it: a reply that
    // arrives after the noise has stopped starts afresh.
    if (m_droppingLine)
        m_receiveBuffer.clear();
    const qsizetype scanFrom = m_receiveBuffer.size();
    m_receiveBuffer.append(bytes, count);
    processReceiveBuffer(scanFrom);
    return true;
}

// Only the bytes from `scanFrom` on are new; the ones before hold no ";".
void SerialPort::processReceiveBuffer(qsizetype scanFrom) {
    qsizetype start = 0;
    for (qsizetype end = m_receiveBuffer.indexOf(';', scanFrom); end >= 0;
         end = m_receiveBuffer.indexOf(';', start)) {
        const QByteArray frame = m_receiveBuffer.sliced(start, end + 1 - start);
        start = end + 1;
        m_droppingLine = false;
        if (!isAscii(frame) || !m_onCommand)
            continue;
        QMetaObject::invokeMethod(
            this, [onCommand = m_onCommand, line = QString::fromLatin1(frame)] { onCommand(line); },
            Qt::QueuedConnection);
    }
    m_receiveBuffer.remove(0, start);
    if (m_receiveBuffer.size() > maximumLineLength) {
        m_receiveBuffer = QByteArray();
        if (!std::exchange(m_droppingLine, true))
            QMetaObject::invokeMethod(this, &SerialPort::overlongLineDropped, Qt::QueuedConnection);
    }
}
