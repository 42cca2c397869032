#pragma once

#include "RadioLink/SerialPortConfiguration.h"
#include "RadioLink/SerialPortReader.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>

// One serial device of the radio, opened raw. Commands are written on the main thread without
// ever waiting for the device; a reader thread of the port writes what the device did not
// take at once, cuts everything the radio sends into reply lines at each ";" and hands every line
// to the onCommand callback on the main thread with the time the reader took it. Lines,
// pendingOutputWritten() and hungUp() reach the main thread in the order the port saw them, one at
// a time, however late it gets to them; what the port saw before a close is handed on before the
// close reports closed(), but for a hang-up, as the closer ends the link already. The port knows
// nothing of commands and replies; pairing them is the CAT connection's job.
//
// For the rest of the run the port remembers per device path that a command may be cut off on the
// line, waiting for its ";" (output was dropped, or the driver still held some when the port
// closed), until a command ending in ";" goes out to it; and, for whoever fences such a command
// off, that an identity query sent to the device may still be unanswered.
class SerialPort : public QObject {
    Q_OBJECT

public:
    using Clock = SerialPortReader::Clock;
    using LineCallback = SerialPortReader::LineCallback;

    explicit SerialPort(QString path, QObject *parent = nullptr);
    ~SerialPort() override;

    const QString &path() const { return m_path; }
    // The rate asked for at the last successful open (not the speed the line runs at); 38400
    // before any.
    int baudRate() const { return m_baudRate; }
    // The open device's descriptor; -1 while closed.
    int fileDescriptor() const { return m_fileDescriptor; }
    bool isOpen() const { return m_fileDescriptor >= 0; }

    // Closes whatever is open, then opens the device for this program alone, configures it and
    // starts reading. Throws RadioError::portInUse(path) when another program holds the device, and
    // RadioError::portOpenFailed(path) on every other failure; the port is closed then.
    void openPort(const SerialPortConfiguration &configuration);
    // The FT-710's line settings at this rate.
    void openPort(int baudRate);
    // Stops the reader, waits for it, then closes the device, dropping output the device has not
    // taken, hands on the lines and reports queued until then, in order (a hang-up left out), and
    // reports closed().
    // Safe when closed; a receiver of a line or report may call it.
    void closePort();

    // Hands the device what it takes at once; the rest follows from the reader thread, in order,
    // as the device takes it, or is dropped with pendingOutputDropped() when it is not all out
    // within the write deadline. Throws RadioError::notConnected when closed, and
    // RadioError::portWriteFailed(command) when the write fails, or when the command holds
    // anything but printable ASCII or a ";" before its final one (so text from a file can never
    // smuggle in a second command); nothing is written then. A write error that means the device
    // is gone (or follows a hang-up the reader has seen) throws RadioError::connectionLost(command),
    // and the port reports hungUp() on a turn of the main thread ahead of anything the caller posts.
    void write(const QString &command);
    // Whether written bytes still wait for the device to take them.
    bool hasPendingOutput() const;
    // Whether the device has been handed any byte of the latest command written, also when the rest
    // was dropped since.
    bool latestCommandBegun() const;
    // Whether the device's line may hold the head of a command whose rest was dropped, here or on
    // an earlier port of the same path.
    bool mayHoldCutCommand() const;
    // Notes that the device's line may hold the head of a command: the next command to it ends
    // that one first.
    void markCommandCut();
    // Whether the answer to an identity query sent to the device, here or on an earlier port of
    // the same path, may still be to come; and noting whether it may.
    bool identityMayBeUnanswered() const;
    void setIdentityUnanswered(bool unanswered);

    // Drops received input not yet cut into lines, here and in the driver. Lines already handed
    // on are still delivered.
    void flushInputBuffer();

    // The receiver of reply lines; a line framed while none is set is dropped.
    void setOnCommand(LineCallback onCommand);
    // Runs `work` on a later turn of the main thread, after every line read so far has been handed
    // to onCommand, and every pendingOutputWritten() and hungUp() seen so far emitted.
    void afterLinesReadSoFar(std::function<void()> work);

signals:
    // Output that waited for the device is all out, since `at`. On the main thread, after the lines
    // read before and ahead of those read after.
    void pendingOutputWritten(std::chrono::steady_clock::time_point at);
    // Output the device did not take within the write deadline was dropped with what the driver
    // still held. On the main thread, as it happens.
    void pendingOutputDropped();
    // The open port has been closed; nothing more goes out or comes in. On the main thread, as it
    // happens.
    void closed();
    // The device hung up or a read failed (unplugged, switched off); the port reads no more. On
    // the main thread, after the lines read before; once per opened device.
    void hungUp();
    // Received bytes without ";" grew longer than any reply and were dropped; reported once until
    // the next ";". Once the line has been quiet a moment, what comes next starts a line afresh.
    // On the main thread.
    void overlongLineDropped();

private:
    void writeOrQueue(const QByteArray &bytes, const QString &command);
    void closeDevice();
    void dropPendingOutput();
    bool discardPendingOutput();

    const QString m_path;
    int m_baudRate = 38400;
    int m_fileDescriptor = -1;
    QTimer m_writeDeadline;
    SerialPortReader m_reader;
};
