#pragma once

#include "RadioLink/SerialPortConfiguration.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

// One serial device of the radio, opened raw. Commands are written on the main thread without
// ever waiting for the device; a reader thread of the port writes what the device did not
// take at once, cuts everything the radio sends into reply lines at each ";" and hands every line
// to the onCommand callback on the main thread, in order, with the time the reader took it; the
// lines read before a close are handed on before the close reports closed(). The port knows nothing
// of commands and replies; pairing them is the CAT connection's job.
//
// For the rest of the run the port remembers per device path that a command may be cut off on the
// line, waiting for its ";" (output was dropped, or the driver still held some when the port
// closed), until a command ending in ";" goes out to it.
class SerialPort : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;
    using LineCallback = std::function<void(const QString &line, Clock::time_point readAt)>;

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
    // taken, hands on the lines read until then and reports closed(). Safe when closed.
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

    // Drops received input not yet cut into lines, here and in the driver. Lines already handed
    // on are still delivered.
    void flushInputBuffer();

    // The receiver of reply lines; a line framed while none is set is dropped.
    void setOnCommand(LineCallback onCommand);
    // Runs `work` on a later turn of the main thread, after every line read so far has been handed
    // to onCommand.
    void afterLinesReadSoFar(std::function<void()> work);

signals:
    // Output that waited for the device is all out, since `at`. On the main thread.
    void pendingOutputWritten(std::chrono::steady_clock::time_point at);
    // Output the device did not take within the write deadline was dropped with what the driver
    // still held. On the main thread, as it happens.
    void pendingOutputDropped();
    // The open port has been closed; nothing more goes out or comes in. On the main thread, as it
    // happens.
    void closed();
    // The device hung up or a read failed (unplugged, switched off); the port reads no more. On
    // the main thread.
    void hungUp();
    // Received bytes without ";" grew longer than any reply and were dropped; reported once until
    // the next ";". Once the line has been quiet a moment, what comes next starts a line afresh.
    // On the main thread.
    void overlongLineDropped();

private:
    // Takes over the configured descriptor; closes it and throws when no reader can be started.
    void startReader(int fileDescriptor);
    void writeOrQueue(const QByteArray &bytes, const QString &command);
    void closeDescriptors();
    void wakeReader() const;
    void readLoop(int fileDescriptor, int wakeDescriptor);
    enum class WriteOutcome { progressed, refused, failed };
    WriteOutcome writePendingOutput(int fileDescriptor);
    void reportHangUpLater();
    void reportHangUp();
    void dropPendingOutput();
    bool discardPendingOutput();
    bool readAvailableData(int fileDescriptor);
    void processReceiveBuffer(qsizetype scanFrom, Clock::time_point readAt);
    void deliverReceivedLines();

    const QString m_path;
    int m_baudRate = 38400;
    int m_fileDescriptor = -1;
    std::thread m_reader;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    QTimer m_writeDeadline;

    // Guards the fields below; it is held only around reads and writes that do not wait, so never
    // across a blocking call.
    mutable std::mutex m_lock;
    bool m_stopReader = false;
    // Set once the reader has ended on a hang-up or a failed read or write.
    bool m_hungUp = false;
    // Bytes written but not yet taken by the device, oldest first.
    QByteArray m_pendingOutput;
    // The latest command's length, and whether the device has been handed any of it.
    qsizetype m_latestCommandLength = 0;
    bool m_latestCommandBegun = false;
    QByteArray m_receiveBuffer;
    // Set while the bytes since the last ";" belong to a line being dropped as overlong, until the
    // line goes quiet.
    bool m_droppingLine = false;
    // Set once an overlong line has been reported, until the next ";".
    bool m_overlongReported = false;
    // When the latest read took its bytes, and the quiet after it that ends an overlong line.
    Clock::time_point m_lastReadAt;
    Clock::duration m_overlongLineQuiet{};
    LineCallback m_onCommand;
    // Lines framed and not yet handed to m_onCommand, oldest first; while any wait, one delivery of
    // them is queued on the main thread.
    QList<std::pair<QString, Clock::time_point>> m_receivedLines;

    // Main thread: set once hungUp() has been emitted for the open device.
    bool m_hangUpReported = false;
};
