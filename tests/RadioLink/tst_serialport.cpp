#include "FakeRadio.h"

#include "Model/RadioError.h"
#include "RadioLink/SerialPort.h"

#include <QSignalSpy>
#include <QTest>

namespace {

template <typename Call> std::optional<RadioError> radioErrorOf(Call call) {
    try {
        call();
    } catch (const RadioError &error) {
        return error;
    }
    return std::nullopt;
}

} // namespace

class SerialPortTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        radio = std::make_unique<FakeRadio>(RadioModel::ft710);
        port = std::make_unique<SerialPort>(radio->devicePath());
        lines.clear();
    }

    void cleanup() {
        port.reset();
        radio.reset();
    }

    void framesRepliesAtSemicolons_data() {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("split reply") << QList<QByteArray>{"MR00", "1abc;"} << QStringList{"MR001abc;"};
        QTest::addRow("reply and the start of the next")
            << QList<QByteArray>{"MT001x;MR0", "01y;"} << QStringList{"MT001x;", "MR001y;"};
        QTest::addRow("two replies in one read")
            << QList<QByteArray>{"ID0800;?;"} << QStringList{"ID0800;", "?;"};
        QTest::addRow("lone semicolon") << QList<QByteArray>{";"} << QStringList{";"};
        QTest::addRow("line breaks stay at the head")
            << QList<QByteArray>{"\r\nID0800;"} << QStringList{"\r\nID0800;"};
        QTest::addRow("frame with a high byte dropped")
            << QList<QByteArray>{"A\xB0;", "ID0800;"} << QStringList{"ID0800;"};
    }

    void framesRepliesAtSemicolons() {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QStringList, expected);
        openWithCallback();
        for (const QByteArray &chunk : chunks)
            radio->send(chunk);
        QTRY_COMPARE(lines, expected);
    }

    void configuresTheLine_data() {
        QTest::addColumn<SerialPortConfiguration>("configuration");
        QTest::addColumn<speed_t>("speed");
        QTest::addRow("FT-710") << SerialPortConfiguration::ft710(38400) << speed_t(B38400);
        QTest::addRow("FT-991A") << SerialPortConfiguration::ft991a(4800) << speed_t(B4800);
        QTest::addRow("unknown rate opens at 38400")
            << SerialPortConfiguration::ft710(1200) << speed_t(B38400);
        QTest::addRow("nine data bits count as eight, three stop bits as one")
            << SerialPortConfiguration{115200, 9, 3, false, false} << speed_t(B115200);
    }

    void configuresTheLine() {
        QFETCH(SerialPortConfiguration, configuration);
        QFETCH(speed_t, speed);
        port->openPort(configuration);
        const termios settings = radio->lineSettings();
        QCOMPARE(cfgetospeed(&settings), speed);
        QCOMPARE(settings.c_cflag & (CSIZE | PARENB), tcflag_t(CS8));
        QCOMPARE(bool(settings.c_cflag & CSTOPB), configuration.stopBits == 2);
        QCOMPARE(bool(settings.c_cflag & CRTSCTS), configuration.hardwareFlowControl);
        QCOMPARE(settings.c_iflag & (IXON | IXOFF | IXANY), tcflag_t(0));
    }

    void failedOpenLeavesThePortClosed_data() {
        QTest::addColumn<bool>("openBefore");
        QTest::addRow("missing device") << false;
        QTest::addRow("device gone when reopened") << true;
    }

    void failedOpenLeavesThePortClosed() {
        QFETCH(bool, openBefore);
        if (openBefore)
            port->openPort({});
        const QString path = radio->devicePath();
        radio.reset();
        const RadioError error = radioErrorOf([this] { port->openPort({}); }).value();
        QCOMPARE(error.kind(), RadioError::Kind::portOpenFailed);
        QCOMPARE(error.detail(), path);
        QCOMPARE(radioErrorOf([this] { port->write(QStringLiteral("ID;")); })->kind(),
                 RadioError::Kind::notConnected);
    }

    // A ";" inside a command (a tag from a file) must never become a second command.
    void refusesUnsafeCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addRow("semicolon inside") << QStringLiteral("MT0011AB;CD      ;");
        QTest::addRow("non-ASCII") << QStringLiteral("MT0011ÄBC         ;");
        QTest::addRow("line feed") << QStringLiteral("MT0011AB\nC       ;");
        QTest::addRow("delete") << QStringLiteral("MT001\x7f;");
    }

    void refusesUnsafeCommands() {
        QFETCH(QString, command);
        port->openPort({});
        const RadioError error = radioErrorOf([&] { port->write(command); }).value();
        QCOMPARE(error.kind(), RadioError::Kind::portWriteFailed);
        QCOMPARE(error.detail(), command);
        port->write(QStringLiteral("MT0011A b-/*     ;"));
        QTRY_COMPARE(radio->received(), QStringList{"MT0011A b-/*     ;"});
    }

    // Input not yet cut into lines is dropped; lines already cut are still delivered.
    void flushDropsPartialReply() {
        openWithCallback();
        radio->send("X;MR00");
        QTRY_COMPARE(lines, QStringList{"X;"});
        port->flushInputBuffer();
        radio->send("1;");
        QTRY_COMPARE(lines, (QStringList{"X;", "1;"}));
    }

    // Input without ";" stops growing past any reply's length: it is dropped, with one report,
    // and the reply that comes next is framed on its own.
    void overlongPartialLineIsDropped() {
        openWithCallback();
        QSignalSpy dropped(port.get(), &SerialPort::overlongLineDropped);
        radio->send(QByteArray(64 * 1024, 'x'));
        QTRY_COMPARE(dropped.count(), 1);
        QTRY_COMPARE(radio->unreadByProgram(), 0);
        radio->send("ID0800;");
        QTRY_COMPARE(lines, QStringList{"ID0800;"});
        QCOMPARE(dropped.count(), 1);
    }

    // Closing twice and flushing a closed port do nothing; writing to it fails.
    void closedPort() {
        openWithCallback();
        port->closePort();
        port->closePort();
        port->flushInputBuffer();
        QCOMPARE(radioErrorOf([this] { port->write(QStringLiteral("ID;")); }).value().kind(),
                 RadioError::Kind::notConnected);
    }

    void reopenClosesFirst() {
        openWithCallback();
        port->openPort(SerialPortConfiguration::ft991a(9600));
        QVERIFY(radio->lineSettings().c_cflag & CSTOPB);
        radio->send("ID0800;");
        QTRY_COMPARE(lines, QStringList{"ID0800;"});
    }

private:
    void openWithCallback() {
        port->openPort({});
        port->setOnCommand([this](const QString &line) { lines << line; });
    }

    std::unique_ptr<FakeRadio> radio;
    std::unique_ptr<SerialPort> port;
    QStringList lines;
};

QTEST_GUILESS_MAIN(SerialPortTest)
#include "tst_serialport.moc"
