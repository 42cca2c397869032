#include "FakeRadio.h"
#include "TaskResult.h"
#include "TestWaits.h"

#include "Model/RadioError.h"
#include "RadioLink/CATConnection.h"
#include "RadioLink/SerialPort.h"

#include <QElapsedTimer>
#include <QTest>
#include <ctime>

using namespace std::chrono_literals;
using TestWaits::longWait;
using TestWaits::shortWait;

namespace {

const QString payload = QStringLiteral("014074000+000000210000");

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

class CATConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TestWaits::use(); }

    void init() {
        radio = std::make_unique<FakeRadio>(RadioModel::ft710);
        radio->setChannel(1, {.payload = payload, .tag = QStringLiteral("DX")});
        radio->setChannel(2, {.payload = payload, .tag = {}});
        port = std::make_shared<SerialPort>(radio->devicePath());
        port->openPort(SerialPortConfiguration::ft710(38400));
        log.clear();
        connection = std::make_unique<CATConnection>(port, [this](const QString &text) { log << text; });
    }

    void cleanup() {
        connection.reset();
        port.reset();
        radio.reset();
    }

    void queryReturnsTheMatchingReply_data() {
        QTest::addColumn<QString>("command");
        QTest::addRow("without semicolon") << QStringLiteral("MR001");
        QTest::addRow("with semicolon") << QStringLiteral("MR001;");
    }

    void queryReturnsTheMatchingReply() {
        QFETCH(QString, command);
        const auto result = runTask(connection->query(command));
        QCOMPARE(result.value(), QStringLiteral("MR001") + payload + u';');
        QCOMPARE(radio->received(), QStringList{"MR001;"});
        QTRY_COMPARE(log, (QStringList{"TX MR001;", "RX MR001" + payload + ";"}));
    }

    void queryFails_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("silencedPrefix");
        QTest::addColumn<RadioError::Kind>("kind");
        QTest::addColumn<QStringList>("expectedLog");
        QTest::addRow("rejected") << QStringLiteral("MR003") << QString() << RadioError::Kind::rejected
                                  << QStringList{"TX MR003;", "RX ?;"};
        QTest::addRow("timed out") << QStringLiteral("MR001") << QStringLiteral("MR")
                                   << RadioError::Kind::timeout << QStringList{"TX MR001;"};
    }

    void queryFails() {
        QFETCH(QString, command);
        QFETCH(QString, silencedPrefix);
        QFETCH(RadioError::Kind, kind);
        QFETCH(QStringList, expectedLog);
        if (!silencedPrefix.isEmpty())
            radio->silenceNext(silencedPrefix);
        const auto result =
            runTask(connection->query(command, silencedPrefix.isEmpty() ? longWait : shortWait));
        QVERIFY(result.radioError());
        QCOMPARE(result.radioError()->kind(), kind);
        QCOMPARE(result.radioError()->detail(), command + u';');
        QCOMPARE(log, expectedLog);
    }

    // Lines the radio sends while the query waits; the last one ends it.
    void unmatchedLinesAreIgnored_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("unmatched");
        QTest::addColumn<QByteArray>("last");
        QTest::addColumn<bool>("answered");
        const QByteArray reply = "MR001" + payload.toLatin1() + ";";
        QTest::addRow("noise in front") << "MR001"
                                        << "\n" + reply << reply << true;
        QTest::addRow("another slot") << "MR001"
                                      << "MR002" + payload.toLatin1() + ";" << reply << true;
        QTest::addRow("late reply to an earlier command") << "MR002" << reply << QByteArray("MR002;") << true;
        QTest::addRow("one-character command") << "I" << QByteArray("I;") << QByteArray("?;") << false;
    }

    void unmatchedLinesAreIgnored() {
        QFETCH(QString, command);
        QFETCH(QByteArray, unmatched);
        QFETCH(QByteArray, last);
        QFETCH(bool, answered);
        radio->setSilent(true);
        auto pending = startTask(connection->query(command));
        radio->send(unmatched);
        const QString normalized = command + u';';
        const QString ignored = "IGNORED RX " + QString::fromLatin1(unmatched) + " for pending " + normalized;
        QTRY_VERIFY(log.contains(ignored));
        QVERIFY(!pending->finished);
        radio->send(last);
        QTRY_VERIFY(pending->finished);
        if (answered)
            QCOMPARE(pending->value(), QString::fromLatin1(last));
        else
            QCOMPARE(pending->radioError()->kind(), RadioError::Kind::rejected);
        QCOMPARE(log, (QStringList{"TX " + normalized, "RX " + QString::fromLatin1(unmatched), ignored,
                                   "RX " + QString::fromLatin1(last)}));
    }

    // The first query's timer would fire while the second waits; the second must end by its own.
    void staleTimerDoesNothing() {
        QVERIFY(runTask(connection->query(QStringLiteral("MR001"), 1.0)).succeeded());
        radio->silenceNext(QStringLiteral("MR002"));
        const auto second = runTask(connection->query(QStringLiteral("MR002"), 1.1));
        QCOMPARE(second.radioError()->detail(), QStringLiteral("MR002;"));
    }

    void secondRequestIsBusy_data() {
        QTest::addColumn<bool>("firstIsQuery");
        QTest::addRow("during a query") << true;
        QTest::addRow("during a set") << false;
    }

    void secondRequestIsBusy() {
        QFETCH(bool, firstIsQuery);
        auto first =
            firstIsQuery
                ? startTask(connection->query(QStringLiteral("MR001")))
                : startTask(toQueryLike(connection->set(QStringLiteral("MW001") + payload, shortWait)));
        const auto query = runTask(connection->query(QStringLiteral("MR002")));
        const auto set = runTask(connection->set(QStringLiteral("MW002") + payload));
        QCOMPARE(query.radioError()->kind(), RadioError::Kind::busy);
        QCOMPARE(set.radioError()->kind(), RadioError::Kind::busy);
        QTRY_VERIFY(first->finished);
        QVERIFY(first->succeeded());
        QTRY_COMPARE(radio->received().size(), 1);
    }

    void setSucceedsBySilence() {
        const QString command = QStringLiteral("MW001") + payload + u';';
        QVERIFY(runTask(connection->set(command)).succeeded());
        QTRY_COMPARE(log, (QStringList{"TX " + command, "SET OK " + command}));
        QTRY_COMPARE(radio->channel(1)->payload, payload);
    }

    void setIsRejected() {
        const auto result = runTask(connection->set(QStringLiteral("XX1"), longWait));
        QCOMPARE(result.radioError()->kind(), RadioError::Kind::rejected);
        QCOMPARE(result.radioError()->detail(), QStringLiteral("XX1;"));
        QCOMPARE(log, (QStringList{"TX XX1;", "RX ?;"}));
    }

    // The reply must come inside the window, which then passes.
    void otherLinesDuringASetAreOnlyLogged() {
        QVERIFY(runTask(connection->set(QStringLiteral("MR001"), 1.0)).succeeded());
        QTRY_COMPARE(log, (QStringList{"TX MR001;", "RX MR001" + payload + ";", "SET OK MR001;"}));
    }

    void lineWhileIdleIsOnlyLogged() {
        radio->send("?;");
        QTRY_COMPARE(log, QStringList{"RX ?;"});
        QVERIFY(runTask(connection->query(QStringLiteral("MR001"))).succeeded());
    }

    void writeFailureLeavesTheConnectionIdle() {
        port->closePort();
        const auto result = runTask(connection->query(QStringLiteral("MR001")));
        QCOMPARE(result.radioError()->kind(), RadioError::Kind::notConnected);
        QTRY_COMPARE(log, QStringList{"TX MR001;"});
        const auto again = runTask(connection->set(QStringLiteral("MW001;")));
        QCOMPARE(again.radioError()->kind(), RadioError::Kind::notConnected);
    }

    void semicolonInsideACommandSendsNothing() {
        const auto result = runTask(connection->set(QStringLiteral("MT0011AB;CD        ")));
        QCOMPARE(result.radioError()->kind(), RadioError::Kind::portWriteFailed);
        QCOMPARE(result.radioError()->detail(), QStringLiteral("MT0011AB;CD        ;"));
        QVERIFY(runTask(connection->query(QStringLiteral("MR001"))).succeeded());
        QCOMPARE(radio->received(), QStringList{"MR001;"});
    }

    void hungUpDeviceEndsByTimerWithoutSpinning() {
        radio->silenceNext(QStringLiteral("MR"));
        auto pending = startTask(connection->query(QStringLiteral("MR001"), 0.5));
        QTRY_COMPARE(radio->received(), QStringList{"MR001;"});
        radio->hangUp();
        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = processCpuSeconds();
        QTRY_VERIFY(pending->finished);
        const double cpu = processCpuSeconds() - cpuBefore;
        QCOMPARE(pending->radioError()->kind(), RadioError::Kind::timeout);
        QVERIFY2(cpu < 0.25 * wall.elapsed() / 1000.0, qPrintable(QStringLiteral("CPU %1 s").arg(cpu)));
        QCOMPARE(runTask(connection->query(QStringLiteral("MR001"))).radioError()->kind(),
                 RadioError::Kind::portWriteFailed);
    }

private:
    // Gives a set the shape of a query so both fit one pending slot in the busy test.
    static QCoro::Task<QString> toQueryLike(QCoro::Task<> set) {
        co_await set;
        co_return QString();
    }

    std::unique_ptr<FakeRadio> radio;
    std::shared_ptr<SerialPort> port;
    std::unique_ptr<CATConnection> connection;
    QStringList log;
};

QTEST_GUILESS_MAIN(CATConnectionTest)
#include "tst_catconnection.moc"
