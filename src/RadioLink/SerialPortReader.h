#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// The reader thread of the serial port's open device and what it shares with the main thread: the
// output the device did not take at once, which the thread writes as the device takes it, and the
// input, which it cuts into reply lines at each ";". Each line with the time it was read, the
// moment waiting output is all out, and the device's hang-up reach the main thread in the order the
// reader saw them, one at a time. The port opens, configures and closes the device; this side only
// uses it.
class SerialPortReader : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;
    using LineCallback = std::function<void(const QString &line, Clock::time_point readAt)>;

    explicit SerialPortReader(QObject *parent = nullptr);
    ~SerialPortReader() override;

    // Starts reading the configured device, with nothing of an earlier one kept; false when no
    // reader can be started (the device stays the caller's to close).
    bool start(int fileDescriptor);
    // Stops the reader and waits for it. Safe when not started.
    void stop();

    // How a write went: all handed to the device, or queued behind output that waits already;
    // the rest queued for the reader; failed; or failed because the device is gone, which is
    // reported as a hang-up ahead of anything the caller posts next.
    enum class Handover { done, queued, failed, lost };
    // Hands the device what it takes at once; the reader writes the rest.
    Handover write(int fileDescriptor, const QByteArray &bytes);
    bool hasPendingOutput() const;
    bool latestCommandBegun() const;
    // Drops the output that waits for the device, with what the driver still holds of it; whether
    // there was any.
    bool discardPendingOutput(int fileDescriptor);
    // Drops received input not yet cut into lines, and in the driver too unless `fileDescriptor`
    // is -1.
    void dropUnframedInput(int fileDescriptor);

    void setOnCommand(LineCallback onCommand);
    // Runs `work` on a later turn of the main thread, after every report queued so far.
    void afterReportsSoFar(std::function<void()> work);
    // Hands on every report queued so far, and any that come in meanwhile, oldest first.
    void deliverReports();
    // Forgets a hang-up not yet handed on.
    void dropHangUp();

signals:
    // In order with the lines handed to onCommand.
    void outputWritten(std::chrono::steady_clock::time_point at);
    // Once per started device, in order with the lines.
    void hungUp();
    // As it happens, apart from the other reports.
    void overlongLineDropped();

private:
    void wake() const;
    void closeWakePipe();
    void readLoop(int fileDescriptor, int wakeDescriptor);
    enum class WriteOutcome { progressed, refused, failed };
    WriteOutcome writePendingOutput(int fileDescriptor);
    bool readAvailableData(int fileDescriptor);
    void processReceiveBuffer(qsizetype scanFrom, Clock::time_point readAt);
    struct Report;
    void queueReport(Report report);
    void postDelivery();
    void deliverPostedReports();

    std::thread m_thread;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;

    // Guards the fields below; it is held only around reads and writes that do not wait, so never
    // across a blocking call.
    mutable std::mutex m_lock;
    bool m_stop = false;
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
    // What the main thread is told, in the order it happened: a line framed (with when it was
    // read), the waiting output all out (with when), or the device gone.
    struct Report {
        enum class Kind { line, outputWritten, hangUp };
        Kind kind;
        Clock::time_point at{};
        QString line{};
    };
    // Reports not yet handed on, oldest first.
    std::deque<Report> m_reports;
    // Set while a delivery call is queued on the main thread and has not begun.
    bool m_deliveryPosted = false;

    // Main thread: set once hungUp() has been emitted for the open device.
    bool m_hangUpReported = false;
};
