#include "RadioLink/SerialPort.h"

#include "Model/CATText.h"
#include "Model/RadioError.h"
#include "RadioLink/CutCommandRecord.h"
#include "RadioLink/LinkTiming.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

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

// Whether the driver still holds output it has not put on the line.
bool driverHoldsOutput(int fileDescriptor) {
    int queued = 0;
    return ioctl(fileDescriptor, TIOCOUTQ, &queued) == 0 && queued > 0;
}

} // namespace

SerialPort::SerialPort(QString path, QObject *parent)
    : QObject(parent)
    , m_path(std::move(path)) {
    m_writeDeadline.setSingleShot(true);
    m_writeDeadline.callOnTimeout(this, &SerialPort::dropPendingOutput);
    connect(&m_reader, &SerialPortReader::outputWritten, this, &SerialPort::pendingOutputWritten);
    connect(&m_reader, &SerialPortReader::hungUp, this, &SerialPort::hungUp);
    connect(&m_reader, &SerialPortReader::overlongLineDropped, this, &SerialPort::overlongLineDropped);
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
    if (!m_reader.start(fileDescriptor)) {
        release(fileDescriptor);
        throw RadioError::portOpenFailed(m_path);
    }
    m_fileDescriptor = fileDescriptor;
    m_baudRate = configuration.baudRate;
}

void SerialPort::openPort(int baudRate) {
    openPort(SerialPortConfiguration::ft710(baudRate));
}

void SerialPort::closePort() {
    m_reader.stop();
    m_writeDeadline.stop();
    const bool wasOpen = isOpen();
    if (wasOpen) {
        // A driver takes a whole command at once and puts it on the line at line speed; what it
        // still holds is dropped below, cutting that command off.
        if (driverHoldsOutput(m_fileDescriptor))
            markCommandCut();
        discardPendingOutput();
    }
    closeDevice();
    m_reader.dropUnframedInput(-1);
    // What the port saw before the close belongs before it, never after it or under a later
    // connection; the device is closed already, so whatever the reports set off sends nothing. A
    // hang-up not yet reported is left out: the closer ends the link already.
    m_reader.dropHangUp();
    m_reader.deliverReports();
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
    switch (m_reader.write(m_fileDescriptor, bytes)) {
    case SerialPortReader::Handover::done:
        return;
    case SerialPortReader::Handover::queued:
        m_writeDeadline.start(LinkTiming::duration(LinkTiming::waits().portWriteDeadline));
        return;
    case SerialPortReader::Handover::failed:
        throw RadioError::portWriteFailed(command);
    case SerialPortReader::Handover::lost:
        throw RadioError::connectionLost(command);
    }
}

bool SerialPort::hasPendingOutput() const {
    return m_reader.hasPendingOutput();
}

bool SerialPort::latestCommandBegun() const {
    return m_reader.latestCommandBegun();
}

bool SerialPort::mayHoldCutCommand() const {
    return CutCommandRecord::shared().contains(m_path);
}

void SerialPort::markCommandCut() {
    CutCommandRecord::shared().set(m_path, true);
}

bool SerialPort::identityMayBeUnanswered() const {
    return CutCommandRecord::shared().identityUnanswered(m_path);
}

void SerialPort::setIdentityUnanswered(bool unanswered) {
    CutCommandRecord::shared().setIdentityUnanswered(m_path, unanswered);
}

void SerialPort::flushInputBuffer() {
    if (isOpen())
        m_reader.dropUnframedInput(m_fileDescriptor);
}

void SerialPort::setOnCommand(LineCallback onCommand) {
    m_reader.setOnCommand(std::move(onCommand));
}

void SerialPort::afterLinesReadSoFar(std::function<void()> work) {
    m_reader.afterReportsSoFar(std::move(work));
}

void SerialPort::closeDevice() {
    if (isOpen()) {
        // Closing a device with output it has not taken could wait for it.
        tcflush(m_fileDescriptor, TCOFLUSH);
        release(m_fileDescriptor);
        m_fileDescriptor = -1;
    }
}

// The deadline has passed: the request these bytes belong to cannot be answered any more.
void SerialPort::dropPendingOutput() {
    if (discardPendingOutput())
        emit pendingOutputDropped();
}

// Drops the output that waits for the device, with what the driver still holds of it, which cuts
// the command off; whether there was any.
bool SerialPort::discardPendingOutput() {
    if (!m_reader.discardPendingOutput(m_fileDescriptor))
        return false;
    markCommandCut();
    return true;
}
