#include "FakeRadioLink.h"
#include "TaskResult.h"
#include "TestWaits.h"

#include "Model/RadioError.h"
#include "RadioLink/CancellationError.h"
#include "RadioLink/OneShot.h"

#include <QElapsedTimer>
#include <QTest>
#include <ctime>

using namespace Qt::StringLiterals;

using TestWaits::longWait;
using TestWaits::shortWait;
using Kind = RadioError::Kind;

namespace {

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

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

QCoro::Task<QString> awaited(OneShot<QString> result) {
    co_return co_await result;
}

// Gives a set the shape of a query, so both fit one kind of pending task.
QCoro::Task<QString> asQuery(QCoro::Task<> set) {
    co_await set;
    co_return QString();
}

} // namespace

// The connection's pairing of commands and replies, over the fake radio. Waits the radio must beat
// are long, waits that must pass are short; where a line must arrive inside a wait that then
// passes, the wait is a second.
class CATConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TestWaits::use(); }
    void init() {
        link = std::make_unique<FakeRadioLink>(RadioModel::ft710);
        link->radio.setChannel(1, {.payload = payload});
    }
    void cleanup() {
        link.reset();
        TestWaits::use();
    }

    // The waiter resumes on a later turn (the settling side may hold its lock), with the first result.
    void oneShotSettlesOnce() {
        OneShot<QString> result;
        auto waiting = startTask(awaited(result));
        QVERIFY(result.succeed(u"first"_s));
        QVERIFY(!waiting->finished);
        QVERIFY(!result.succeed(u"second"_s) && !result.fail(CancellationError()));
        QTRY_VERIFY(waiting->finished);
        QCOMPARE(waiting->value(), u"first"_s);
        OneShot<QString> failed;
        failed.fail(CancellationError());
        QVERIFY(runTask(awaited(failed)).errorOf<CancellationError>());
    }

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

    // Lines the radio sends while the query waits; the last one ends it.
    void unmatchedLinesAreIgnored_data() {
        QTest::addColumn<QStringList>("lines"); // command, unmatched line, last line
        QTest::addRow("noise in front") << QStringList{"MR001", "\n" + reply, reply};
        QTest::addRow("another slot") << QStringList{"MR001", "MR002" + payload + ";", reply};
        QTest::addRow("late reply to an earlier command") << QStringList{"MR002", reply, "MR002;"};
        QTest::addRow("one-character command") << QStringList{"I", "I;", "?;"};
    }
    void unmatchedLinesAreIgnored() {
        QFETCH(QStringList, lines);
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

    // The radio's answer to a query that timed out must not end the next request: that one goes
    // out once the line has been quiet for a moment.
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

    void secondRequestIsBusy_data() {
        QTest::addColumn<bool>("firstIsQuery");
        QTest::addRow("during a query") << true;
        QTest::addRow("during a set") << false;
    }
    void secondRequestIsBusy() {
        QFETCH(bool, firstIsQuery);
        auto first = firstIsQuery ? startTask(link->connection->query(u"MR001"_s))
                                  : startTask(asQuery(link->connection->set("MW001" + payload, shortWait)));
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

    // The command is logged before the caller learns of the failure, so a line the caller logs
    // then follows it; the connection takes the next request.
    void writeFailureLeavesTheConnectionIdle() {
        link->port->closePort();
        QCOMPARE(runTask(logWhenFailed(link->connection->set(u"MW001"_s, longWait))).value(),
                 QStringList{"TX MW001;"});
        QCOMPARE(runTask(link->connection->query(u"MR001"_s)).radioError()->kind(), Kind::notConnected);
    }

    // A pulled cable must not make the reader spin; the pending query ends by its timer, later writes
    // fail, and neither a flush nor closing hangs.
    void hungUpDeviceEndsByTimerWithoutSpinning() {
        link->radio.silenceNext(u"MR"_s);
        auto pending = startTask(link->connection->query(u"MR001"_s, 0.5));
        QTRY_COMPARE(link->radio.received(), QStringList{"MR001;"});
        link->radio.hangUp();
        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = processCpuSeconds();
        QTRY_VERIFY(pending->finished);
        const double cpu = processCpuSeconds() - cpuBefore;
        QCOMPARE(pending->radioError()->kind(), Kind::timeout);
        QVERIFY2(cpu < 0.25 * wall.elapsed() / 1000.0, qPrintable(u"CPU %1 s"_s.arg(cpu)));
        QCOMPARE(runTask(link->connection->query(u"MR001"_s)).radioError()->kind(), Kind::portWriteFailed);
        link->port->flushInputBuffer();
        link->port->closePort();
    }

    // A device that stops taking bytes never holds up the caller: what it does not take waits in
    // the port, the request fails once the deadline has passed (its own wait does not end it while
    // its bytes wait), and the rest is never sent.
    void stuckWriteFailsTheRequestWithoutWaiting_data() {
        QTest::addColumn<bool>("isQuery");
        QTest::addRow("query") << true;
        QTest::addRow("set") << false;
    }
    void stuckWriteFailsTheRequestWithoutWaiting() {
        QFETCH(bool, isQuery);
        TestWaits::use([](LinkTiming::Waits &waits) { waits.portWriteDeadline = 0.2; });
        link->radio.setReading(false);
        const QString command = "MT001" + QString(64 * 1024, u'A') + ";"; // more than the line holds
        const auto stuck = isQuery ? startTask(link->connection->query(command, shortWait))
                                   : startTask(asQuery(link->connection->set(command, shortWait)));
        QTRY_VERIFY(stuck->finished);
        QCOMPARE(stuck->radioError()->kind(), Kind::portWriteFailed);
        QCOMPARE(stuck->radioError()->detail(), command);
        link->radio.setReading(true);
        runTask(link->connection->query(u"MR001"_s));
        // Only what the line held when the rest was dropped comes before the next command.
        const QString heard = link->radio.received().join(QString());
        QVERIFY(heard.endsWith(u"MR001;"_s) && heard.size() < command.size());
    }

private:
    // The log as it stands when the request fails.
    QCoro::Task<QStringList> logWhenFailed(QCoro::Task<> request) {
        try {
            co_await request;
        } catch (const RadioError &) {
            co_return link->log();
        }
        co_return QStringList{"succeeded"};
    }

    std::unique_ptr<FakeRadioLink> link;
};

QTEST_GUILESS_MAIN(CATConnectionTest)
#include "tst_catconnection.moc"
