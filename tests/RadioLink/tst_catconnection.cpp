#include "FakeRadioLink.h"
#include "TaskResult.h"
#include "TestWaits.h"

#include "Model/RadioError.h"

#include <QElapsedTimer>
#include <QTest>
#include <ctime>

using TestWaits::longWait;
using TestWaits::shortWait;

namespace {

const QString payload = QStringLiteral("014074000+000000210000");
const QString reply = "MR001" + payload + ";";

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

// The connection's state table, over the fake radio. Waits the radio must beat are long, waits
// that must pass are short; where a line must arrive inside a wait that then passes, the wait is
// a second.
class CATConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TestWaits::use(); }

    void init() {
        link = std::make_unique<FakeRadioLink>(RadioModel::ft710);
        link->radio.setChannel(1, {.payload = payload, .tag = {}});
    }

    void cleanup() { link.reset(); }

    // Every way a request ends, with its log; the error carries the command as sent.
    void requestEnds_data() {
        QTest::addColumn<bool>("isQuery");
        QTest::addColumn<QString>("command");
        QTest::addColumn<double>("wait");
        QTest::addColumn<std::optional<RadioError::Kind>>("error");
        QTest::addColumn<QStringList>("expectedLog");
        const std::optional<RadioError::Kind> none;
        const auto rejected = std::optional(RadioError::Kind::rejected);
        QTest::addRow("query answered")
            << true << "MR001" << longWait << none << QStringList{"TX MR001;", "RX " + reply};
        QTest::addRow("query with its semicolon")
            << true << "MR001;" << longWait << none << QStringList{"TX MR001;", "RX " + reply};
        QTest::addRow("query rejected")
            << true << "MR003" << longWait << rejected << QStringList{"TX MR003;", "RX ?;"};
        QTest::addRow("query timed out")
            << true << "XX1" << shortWait << std::optional(RadioError::Kind::timeout)
            << QStringList{"TX XX1;"};
        QTest::addRow("set by silence")
            << false << "MW001" + payload << shortWait << none
            << QStringList{"TX MW001" + payload + ";", "SET OK MW001" + payload + ";"};
        QTest::addRow("set with other lines only logged")
            << false << "MR001" << 1.0 << none << QStringList{"TX MR001;", "RX " + reply, "SET OK MR001;"};
        QTest::addRow("set rejected")
            << false << "MR003" << longWait << rejected << QStringList{"TX MR003;", "RX ?;"};
    }

    void requestEnds() {
        QFETCH(bool, isQuery);
        QFETCH(QString, command);
        QFETCH(double, wait);
        QFETCH(std::optional<RadioError::Kind>, error);
        QFETCH(QStringList, expectedLog);
        const QString sent = expectedLog.first().sliced(3);
        link->radio.silenceNext(QStringLiteral("XX"));
        const auto result = isQuery ? runTask(link->connection->query(command, wait))
                                    : runTask(asQuery(link->connection->set(command, wait)));
        if (error) {
            QCOMPARE(result.radioError()->kind(), *error);
            QCOMPARE(result.radioError()->detail(), sent);
        } else {
            QCOMPARE(result.value(), isQuery ? reply : QString());
        }
        QTRY_COMPARE(link->log(), expectedLog);
        QTRY_COMPARE(link->radio.received(), QStringList{sent});
    }

    // Lines the radio sends while the query waits; the last one ends it.
    void unmatchedLinesAreIgnored_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("unmatched");
        QTest::addColumn<QString>("last");
        QTest::addRow("noise in front") << "MR001"
                                        << "\n" + reply << reply;
        QTest::addRow("another slot") << "MR001"
                                      << "MR002" + payload + ";" << reply;
        QTest::addRow("late reply to an earlier command") << "MR002" << reply << "MR002;";
        QTest::addRow("one-character command") << "I"
                                               << "I;"
                                               << "?;";
    }

    void unmatchedLinesAreIgnored() {
        QFETCH(QString, command);
        QFETCH(QString, unmatched);
        QFETCH(QString, last);
        link->radio.setSilent(true);
        auto pending = startTask(link->connection->query(command));
        link->radio.send(unmatched.toLatin1());
        const QString ignored = "IGNORED RX " + unmatched + " for pending " + command + ";";
        QTRY_VERIFY(link->log().contains(ignored));
        QVERIFY(!pending->finished);
        link->radio.send(last.toLatin1());
        QTRY_VERIFY(pending->finished);
        if (last == u"?;")
            QCOMPARE(pending->radioError()->kind(), RadioError::Kind::rejected);
        else
            QCOMPARE(pending->value(), last);
        QCOMPARE(link->log(), (QStringList{"TX " + command + ";", "RX " + unmatched, ignored, "RX " + last}));
    }

    // The radio's answer to a query that timed out must not end the next request: that one goes
    // out once the line has been quiet for a moment.
    void lateReplyDoesNotEndTheNextRequest() {
        link->radio.silenceNext(QStringLiteral("MR"));
        const auto timedOut = runTask(link->connection->query(QStringLiteral("MR001"), shortWait));
        QCOMPARE(timedOut.radioError()->kind(), RadioError::Kind::timeout);
        const QString command = "MW001" + payload + ";";
        const auto set = startTask(asQuery(link->connection->set(command, 1.0)));
        link->radio.send("?;");
        QTRY_VERIFY(set->finished);
        QVERIFY(set->succeeded());
        QCOMPARE(link->log(), (QStringList{"TX MR001;", "RX ?;", "TX " + command, "SET OK " + command}));
    }

    // The first query's timer would have fired while the second waits.
    void staleTimerDoesNothing() {
        QVERIFY(runTask(link->connection->query(QStringLiteral("MR001"), 1.0)).succeeded());
        link->radio.silenceNext(QStringLiteral("MR"));
        const auto second = runTask(link->connection->query(QStringLiteral("MR002"), 1.1));
        QCOMPARE(second.radioError()->kind(), RadioError::Kind::timeout);
        QCOMPARE(second.radioError()->detail(), QStringLiteral("MR002;"));
    }

    void secondRequestIsBusy_data() {
        QTest::addColumn<bool>("firstIsQuery");
        QTest::addRow("during a query") << true;
        QTest::addRow("during a set") << false;
    }

    void secondRequestIsBusy() {
        QFETCH(bool, firstIsQuery);
        auto first = firstIsQuery ? startTask(link->connection->query(QStringLiteral("MR001")))
                                  : startTask(asQuery(link->connection->set("MW001" + payload, shortWait)));
        const auto query = startTask(link->connection->query(QStringLiteral("MR002")));
        const auto set = startTask(link->connection->set(QStringLiteral("MW002")));
        QTRY_VERIFY(query->finished && set->finished);
        QCOMPARE(query->radioError()->kind(), RadioError::Kind::busy);
        QCOMPARE(set->radioError()->kind(), RadioError::Kind::busy);
        QTRY_VERIFY(first->succeeded());
        QTRY_COMPARE(link->radio.received().size(), 1);
        QVERIFY(!link->log().join(u'|').contains(QStringLiteral("002;")));
    }

    void lineWhileIdleIsOnlyLogged() {
        link->radio.send("?;");
        QTRY_COMPARE(link->log(), QStringList{"RX ?;"});
        QVERIFY(runTask(link->connection->query(QStringLiteral("MR001"))).succeeded());
    }

    // The command is logged before the caller learns of the failure, so a line the caller logs
    // then follows it; the connection takes the next request.
    void writeFailureLeavesTheConnectionIdle() {
        link->port->closePort();
        auto set = link->connection->set(QStringLiteral("MW001"), longWait);
        QCOMPARE(runTask(logWhenFailed(std::move(set), link.get())).value(), QStringList{"TX MW001;"});
        QCOMPARE(runTask(link->connection->query(QStringLiteral("MR001"))).radioError()->kind(),
                 RadioError::Kind::notConnected);
    }

    // A pulled cable must not make the reader spin; the pending query ends by its timer, later writes
    // fail, and neither a flush nor closing hangs.
    void hungUpDeviceEndsByTimerWithoutSpinning() {
        link->radio.silenceNext(QStringLiteral("MR"));
        auto pending = startTask(link->connection->query(QStringLiteral("MR001"), 0.5));
        QTRY_COMPARE(link->radio.received(), QStringList{"MR001;"});
        link->radio.hangUp();
        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = processCpuSeconds();
        QTRY_VERIFY(pending->finished);
        const double cpu = processCpuSeconds() - cpuBefore;
        QCOMPARE(pending->radioError()->kind(), RadioError::Kind::timeout);
        QVERIFY2(cpu < 0.25 * wall.elapsed() / 1000.0, qPrintable(QStringLiteral("CPU %1 s").arg(cpu)));
        QCOMPARE(runTask(link->connection->query(QStringLiteral("MR001"))).radioError()->kind(),
                 RadioError::Kind::portWriteFailed);
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
        QCOMPARE(stuck->radioError()->kind(), RadioError::Kind::portWriteFailed);
        QCOMPARE(stuck->radioError()->detail(), command);
        link->radio.setReading(true);
        runTask(link->connection->query(QStringLiteral("MR001")));
        // Only what the line held when the rest was dropped comes before the next command.
        const QString heard = link->radio.received().join(QString());
        QVERIFY(heard.endsWith(QStringLiteral("MR001;")) && heard.size() < command.size());
        TestWaits::use();
    }

private:
    // Gives a set the shape of a query so both fit one pending slot in the busy test.
    static QCoro::Task<QString> asQuery(QCoro::Task<> set) {
        co_await set;
        co_return QString();
    }

    // The log as it stands when the request fails.
    static QCoro::Task<QStringList> logWhenFailed(QCoro::Task<> request, const FakeRadioLink *link) {
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
