#include "FakeRadioLink.h"
#include "MemoryRecord.h"
#include "TaskResult.h"
#include "TestRows.h"
#include "TestSettings.h"
#include "TestWaits.h"
#include "WriteFault.h"

#include "Model/RadioError.h"
#include "RadioLink/CancellationError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using TestWaits::longWait;
using TestWaits::shortWait;
using Kind = RadioError::Kind;

namespace {

template <typename Call> std::optional<RadioError> errorOf(Call call) {
    try {
        call();
    } catch (const RadioError &error) {
        return error;
    }
    return std::nullopt;
}

// The radio error a task ended with, for a check's message.
template <typename T> QByteArray errorText(const TaskResult<T> &task) {
    return task.radioError() ? task.radioError()->description().toUtf8() : QByteArray();
}

const QString payload = QStringLiteral("014074000+000000210000");
const QString reply = "MR001" + payload + ";";

// A request and how it ends: a query or a set, its wait, its error (none: success) and the log.
struct Request {
    bool isQuery;
    QString command;
    double wait;
    std::optional<Kind> error;
    QStringList log;
};

// Gives a set the shape of a query, so both fit one kind of pending task.
QCoro::Task<QString> asQuery(QCoro::Task<> set) {
    co_await set;
    co_return QString();
}

using LinkTiming::Waits;

constexpr auto ft710 = RadioModel::ft710;
constexpr auto ft991a = RadioModel::ft991a;

QString ft991aPayload(const QString &toneMode) {
    return "145500000+0000004" + ("0" + toneMode) + "000";
}

// Channel 7, a fault ("reject MT", "silence MT"), the commands sent, and the outcome: "tag|tone
// kind|tone code" of what was read, "empty", or the error's detail.
struct ReadCase {
    RadioModel model;
    FakeRadio::Channel channel;
    QString fault;
    QStringList wire;
    QString outcome;
    std::optional<Kind> error = {};
};

struct WriteCase {
    RadioMemory memory;
    QString fault;
    QStringList wire;
    std::optional<Kind> error = {};
    QString detail = {};
};

// A wait a fault must beat is long, one it makes the service wait out is short; a select that may
// be rejected and then accepted gets 1 s.
void useWaitsFor(const QString &fault) {
    TestWaits::use([&fault](Waits &w) {
        if (fault.startsWith(u"reject MC"))
            w.ft991aSelectWindow = 1.0;
        if (fault == u"reject MW")
            w.rejectionWindow = w.ft991aSetWindow = longWait;
        if (fault == u"silence MT")
            w.ft710TagReadTimeout = w.ft991aTagReadTimeout = shortWait;
    });
}

// "reject MC", "reject MC 2" (the next two), "silence MT".
void applyFault(FakeRadio &radio, const QString &fault) {
    if (fault.startsWith(u"reject "))
        radio.rejectNext(fault.section(u' ', 1, 1), std::max(1, fault.section(u' ', 2).toInt()));
    if (fault.startsWith(u"silence "))
        radio.silenceNext(fault.section(u' ', 1));
}

} // namespace

// The serial port, the CAT connection and the memory services against the fake radio. Waits the
// radio must beat are long, waits that must pass short; a line due inside a passing wait gets 1 s.
class RadioLinkTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_settings = std::make_unique<TestSettings>();
        TestSettings::setLanguage(u"de"_s);
    }
    void init() {
        TestWaits::use();
        open(RadioModel::ft710);
        link->radio.setChannel(1, {.payload = payload});
        lines.clear();
    }
    void cleanup() { link.reset(); }

    // --- the serial port
    // Chunks sent, "+" between them | lines handed on. A frame with a byte above ASCII is dropped.
    void framesRepliesAtSemicolons_data() {
        addRows({"MR00+1abc;|MR001abc;", "MT001x;MR0+01y;|MT001x;|MR001y;", "ID0800;?;|ID0800;|?;", ";|;",
                 "\r\nID0800;|\r\nID0800;", "A\xC2\xB0;+ID0800;|ID0800;"});
    }
    void framesRepliesAtSemicolons() {
        listen();
        QFETCH(QStringList, row);
        for (const QString &chunk : row.takeFirst().split(u'+'))
            link->radio.send(chunk.toLatin1());
        QTRY_COMPARE(lines, row);
    }

    // Each model's framing at each rate; an unknown rate opens at 38400, nine data bits as eight.
    void configuresTheLine_data() {
        QTest::addColumn<SerialPortConfiguration>("configuration");
        QTest::addColumn<speed_t>("speed");
        const QList<std::pair<int, speed_t>> rates{{4800, B4800},   {9600, B9600},   {19200, B19200},
                                                   {38400, B38400}, {57600, B57600}, {115200, B115200}};
        for (const auto &[rate, speed] : rates) {
            QTest::addRow("FT-710 %d", rate) << SerialPortConfiguration::ft710(rate) << speed;
            QTest::addRow("FT-991A %d", rate) << SerialPortConfiguration::ft991a(rate) << speed;
        }
        QTest::addRow("unknown rate, nine data bits")
            << SerialPortConfiguration{1200, 9, 3, false, false} << speed_t(B38400);
    }
    void configuresTheLine() {
        listen();
        QFETCH(SerialPortConfiguration, configuration);
        QFETCH(speed_t, speed);
        link->port->openPort(configuration); // closes first
        QCOMPARE(link->port->baudRate(), configuration.baudRate);
        const termios settings = link->radio.lineSettings();
        QCOMPARE(cfgetospeed(&settings), speed);
        QCOMPARE(settings.c_cflag & (CSIZE | PARENB), tcflag_t(CS8));
        QCOMPARE(bool(settings.c_cflag & CSTOPB), configuration.stopBits == 2);
        QCOMPARE(bool(settings.c_cflag & CRTSCTS), configuration.hardwareFlowControl);
        QCOMPARE(settings.c_iflag & (IXON | IXOFF | IXANY), tcflag_t(0));
        link->radio.send("ID0800;");
        QTRY_COMPARE(lines, QStringList{"ID0800;"});
    }

    // The link the application opens gives the FT-991A two stop bits and RTS/CTS, the FT-710 one stop
    // bit and no flow control; neither drops the modem lines on close.
    void linkSetsEachModelsLine_data() { addRowPerRadioModel(); }
    void linkSetsEachModelsLine() {
        QFETCH(RadioModel, model);
        open(model);
        const termios settings = link->radio.lineSettings();
        QCOMPARE(bool(settings.c_cflag & CSTOPB), model == ft991a);
        QCOMPARE(bool(settings.c_cflag & CRTSCTS), model == ft991a);
        QVERIFY(!(settings.c_cflag & HUPCL));
    }

    // A failed open leaves the port closed: writing fails, closing and flushing again do nothing.
    // The device goes away under a name of its own, so no other test's new pseudo-terminal can
    // take its place meanwhile.
    void failedOpenLeavesThePortClosed() {
        const QTemporaryDir folder;
        const QString path = folder.filePath(u"ttyUSB0"_s);
        QVERIFY(QFile::link(link->radio.devicePath(), path));
        link->port->closePort();
        SerialPort port(path);
        port.openPort(9600);
        QVERIFY(QFile::remove(path));
        const auto failed = errorOf([&] { port.openPort({}); });
        QVERIFY(failed && failed->kind() == Kind::portOpenFailed && failed->detail() == path);
        QVERIFY(!port.isOpen() && port.fileDescriptor() == -1);
        QCOMPARE(errorOf([&] { port.write(u"ID;"_s); })->kind(), Kind::notConnected);
        port.closePort();
        port.flushInputBuffer();
    }

    // A second open of the device fails as in use, whoever asks. A reader that opened it before and
    // takes replies first is no hang-up: the port reads on.
    void portIsOpenedForThisProgramAlone() {
        const QString path = link->radio.devicePath();
        SerialPort second(path);
        QCOMPARE(second.baudRate(), 38400);
        const auto refused = errorOf([&] { second.openPort(9600); });
        QVERIFY(refused && refused->kind() == Kind::portInUse && refused->detail() == path);
        QVERIFY(!second.isOpen());
#ifdef TIOCGEXCL
        int exclusive = 0; // the refused open leaves the terminal's exclusive mode alone
        QVERIFY(ioctl(link->port->fileDescriptor(), TIOCGEXCL, &exclusive) == 0 && exclusive);
#endif

        link->port->closePort();
        const int other = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(other >= 0);
        link->port->openPort(SerialPortConfiguration::ft710(38400));
        listen();
        QSignalSpy hungUp(link->port.get(), &SerialPort::hungUp);
        // Each ";" goes to one reader, and each the port takes ends one of its lines.
        std::atomic<int> takenByOther = 0;
        std::atomic<bool> stop = false;
        std::thread reader([&] {
            pollfd descriptor{other, POLLIN, 0};
            char bytes[64];
            while (!stop) {
                const ssize_t count = poll(&descriptor, 1, 10) > 0 ? ::read(other, bytes, sizeof bytes) : 0;
                takenByOther += int(std::count(bytes, bytes + std::max<ssize_t>(count, 0), ';'));
            }
        });
        const auto stopReader = [&] {
            if (!stop.exchange(true)) {
                reader.join();
                ::close(other);
            }
        };
        const auto stopReaderOnFailure = qScopeGuard(stopReader);
        for (int sent = 1; sent <= 20; ++sent) {
            link->radio.send("ID0800;");
            QTRY_COMPARE(lines.size() + takenByOther, sent);
        }
        QCOMPARE(hungUp.count(), 0);
        stopReader();
        const qsizetype linesSoFar = lines.size();
        link->radio.send("ID0800;");
        QTRY_COMPARE(lines.size(), linesSoFar + 1);
    }

    // A device another program holds with the terminal's exclusive mode alone (no lock) is in use,
    // also for root, whose open passes through that mode; the mode stays the holder's.
    void deviceInAnotherProgramsExclusiveModeIsInUse() {
#ifndef TIOCGEXCL
        QSKIP("this system does not tell whether a terminal is in exclusive mode");
#else
        const QString path = link->radio.devicePath();
        link->port->closePort();
        const int other = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(other >= 0);
        const auto closeOther = qScopeGuard([other] { ::close(other); });
        QVERIFY(ioctl(other, TIOCEXCL) == 0);
        const auto refused = errorOf([this] { link->port->openPort(9600); });
        QVERIFY(refused && refused->kind() == Kind::portInUse && refused->detail() == path);
        QVERIFY(!link->port->isOpen());
        int exclusive = 0;
        QVERIFY(ioctl(other, TIOCGEXCL, &exclusive) == 0 && exclusive);
#endif
    }

    // Neither the device nor the reader's wake-up pipe is handed to a program this one starts.
    void descriptorsAreClosedOnExec() {
#ifndef Q_OS_LINUX
        QSKIP("lists the open descriptors in /proc");
#endif
        link->port->closePort();
        const QSet<int> before = inheritedDescriptors();
        link->port->openPort(9600);
        QVERIFY(fcntl(link->port->fileDescriptor(), F_GETFD) & FD_CLOEXEC);
        QCOMPARE(inheritedDescriptors(), before);
    }

    // A write the device fails ends the request at once with the port's error, its "TX " line
    // logged, and leaves the connection idle for the next request. An error that says the device is
    // gone, or any after it hung up, is a loss: reported as a hang-up, nothing kept to send, and
    // later requests refused. Fault | error kind.
    void writeErrorEndsTheRequest_data() {
        addRows({"EINVAL|portWriteFailed", "EIO|connectionLost", "ENXIO|connectionLost",
                 "ENODEV|connectionLost", "hang-up|connectionLost"});
    }
    void writeErrorEndsTheRequest() {
        QFETCH(QStringList, row);
        const auto [fault, kindName] = fields<2>(row);
        if (!WriteFault::available)
            QSKIP("write(2) faults need Linux");
        const QHash<QString, int> errors{
            {"EINVAL", EINVAL}, {"EIO", EIO}, {"ENXIO", ENXIO}, {"ENODEV", ENODEV}};
        QSignalSpy hungUp(link->port.get(), &SerialPort::hungUp);
        fault == u"hang-up" ? link->radio.hangUp()
                            : WriteFault::refuse(link->radio.devicePath(), "MW", errors.value(fault));
        const QString command = "MW001" + payload + ";";
        const auto set = runTask(link->connection->set(command, longWait));
        WriteFault::clear();
        const bool lost = kindName == u"connectionLost";
        QCOMPARE(set.radioError()->kind(), lost ? Kind::connectionLost : Kind::portWriteFailed);
        QCOMPARE(set.radioError()->detail(), command);
        QVERIFY(!link->port->hasPendingOutput());
        QCOMPARE(link->log(), QStringList{"TX " + command});
        const auto next = runTask(link->connection->query(u"MR001"_s));
        QCOMPARE(hungUp.count(), lost ? 1 : 0);
        if (lost)
            QCOMPARE(next.radioError()->kind(), Kind::connectionLost);
        else
            QCOMPARE(next.value(), reply);
    }

    // A device that keeps refusing output while it says it is writable is offered it again only now
    // and then, not in a spin; the request still fails at the write deadline, the next goes out.
    void refusedOutputIsOfferedAgainOnlyNowAndThen() {
        if (!WriteFault::available)
            QSKIP("write(2) faults need Linux");
        TestWaits::use([](Waits &waits) { waits.portWriteDeadline = 0.3; });
        WriteFault::refuse(link->radio.devicePath(), "MW", EAGAIN);
        const auto set = runTask(link->connection->set("MW001" + payload, shortWait));
        const int tries = WriteFault::refusedWrites();
        WriteFault::clear();
        QCOMPARE(set.radioError()->kind(), Kind::portWriteFailed);
        QVERIFY2(tries < 100, qPrintable(u"%1 tries"_s.arg(tries))); // a spin makes tens of thousands
        QCOMPARE(runTask(link->connection->query(u"MR001"_s)).value(), reply);
    }

    // Only printable ASCII goes out; a ";" inside a command never makes a second one.
    void refusesUnsafeCommands() {
        for (const QString &command :
             {u"MT0011AB;CD      ;"_s, u"MT0011ÄBC         ;"_s, u"MT0011AB\nC       ;"_s, u"MT001\x7f;"_s})
            QCOMPARE(errorOf([&] { link->port->write(command); })->kind(), Kind::portWriteFailed);
        link->port->write(u"MT0011A b-/*~    ;"_s);
        QTRY_COMPARE(link->radio.received(), QStringList{"MT0011A b-/*~    ;"});
    }

    // Input not yet cut into lines is dropped; lines already cut are still delivered.
    void flushDropsPartialReply() {
        listen();
        link->radio.send("X;MR00");
        QTRY_COMPARE(lines, QStringList{"X;"});
        link->port->flushInputBuffer();
        link->radio.send("1;");
        QTRY_COMPARE(lines, (QStringList{"X;", "1;"}));
    }

    // Input without ";" longer than any reply is dropped, reported once; the reply that comes once
    // the line has gone quiet is framed whole, also from two reads. The reply's parts, "+" between.
    void overlongPartialLineIsDropped_data() {
        addRows({"ID0800;", "ID08+00;"});
    }
    void overlongPartialLineIsDropped() {
        QFETCH(QStringList, row);
        // A loaded machine must not pause the noise for as long as the quiet that ends it.
        TestWaits::use([](Waits &waits) { waits.overlongLineQuiet = 0.5; });
        open(RadioModel::ft710);
        listen();
        QSignalSpy dropped(link->port.get(), &SerialPort::overlongLineDropped);
        const QByteArray noise(64 * 1024, 'x');
        link->radio.send(noise);
        // Generous: four suites at once on two cores can hold either side up for seconds.
        QTRY_VERIFY_WITH_TIMEOUT(link->radio.sent() == noise && link->radio.unreadByProgram() == 0, 20000);
        QTRY_COMPARE(dropped.count(), 1);
        QTest::qWait(int(LinkTiming::waits().overlongLineQuiet * 2000)); // the noise has stopped
        for (const QString &part : row.first().split(u'+')) {
            const QByteArray sentBefore = link->radio.sent();
            link->radio.send(part.toLatin1());
            QTRY_VERIFY_WITH_TIMEOUT(link->radio.sent() == sentBefore + part.toLatin1() &&
                                         link->radio.unreadByProgram() == 0,
                                     20000);
        }
        QTRY_COMPARE(lines, QStringList{"ID0800;"});
        QCOMPARE(dropped.count(), 1);
    }

    // --- the CAT connection
    // Every way a request ends, with its log; the error carries the command as sent.
    void requestEnds_data() {
        QTest::addColumn<Request>("r");
        const auto rejected = std::optional(Kind::rejected);
        const QString write = "MW001" + payload + ";";
        QTest::addRow("query answered") << Request{true, "MR001", longWait, {}, {"TX MR001;", "RX " + reply}};
        QTest::addRow("query with its semicolon")
            << Request{true, "MR001;", longWait, {}, {"TX MR001;", "RX " + reply}};
        QTest::addRow("query rejected") << Request{true, "MR003", longWait, rejected, {"TX MR003;", "RX ?;"}};
        QTest::addRow("query timed out") << Request{true, "XX1", shortWait, Kind::timeout, {"TX XX1;"}};
        QTest::addRow("set by silence")
            << Request{false, write, shortWait, {}, {"TX " + write, "SET OK " + write}};
        QTest::addRow("set with other lines only logged")
            << Request{false, "MR001", 1.0, {}, {"TX MR001;", "RX " + reply, "SET OK MR001;"}};
        QTest::addRow("set rejected") << Request{false, "MR003", longWait, rejected, {"TX MR003;", "RX ?;"}};
    }
    void requestEnds() {
        QFETCH(Request, r);
        const QString sent = r.log.first().sliced(3);
        link->radio.silenceNext(u"XX"_s);
        const auto result = r.isQuery ? runTask(link->connection->query(r.command, r.wait))
                                      : runTask(asQuery(link->connection->set(r.command, r.wait)));
        if (r.error) {
            QCOMPARE(result.radioError()->kind(), *r.error);
            QCOMPARE(result.radioError()->detail(), sent);
        } else {
            QCOMPARE(result.value(), r.isQuery ? reply : QString());
        }
        QTRY_COMPARE(link->log(), r.log);
        QTRY_COMPARE(link->radio.received(), QStringList{sent});
    }

    // Lines the radio sends while the query waits; the last one ends it. Command | unmatched | last.
    void unmatchedLinesAreIgnored_data() {
        addRows({"MR001|\nMR001014074000+000000210000;|MR001014074000+000000210000;",
                 "MR001|MR002014074000+000000210000;|MR001014074000+000000210000;",
                 "MR002|MR001014074000+000000210000;|MR002;", "I|I;|?;"});
    }
    void unmatchedLinesAreIgnored() {
        QFETCH(QStringList, row);
        const QStringList &lines = row; // command, unmatched line, last line
        const QString &command = lines[0];
        link->radio.setSilent(true);
        auto pending = startTask(link->connection->query(command));
        link->radio.send(lines[1].toLatin1());
        const QString ignored = "IGNORED RX " + lines[1] + " for pending " + command + ";";
        QTRY_VERIFY(link->log().contains(ignored));
        QVERIFY(!pending->finished);
        link->radio.send(lines[2].toLatin1());
        QTRY_VERIFY(pending->finished);
        if (lines[2] == u"?;")
            QCOMPARE(pending->radioError()->kind(), Kind::rejected);
        else
            QCOMPARE(pending->value(), lines[2]);
        QCOMPARE(link->log(),
                 (QStringList{"TX " + command + ";", "RX " + lines[1], ignored, "RX " + lines[2]}));
    }

    // A line the port took before the command went out, but handled after, answers nothing.
    void lineReadBeforeTheCommandIsNoAnswer_data() {
        addRows({"?;", "MR001999999999+000000210000;"});
    }
    void lineReadBeforeTheCommandIsNoAnswer() {
        QFETCH(QStringList, row);
        const QByteArray stale = row.first().toLatin1();
        link->radio.send(stale);
        // Held until the port has read the line, so its call is still queued when the command goes out.
        const QDeadlineTimer limit(20000);
        while ((link->radio.sent() != stale || link->radio.unreadByProgram() != 0) && !limit.hasExpired()) {
        }
        QCOMPARE(runTask(link->connection->query(u"MR001"_s)).value(), reply);
        QTRY_VERIFY(link->log().contains("IGNORED RX " + row.first() + " for pending MR001;"));
    }

    // A late answer must not end the next request, which goes out once the line has been quiet.
    void lateReplyDoesNotEndTheNextRequest() {
        link->radio.silenceNext(u"MR"_s);
        const auto timedOut = runTask(link->connection->query(u"MR001"_s, shortWait));
        QCOMPARE(timedOut.radioError()->kind(), Kind::timeout);
        const QString command = "MW001" + payload + ";";
        const auto set = startTask(asQuery(link->connection->set(command, 1.0)));
        link->radio.send("?;");
        QTRY_VERIFY(set->finished);
        QVERIFY(set->succeeded());
        QCOMPARE(link->log(), (QStringList{"TX MR001;", "RX ?;", "TX " + command, "SET OK " + command}));
    }

    // A line read while the next request waits for a quiet line restarts the wait, however late
    // the main thread gets to it: one read just before the wait's end, handed on only after its
    // timer came due, still keeps the command back.
    void lineReadInAQuietWaitCountsWhenHandledLate() {
        link->radio.silenceNext(u"MR"_s);
        QCOMPARE(runTask(link->connection->query(u"MR001"_s, shortWait)).radioError()->kind(), Kind::timeout);
        const QString command = "MW001" + payload + ";";
        QElapsedTimer sinceHeld;
        sinceHeld.start();
        const auto set = startTask(asQuery(link->connection->set(command, shortWait)));
        const qint64 quietEnd = qint64(LinkTiming::waits().lateReplySettle * 1000);
        // The radio speaks 50 ms before the end while the main thread is held up past it.
        const auto holdUp = [&] {
            while (sinceHeld.elapsed() < quietEnd - 50) {
            }
            link->radio.send("ID0800;");
            while (sinceHeld.elapsed() < quietEnd + 100 || link->radio.unreadByProgram() != 0) {
            }
        };
        holdUpWithATimerDue(holdUp);
        QTRY_VERIFY(set->finished);
        QVERIFY(set->succeeded());
        QCOMPARE(link->log(), (QStringList{"TX MR001;", "RX ID0800;", "TX " + command, "SET OK " + command}));
    }

    // A second request while one is pending fails at once, and sends nothing.
    void secondRequestIsBusy() {
        auto first = startTask(asQuery(link->connection->set("MW001" + payload, shortWait)));
        const auto query = startTask(link->connection->query(u"MR002"_s));
        const auto set = startTask(link->connection->set(u"MW002"_s));
        QTRY_VERIFY(query->finished && set->finished);
        QCOMPARE(query->radioError()->kind(), Kind::busy);
        QCOMPARE(set->radioError()->kind(), Kind::busy);
        QTRY_VERIFY(first->succeeded());
        QTRY_COMPARE(link->radio.received().size(), 1);
        QVERIFY(!link->log().join(u'|').contains(u"002;"_s));
        link->radio.send("?;"); // a line while idle is only logged
        QTRY_COMPARE(link->log().last(), u"RX ?;"_s);
    }

    // The device going away ends the pending request with the loss, and closing the port with
    // notConnected, at once, not by its window; later ones fail the same way, with nothing logged or
    // sent. The command the close cut short may be cut off on the line: the next connection to the
    // device ends it with ";" and asks the radio's identity first.
    void pendingRequestEndsWithTheLink_data() {
        addRows({"query|hang-up", "set|hang-up", "query|close", "set|close"});
    }
    void pendingRequestEndsWithTheLink() {
        QFETCH(QStringList, row);
        const bool isQuery = row[0] == u"query", hangUp = row[1] == u"hang-up";
        link->radio.setSilent(true);
        const QString command = "MW001" + payload + ";";
        const auto pending = startTask(isQuery ? link->connection->query(command, longWait)
                                               : asQuery(link->connection->set(command, longWait)));
        QTRY_COMPARE(link->radio.received(), QStringList{command});
        hangUp ? link->radio.hangUp() : link->port->closePort();
        const Kind kind = hangUp ? Kind::connectionLost : Kind::notConnected;
        QTRY_VERIFY(pending->finished);
        QCOMPARE(pending->radioError()->kind(), kind);
        QCOMPARE(pending->radioError()->detail(), hangUp ? command : QString());
        const auto later = runTask(link->connection->set(u"MT0011DB0XYZ      "_s));
        QCOMPARE(later.radioError()->kind(), kind);
        QCOMPARE(later.radioError()->detail(), hangUp ? u"MT0011DB0XYZ      ;"_s : QString());
        QCOMPARE(link->log(), QStringList{"TX " + command});
        if (hangUp)
            return;
        link->radio.setSilent(false);
        link->reconnect();
        QCOMPARE(runTask(link->connection->query(u"MR001"_s)).value(), reply);
        QCOMPARE(link->radio.received(), (QStringList{command, ";", "ID;", "MR001;"}));
    }

    // A closed port refuses a request unsent and unlogged; the next request is taken as well.
    void writeFailureLeavesTheConnectionIdle() {
        link->port->closePort();
        QCOMPARE(runTask(link->connection->set(u"MW001"_s, longWait)).radioError()->kind(),
                 Kind::notConnected);
        QCOMPARE(link->log(), QStringList());
        QCOMPARE(runTask(link->connection->query(u"MR001"_s)).radioError()->kind(), Kind::notConnected);
    }

    // What the connection did before the port closed is in the log once the close has returned,
    // ahead of anything the closer logs.
    void closeHandsOverTheLinesBeforeIt() {
        link->radio.setSilent(true);
        const QString command = "MW001" + payload + ";";
        const auto pending = startTask(link->connection->set(command, longWait));
        link->port->closePort();
        QCOMPARE(link->log(), QStringList{"TX " + command});
        QTRY_VERIFY(pending->finished);
    }

    // Output the device does not take never holds up the caller: the request fails at the write
    // deadline (not by its own wait while its bytes wait), or when the port closes under it, and
    // the rest is never sent. What went out reaches the radio as a command of its own, also when
    // the next command goes out on the next connection to the device, and its answer is not taken
    // for that command's.
    void stuckOutputEndsTheRequest_data() {
        QTest::addColumn<bool>("isQuery");
        QTest::addColumn<bool>("closeThePort");
        QTest::addRow("query, at the write deadline") << true << false;
        QTest::addRow("query, port closed") << true << true;
        QTest::addRow("set, port closed") << false << true;
    }
    void stuckOutputEndsTheRequest() {
        QFETCH(bool, isQuery);
        QFETCH(bool, closeThePort);
        TestWaits::use([&](Waits &waits) { waits.portWriteDeadline = closeThePort ? longWait : 0.2; });
        link->radio.setReading(false);
        const QString command = "MT001" + QString(64 * 1024, u'A') + ";"; // more than the line holds
        const auto stuck = startTask(isQuery ? link->connection->query(command, shortWait)
                                             : asQuery(link->connection->set(command, shortWait)));
        if (closeThePort) {
            QVERIFY(link->port->hasPendingOutput());
            link->port->closePort();
        }
        QTRY_VERIFY(stuck->finished);
        QVERIFY(stuck->radioError());
        QCOMPARE(stuck->radioError()->kind(), closeThePort ? Kind::notConnected : Kind::portWriteFailed);
        QCOMPARE(stuck->radioError()->detail(), closeThePort ? QString() : command);
        if (closeThePort)
            link->reconnect();
        link->radio.setReading(true);
        const auto next = runTask(link->connection->query(u"MR001"_s));
        const QStringList heard = link->radio.received();
        QCOMPARE(heard.size(), 3);
        QVERIFY(heard.first().size() < command.size() && command.startsWith(heard.first().chopped(1)));
        QCOMPARE(heard.mid(1), (QStringList{"ID;", "MR001;"}));
        QCOMPARE(next.value(), reply);
    }

    // After a clean close, the next connection to the device sends its commands alone.
    void connectionAfterACleanCloseSendsOnlyItsCommands() {
        QCOMPARE(runTask(link->connection->query(u"MR001"_s)).value(), reply);
        link->port->closePort();
        link->reconnect();
        QCOMPARE(runTask(link->connection->query(u"MR001"_s)).value(), reply);
        QCOMPARE(link->radio.received(), (QStringList{"MR001;", "MR001;"}));
    }

    // A command the line may hold cut off is ended with ";" and fenced off with "ID;": the next
    // command goes out once the identity is in, so the answer to the ";" is never taken for its own,
    // however late it comes or however the line bunches the commands; each of the fence's answers
    // gets a query's time-out, counted once the device has taken the fence. Without an identity in
    // time the request fails unsent, and the next one is fenced off again, once the line has gone
    // quiet, so a late identity of an earlier fence, here or on an earlier link to the device, never
    // opens it.
    void fenceKeepsTheCutCommandsAnswerApart_data() {
        addRows({"late answer", "stalled line", "held fence", "slow radio", "no identity", "late identity",
                 "link replaced"});
    }
    void fenceKeepsTheCutCommandsAnswerApart() {
        QFETCH(QStringList, row);
        const QString how = row[0];
        if ((how == u"stalled line" || how == u"held fence") && !WriteFault::available)
            QSKIP("write(2) faults need Linux");
        const bool firstTryFails =
            how == u"no identity" || how == u"late identity" || how == u"link replaced";
        const auto useWaits = [](double queryTimeout) {
            TestWaits::use([&](Waits &w) {
                w.lateReplySettle = shortWait;
                w.unansweredFenceSettle = 1.0; // outlasts the late answers below
                w.rejectionWindow = 0.5;       // long enough to take a "?;" that is not its own
                w.queryTimeout = queryTimeout;
            });
        };
        useWaits(how == u"slow radio" ? 1.0 : how == u"held fence" ? 0.5 : longWait);
        const QString command = "MW001" + QString(payload).replace(u"014074000"_s, u"007100000"_s) + ";";
        const QStringList fence{";", "ID;"};
        link->port->markCommandCut();
        if (how == u"late answer")
            link->radio.delayNext(u";"_s, std::chrono::milliseconds(150));
        if (how == u"late identity" || how == u"link replaced")
            link->radio.delayNext(u";"_s, std::chrono::milliseconds(800));
        if (how == u"slow radio") { // each answer within a query's time-out of the one before
            link->radio.delayNext(u";"_s, std::chrono::milliseconds(700));
            link->radio.delayNext(u"ID"_s, std::chrono::milliseconds(1400));
        }
        if (how == u"stalled line" || how == u"held fence")
            WriteFault::refuse(link->radio.devicePath(), ";", EAGAIN);
        if (how == u"no identity")
            link->radio.silenceNext(u"ID"_s);
        if (firstTryFails) {
            if (how != u"link replaced")
                useWaits(shortWait);
            const auto first = startTask(link->connection->set(command));
            if (how == u"link replaced") {
                QTRY_COMPARE(link->radio.received(), fence);
                link->port->closePort();
                link->reconnect();
            }
            QTRY_VERIFY(first->finished);
            useWaits(longWait);
            QVERIFY(first->radioError() && first->radioError()->commandUnsent());
            QCOMPARE(first->radioError()->detail(), how == u"link replaced" ? QString() : u"ID;"_s);
            QCOMPARE(link->radio.received(), fence);
        }
        const auto set = startTask(link->connection->set(command));
        if (how == u"stalled line") {
            QTRY_COMPARE(link->log().size(), 2); // two commands wait for the line
            WriteFault::clear();
        }
        if (how == u"held fence") // taken once a deadline counted from the fence's write would be over
            QTimer::singleShot(LinkTiming::duration(3 * LinkTiming::waits().queryTimeout),
                               [] { WriteFault::clear(); });
        QTRY_VERIFY(set->finished);
        QVERIFY2(set->succeeded(), errorText(*set));
        QCOMPARE(link->radio.received(),
                 (firstTryFails ? fence : QStringList()) + fence + QStringList{command});
        QCOMPARE(link->radio.channel(1)->payload, command.sliced(5).chopped(1));
        const QStringList log = link->log();
        QCOMPARE(log.mid(log.lastIndexOf(u"RX ?;"_s)),
                 (QStringList{"RX ?;", "RX ID0800;", "TX " + command, "SET OK " + command}));
    }

    // A fence that ends without its own identity fails its request unsent, with nothing of the
    // command sent or logged as sent, and leaves the line to be fenced again: an identity read before
    // the fence went out, the port closing or dropping the fence's bytes, or a failed write of them.
    // An identity handed over as the port closes opens the fence, but the command goes nowhere.
    // How | error kind | detail | line fenced again.
    void fenceWithoutItsIdentitySendsNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<bool>("fencedAgain");
        const QString command = "MW001" + payload + ";";
        QTest::addRow("identity read before")
            << u"identity read before"_s << Kind::timeout << u"ID;"_s << true;
        QTest::addRow("port closed") << u"port closed"_s << Kind::notConnected << QString() << true;
        QTest::addRow("bytes dropped") << u"bytes dropped"_s << Kind::portWriteFailed << command << true;
        QTest::addRow("write failed") << u"write failed"_s << Kind::portWriteFailed << command << true;
        QTest::addRow("identity at the close")
            << u"identity at the close"_s << Kind::notConnected << QString() << false;
    }
    void fenceWithoutItsIdentitySendsNothing() {
        QFETCH(QString, how);
        QFETCH(Kind, kind);
        QFETCH(QString, detail);
        QFETCH(bool, fencedAgain);
        if ((how == u"bytes dropped" || how == u"write failed") && !WriteFault::available)
            QSKIP("write(2) faults need Linux");
        TestWaits::use([&](Waits &w) {
            w.queryTimeout = how == u"identity read before" ? 0.5 : longWait;
            w.portWriteDeadline = 0.2;
        });
        const QString command = "MW001" + payload + ";";
        const QByteArray identity = "ID0800;";
        if (how == u"identity read before") {
            link->radio.send(identity);
            waitWithoutEvents(
                [&] { return link->radio.sent() == identity && link->radio.unreadByProgram() == 0; });
        }
        if (how != u"identity at the close")
            link->radio.silenceNext(u"ID"_s);
        if (how == u"bytes dropped")
            WriteFault::refuse(link->radio.devicePath(), ";", EAGAIN);
        if (how == u"write failed") // after the ";", which ends the cut command
            WriteFault::refuse(link->radio.devicePath(), "ID", ENOSPC);
        link->port->markCommandCut();
        const auto set = startTask(link->connection->set(command));
        if (how == u"port closed" || how == u"identity at the close") {
            // The port has read the fence's answers, which wait unhandled.
            const QByteArray answers = how == u"port closed" ? "?;" : "?;" + identity;
            waitWithoutEvents(
                [&] { return link->radio.sent() == answers && link->radio.unreadByProgram() == 0; });
            link->port->closePort();
        }
        QTRY_VERIFY(set->finished);
        WriteFault::clear();
        QVERIFY(set->radioError() && set->radioError()->commandUnsent());
        QCOMPARE(set->radioError()->kind(), kind);
        QCOMPARE(set->radioError()->detail(), detail);
        QVERIFY(!link->radio.received().contains(command));
        QTRY_VERIFY(!link->log().contains("TX " + command) && link->log().contains(u"TX ID;"_s));
        QCOMPARE(link->port->mayHoldCutCommand(), fencedAgain);
    }

    // A connection that goes as the last owner of its port is not called by the port it closes so,
    // which hands over the line it read.
    void connectionLastOwningItsPortGoesQuietly() {
        link->radio.send(reply.toLatin1());
        waitWithoutEvents([&] { return link->radio.sent() == reply && link->radio.unreadByProgram() == 0; });
        link->service.reset();
        link->port.reset();
        link->connection.reset();
        QCoreApplication::processEvents();
        QCOMPARE(link->log(), QStringList());
    }

    // A line the port read before it closed, or before the device hung up, reaches the connection
    // ahead of that end: it still answers the request it was read for. The close hands it over before
    // it returns, its "RX " line above what the closer logs next; a hang-up the reader saw while the
    // line waited unhandled follows it, and the next request finds the link lost.
    void lineReadBeforeTheEndComesBeforeIt_data() {
        addRows({"close", "hang-up"});
    }
    void lineReadBeforeTheEndComesBeforeIt() {
        QFETCH(QStringList, row);
        const bool hangUp = row.first() == u"hang-up";
#ifndef Q_OS_LINUX
        if (hangUp)
            QSKIP("tells from /proc when the port's reader has ended");
#endif
        link->radio.silenceNext(u"MR001"_s);
        const auto pending = startTask(link->connection->query(u"MR001"_s));
        QTRY_COMPARE(link->radio.received(), QStringList{"MR001;"});
        link->radio.send(reply.toLatin1());
        waitWithoutEvents(
            [&] { return link->radio.sent() == reply.toLatin1() && link->radio.unreadByProgram() == 0; });
        if (hangUp) {
            const QSet<QString> before = threads();
            link->radio.hangUp();
            // Once the radio's thread and the port's reader have ended, the reader has queued the
            // hang-up behind the line.
            waitWithoutEvents([&] { return (before - threads()).size() >= 2; });
        } else {
            link->port->closePort();
            QCOMPARE(link->log(), (QStringList{"TX MR001;", "RX " + reply}));
        }
        QTRY_VERIFY(pending->finished);
        QVERIFY2(pending->succeeded(), errorText(*pending));
        QCOMPARE(pending->value(), reply);
        if (hangUp)
            QCOMPARE(runTask(link->connection->query(u"MR001"_s)).radioError()->kind(), Kind::connectionLost);
    }

    // A command counts as begun once the device has taken a byte of its own, not while it waits
    // behind output the device has not taken, nor once the device has taken only what stood before it.
    void commandBegunByItsOwnBytesAlone() {
        if (!WriteFault::available)
            QSKIP("write(2) faults need Linux");
        const QString first = "MT001" + QString(100, u'A') + ";";
        WriteFault::refuse(link->radio.devicePath(), "MT", EAGAIN);
        link->port->write(first);
        link->port->write(u"MR001;"_s);
        QVERIFY(!link->port->latestCommandBegun());
        WriteFault::letThrough(first.size());
        QTRY_COMPARE(link->radio.received(), QStringList{first});
        QVERIFY(!link->port->latestCommandBegun());
        WriteFault::letThrough(1);
        QTRY_VERIFY(link->port->latestCommandBegun());
        WriteFault::clear();
    }

    // A line read before a waiting command went out, and its answer read after, reach the connection
    // on either side of "output written", however late the main thread gets to them.
    void reportsKeepTheOrderThePortSawThem() {
        if (!WriteFault::available)
            QSKIP("write(2) faults need Linux");
        const QByteArray stray = "MR001000000000+000000000000;";
        WriteFault::refuse(link->radio.devicePath(), "MR", EAGAIN);
        const auto pending = startTask(link->connection->query(u"MR001"_s));
        link->radio.send(stray);
        waitWithoutEvents([&] { return link->radio.sent() == stray && link->radio.unreadByProgram() == 0; });
        WriteFault::clear();
        waitWithoutEvents([&] {
            return link->radio.sent() == stray + reply.toLatin1() && link->radio.unreadByProgram() == 0;
        });
        QTRY_VERIFY(pending->finished);
        QCOMPARE(pending->value(), reply);
        QTRY_COMPARE(link->log(),
                     (QStringList{"TX MR001;", "RX " + stray, "IGNORED RX " + stray + " for pending MR001;",
                                  "RX " + reply}));
    }

    // A close after the reader handed the device the rest of a stalled command, before the
    // connection learnt it is out, still counts the command as gone out and cut off on the line.
    void closeBeforeTheWindowStillMarksTheCut() {
        if (!WriteFault::available)
            QSKIP("write(2) faults need Linux");
        const QString command = "MW001" + payload + ";";
        WriteFault::stallBeforeLastByte(link->radio.devicePath(), "MW");
        const auto set = startTask(link->connection->set(command, longWait));
        QVERIFY(link->port->hasPendingOutput());
        WriteFault::clear();
        waitWithoutEvents([&] { return link->radio.received() == QStringList{command}; });
        link->port->closePort();
        QVERIFY(link->port->mayHoldCutCommand());
        QTRY_VERIFY(set->finished);
        QVERIFY(set->radioError()->commandWentOut());
    }

    // --- the memory services
    void reads_data() {
        QTest::addColumn<ReadCase>("c");
        const auto row = [](const char *name, const ReadCase &c) { QTest::addRow("%s", name) << c; };
        const FakeRadio::Channel ft710Channel{"014074000+0000002100000extra", " Repeater "};
        const auto channel991 = [](const QString &toneMode, const QString &dcsNumber = "023") {
            return FakeRadio::Channel{ft991aPayload(toneMode), " Relais DB0 ", "012", dcsNumber};
        };
        const QStringList mr710{"MR007;", "MT007;"};
        const QStringList mr991{"MC007;", "MR007;", "MT007;"};
        const auto tone = [&](const char *command) { return mr991 + QStringList{command}; };
        const QString shortReply = u"MR007014074000+00000021000;"_s;
        const Kind invalid = Kind::invalidResponse;
        row("FT-710: extra payload ignored, tag trimmed", {ft710, ft710Channel, {}, mr710, "Repeater||000"});
        row("FT-710: 21 characters",
            {ft710, {shortReply.sliced(5).chopped(1)}, {}, {"MR007;"}, shortReply, invalid});
        row("FT-710: tag read time-out", {ft710, ft710Channel, "silence MT", mr710, "MT007;", Kind::timeout});
        row("FT-991A: CTCSS", {ft991a, channel991("2"), {}, tone("CN00;"), "Relais DB0|0|012"});
        row("FT-991A: DCS", {ft991a, channel991("3"), {}, tone("CN01;"), "Relais DB0|1|023"});
        row("FT-991A: tone read rejected",
            {ft991a, channel991("1"), "reject CN", tone("CN00;"), "Relais DB0||000"});
        row("FT-991A: tone too short", {ft991a, channel991("4", "12"), {}, tone("CN01;"), "Relais DB0||000"});
        row("FT-991A: tag read rejected", {ft991a, channel991("0"), "reject MT", mr991, "||000"});
        row("FT-991A: select rejected", {ft991a, channel991("1"), "reject MC", {"MC007;"}, "empty"});
        row("FT-991A: tag read time-out",
            {ft991a, channel991("0"), "silence MT", mr991, "MT007;", Kind::timeout});
    }
    void reads() {
        QFETCH(ReadCase, c);
        useWaitsFor(c.fault);
        open(c.model);
        link->radio.setChannel(7, c.channel);
        applyFault(link->radio, c.fault);
        const auto result = runTask(link->service->readMemory(7));
        if (c.error) {
            QCOMPARE(result.radioError()->kind(), *c.error);
            QCOMPARE(result.radioError()->detail(), c.outcome);
        } else if (c.outcome == u"empty") {
            QCOMPARE(result.value(), RadioMemory::empty(u"007"_s, c.model));
        } else {
            const RadioMemory read = result.value();
            QCOMPARE(read.slot + rawValue(read.radioModel), u"007"_s + rawValue(c.model));
            QCOMPARE(read.frequency + read.shiftRaw + read.modeCode + read.flagsRaw,
                     c.channel.payload.left(22));
            QCOMPARE(QStringList({read.tag, read.toneNumberKindRaw, read.toneNumberCode}).join(u'|'),
                     c.outcome);
            QVERIFY(!read.isEmpty);
        }
        QTRY_COMPARE(link->radio.received(), c.wire);
    }

    // All commands are checked before the first goes out; a cancelled token stops no write.
    void writes_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<WriteCase>("c");
        const auto row = [](const char *name, RadioModel model, const WriteCase &c) {
            QTest::addRow("%s", name) << model << c;
        };
        const QString unsendable = "Das Feld „%1“ enthält ein Zeichen, das nicht an das Funkgerät gesendet "
                                   "werden kann (erlaubt sind nur druckbare ASCII-Zeichen außer „;“).";
        const QString noFrequency = "Leerer Speicher kann nicht ohne Frequenz geschrieben werden.";
        const auto mw710 = [](const QString &modeAndFlags) {
            return "MW001145500000-00060" + modeAndFlags + ";";
        };
        const QString mw = mw710("0401002");
        const auto with710 = [](const QJsonObject &fields) { return memoryRecord(ft710, fields); };
        const Kind invalid = Kind::invalidMemory;
        row("FT-710: as stored", ft710, {with710({}), {}, {mw, "MT0011DB0XYZ      ;"}});
        row("FT-710: shift and flags normalised, empty tag", ft710,
            {with710({{"shiftRaw", " -600"}, {"flagsRaw", "1"}, {"tag", ""}}),
             {},
             {mw710("0400001"), "MT0010            ;"}});
        row("FT-710: long tag and ten digits cut", ft710,
            {with710({{"frequency", "1440000001"}, {"tag", "ABCDEFGHIJKLMNO"}}),
             {},
             {"MW001144000000-000600401002;", "MT0011ABCDEFGHIJKL;"}});
        row("FT-710: no frequency, nothing sent", ft710,
            {with710({{"frequency", ""}}), {}, {}, invalid, noFrequency});
        row("FT-710: memory write rejected", ft710, {with710({}), "reject MW", {mw}, Kind::rejected, mw});
        row("FT-710: non-ASCII tag, nothing sent", ft710,
            {with710({{"tag", "Zürich"}}), {}, {}, invalid, unsendable.arg("Tag")});
        // An FT-991A write of slot 1: select, memory write, long tag write, tone number.
        const auto wire991 = [](const QString &flags, const QStringList &tone = {}) {
            const QString payload = u"145500000-000600"_s + flags;
            return QStringList{"MC001;", "MW001" + payload + ";", "MT001" + payload + "0DB0XYZ      ;"} +
                   tone;
        };
        const auto with991 = [](const QJsonObject &fields) { return memoryRecord(ft991a, fields); };
        row("FT-991A: as stored", ft991a, {with991({}), {}, wire991("401002", {"CN00008;"})});
        row("FT-991A: mode c", ft991a,
            {with991({{"modeCode", "c"}, {"flagsRaw", "10000"}}), {}, wire991("C10000")});
        row("FT-991A: mode xe", ft991a,
            {with991({{"modeCode", "xe"}, {"flagsRaw", "10000"}}), {}, wire991("E10000")});
        row("FT-991A: mode F", ft991a,
            {with991({{"modeCode", "F"}, {"flagsRaw", "10000"}}), {}, wire991("410000")});
        row("FT-991A: CTCSS number padded", ft991a,
            {with991({{"toneNumberCode", "7"}}), {}, wire991("401002", {"CN00007;"})});
        // The radio refuses to select an empty channel; once written it is selected for its tone.
        const RadioMemory dcs = with991({{"flagsRaw", "04000"}, {"toneNumberCode", "103"}});
        row("FT-991A: select rejected, selected again for the tone", ft991a,
            {dcs, "reject MC", wire991("404000", {"MC001;", "CN01103;"})});
        row("FT-991A: select rejected twice, no tone sent", ft991a,
            {dcs, "reject MC 2", wire991("404000", {"MC001;"}), Kind::rejected, "MC001;"});
        row("FT-991A: select rejected, no tone to set", ft991a,
            {with991({{"flagsRaw", "10000"}}), "reject MC", wire991("410000")});
        row("FT-991A: another model's memory, no tone", ft991a, {with710({}), {}, wire991("401002")});
        row("FT-991A: memory write rejected", ft991a,
            {with991({}), "reject MW", wire991("401002").first(2), Kind::rejected, mw});
        row("FT-991A: Arabic-Indic tone number, nothing sent", ft991a,
            {with991({{"toneNumberCode", "\u0660\u0661\u0662"}}),
             {},
             {},
             invalid,
             unsendable.arg("Ton-Code")});
    }
    void writes() {
        QFETCH(RadioModel, model);
        QFETCH(WriteCase, c);
        useWaitsFor(c.fault);
        open(model);
        link->radio.setChannel(1, {.payload = ft991aPayload("0")});
        applyFault(link->radio, c.fault);
        CancellationToken cancelled;
        cancelled.cancel();
        const auto result = runTask(link->service->writeMemory(c.memory, cancelled));
        if (c.error) {
            QCOMPARE(result.radioError()->kind(), *c.error);
            QCOMPARE(result.radioError()->detail(), c.detail);
        } else {
            QVERIFY(result.succeeded());
        }
        QTRY_COMPARE(link->radio.received(), c.wire);
    }

    // A reply read inside its window counts, however late the main thread gets to it: the radio
    // refuses to select the empty channel while the main thread is held up past the window, so the
    // channel is selected again once written, before its tone number goes out.
    void replyReadInItsWindowCountsWhenHandledLate() {
        const double window = 1.0;
        TestWaits::use([&](Waits &waits) { waits.ft991aSelectWindow = window; });
        open(ft991a);
        const RadioMemory dcs = memoryRecord(ft991a, {{"flagsRaw", "04000"}, {"toneNumberCode", "103"}});
        QStringList wire;
        for (const QString &command : link->service->writeCommands(dcs))
            wire << command + u';';
        wire.insert(3, wire.first());
        QElapsedTimer sinceSelect;
        sinceSelect.start();
        const auto writing = startTask(link->service->writeMemory(dcs));
        // Held up past the window.
        const auto holdUp = [&] {
            while (sinceSelect.elapsed() < window * 1500 || link->radio.unreadByProgram() != 0) {
            }
        };
        holdUpWithATimerDue(holdUp);
        QTRY_VERIFY_WITH_TIMEOUT(writing->finished, 20000);
        QCOMPARE(link->radio.received(), wire);
        QVERIFY(writing->succeeded());
    }

    // Input that arrives during the select is dropped before the memory read.
    void ft991aDropsStaleInputBeforeTheMemoryRead() {
        TestWaits::use([](Waits &waits) { waits.ft991aSelectPause = 0.5; });
        open(ft991a);
        link->radio.setChannel(7, {.payload = ft991aPayload("0")});
        link->radio.noiseBeforeNext(u"MC"_s, "X;MR007garbage");
        QCOMPARE(runTask(link->service->readMemory(7)).value().frequency, u"145500000"_s);
    }

    // The select, once sent, ends by its window; the pause then ends at once.
    void ft991aReadEndsOnCancellationInTheSelectPause() {
        TestWaits::use([](Waits &waits) { waits.ft991aSelectPause = longWait; });
        open(ft991a);
        link->radio.setChannel(7, {.payload = ft991aPayload("0")});
        CancellationToken token;
        auto reading = startTask(link->service->readMemory(7, token));
        QTRY_COMPARE(link->radio.received(), QStringList{"MC007;"});
        token.cancel();
        QTRY_VERIFY(reading->errorOf<CancellationError>());
        QCOMPARE(link->radio.received(), QStringList{"MC007;"});
    }

private:
    // Runs `holdUp` in a queued call, in a turn of the loop that also finds a timer due (as a busy
    // window has them): the loop may then run timers that came due meanwhile before it hands out
    // the port's lines, which came in meanwhile.
    void holdUpWithATimerDue(std::function<void()> holdUp) {
        auto *due = new QTimer(this);
        due->setSingleShot(true);
        connect(due, &QTimer::timeout, due, &QObject::deleteLater);
        QMetaObject::invokeMethod(
            this,
            [this, due, holdUp = std::move(holdUp)] {
                due->start(0);
                QMetaObject::invokeMethod(this, holdUp, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
    }
    void open(RadioModel model) {
        link = std::make_unique<FakeRadioLink>(model);
        QCOMPARE(link->service->model(), model);
        QCOMPARE(link->service->memoryRange(), memoryRange(model));
    }
    // The open descriptors a program started by this one would inherit.
    static QSet<int> inheritedDescriptors() {
        QSet<int> inherited;
        const QDir descriptors(u"/proc/self/fd"_s);
        for (const QString &name :
             descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            const int flags = fcntl(name.toInt(), F_GETFD);
            if (flags >= 0 && !(flags & FD_CLOEXEC))
                inherited.insert(name.toInt());
        }
        return inherited;
    }
    // This program's threads now.
    static QSet<QString> threads() {
        const QStringList tasks = QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return QSet<QString>(tasks.cbegin(), tasks.cend());
    }
    // Waits for what another thread does while this one's events wait, unhandled.
    template <typename Condition> static void waitWithoutEvents(Condition condition) {
        const QDeadlineTimer deadline(10000);
        while (!condition() && !deadline.hasExpired())
            std::this_thread::yield();
        QVERIFY(condition());
    }
    // Takes the port's lines instead of the CAT connection.
    void listen() {
        link->port->setOnCommand(
            [this](const QString &line, SerialPort::Clock::time_point) { lines << line; });
    }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<FakeRadioLink> link;
    QStringList lines;
};

QTEST_GUILESS_MAIN(RadioLinkTest)
#include "tst_radiolink.moc"
