#include "FakeRadio.h"

#include "Model/RadioError.h"
#include "RadioLink/SerialPort.h"

#include <QTest>
#include <termios.h>

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
            << QList<QByteArray>{"ID0800;PS1;"} << QStringList{"ID0800;", "PS1;"};
        QTest::addRow("lone semicolon") << QList<QByteArray>{";"} << QStringList{";"};
        QTest::addRow("line breaks stay at the head")
            << QList<QByteArray>{"\r\nID0800;"} << QStringList{"\r\nID0800;"};
        QTest::addRow("frame with a high byte dropped")
            << QList<QByteArray>{"A\xB0;", "ID0800;"} << QStringList{"ID0800;"};
        QTest::addRow("rejection") << QList<QByteArray>{"?;"} << QStringList{"?;"};
    }

    void framesRepliesAtSemicolons() {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QStringList, expected);
        openWithCallback(SerialPortConfiguration::ft710(38400));
        for (const QByteArray &chunk : chunks)
            radio->send(chunk);
        QTRY_COMPARE(lines, expected);
    }

    void configuresTheLine_data() {
        QTest::addColumn<SerialPortConfiguration>("configuration");
        QTest::addColumn<speed_t>("speed");
        QTest::addColumn<tcflag_t>("dataBits");
        QTest::addColumn<bool>("twoStopBits");
        QTest::addColumn<bool>("flowControl");
        QTest::addRow("FT-710 preset")
            << SerialPortConfiguration::ft710(38400) << speed_t(B38400) << tcflag_t(CS8) << false << false;
        QTest::addRow("FT-991A preset")
            << SerialPortConfiguration::ft991a(4800) << speed_t(B4800) << tcflag_t(CS8) << true << true;
        QTest::addRow("115200") << SerialPortConfiguration::ft710(115200) << speed_t(B115200) << tcflag_t(CS8)
                                << false << false;
        QTest::addRow("unknown rate opens at 38400")
            << SerialPortConfiguration::ft710(1200) << speed_t(B38400) << tcflag_t(CS8) << false << false;
        QTest::addRow("nine data bits count as eight, three stop bits as one")
            << SerialPortConfiguration{19200, 9, 3, false, false} << speed_t(B19200) << tcflag_t(CS8) << false
            << false;
    }

    void configuresTheLine() {
        QFETCH(SerialPortConfiguration, configuration);
        QFETCH(speed_t, speed);
        QFETCH(tcflag_t, dataBits);
        QFETCH(bool, twoStopBits);
        QFETCH(bool, flowControl);
        port->openPort(configuration);
        termios settings{};
        QCOMPARE(tcgetattr(port->fileDescriptor(), &settings), 0);
        QCOMPARE(cfgetospeed(&settings), speed);
        QCOMPARE(settings.c_cflag & CSIZE, dataBits);
        QCOMPARE(bool(settings.c_cflag & CSTOPB), twoStopBits);
        QCOMPARE(bool(settings.c_cflag & CRTSCTS), flowControl);
        QCOMPARE(settings.c_iflag & (IXON | IXOFF | IXANY), tcflag_t(0));
        QCOMPARE(port->baudRate(), configuration.baudRate);
    }

    void failedOpenThrowsWithThePath() {
        SerialPort missing(QStringLiteral("/nonexistent/tty"));
        try {
            missing.openPort(38400);
            QFAIL("opened a missing device");
        } catch (const RadioError &error) {
            QCOMPARE(error.kind(), RadioError::Kind::portOpenFailed);
            QCOMPARE(error.detail(), QStringLiteral("/nonexistent/tty"));
        }
        QVERIFY(!missing.isOpen());
    }

    void failedReopenLeavesThePortClosed() {
        port->openPort(38400);
        radio.reset(); // the device disappears
        QVERIFY_THROWS_EXCEPTION(RadioError, port->openPort(38400));
        QVERIFY(!port->isOpen());
        QCOMPARE(port->fileDescriptor(), -1);
    }

    void writeOnClosedPortFails() {
        QVERIFY_THROWS_EXCEPTION(RadioError, port->write(QStringLiteral("ID;")));
        try {
            port->write(QStringLiteral("ID;"));
        } catch (const RadioError &error) {
            QCOMPARE(error.kind(), RadioError::Kind::notConnected);
        }
    }

    void refusesUnsafeCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addRow("semicolon inside a tag") << QStringLiteral("MT0011AB;CD      ;");
        QTest::addRow("non-ASCII") << QStringLiteral("MT0011ÄBC         ;");
        QTest::addRow("line feed") << QStringLiteral("MT0011AB\nC       ;");
        QTest::addRow("carriage return") << QStringLiteral("MT001\r;");
        QTest::addRow("delete") << QStringLiteral("MT001\x7f;");
        QTest::addRow("NUL") << QString(QChar(0)) + QStringLiteral("ID;");
    }

    void refusesUnsafeCommands() {
        QFETCH(QString, command);
        port->openPort(38400);
        try {
            port->write(command);
            QFAIL("wrote an unsafe command");
        } catch (const RadioError &error) {
            QCOMPARE(error.kind(), RadioError::Kind::portWriteFailed);
            QCOMPARE(error.detail(), command);
        }
        port->write(QStringLiteral("ID;"));
        QTRY_COMPARE(radio->received(), QStringList{"ID;"});
    }

    void writesPrintableCommandsUnchanged() {
        port->openPort(38400);
        port->write(QStringLiteral("MT0011A b-/*     ;"));
        QTRY_COMPARE(radio->received(), QStringList{"MT0011A b-/*     ;"});
    }

    void flushDropsPartialReply() {
        openWithCallback(SerialPortConfiguration::ft710(38400));
        port->flushInputBuffer();
        radio->send("X;MR00");
        QTRY_COMPARE(lines, QStringList{"X;"});
        port->flushInputBuffer();
        radio->send("1;");
        QTRY_COMPARE(lines, (QStringList{"X;", "1;"}));
    }

    void flushOnClosedPortDoesNothing() { port->flushInputBuffer(); }

    void closeIsIdempotent() {
        openWithCallback(SerialPortConfiguration::ft710(38400));
        port->closePort();
        QVERIFY(!port->isOpen());
        QCOMPARE(port->fileDescriptor(), -1);
        port->closePort();
        QVERIFY(!port->isOpen());
    }

    void reopenClosesFirst() {
        openWithCallback(SerialPortConfiguration::ft710(38400));
        port->openPort(SerialPortConfiguration::ft991a(9600));
        QVERIFY(port->isOpen());
        QCOMPARE(port->baudRate(), 9600);
        radio->send("ID0800;");
        QTRY_COMPARE(lines, QStringList{"ID0800;"});
    }

    void hungUpDeviceNeitherHangsFlushNorClose() {
        openWithCallback(SerialPortConfiguration::ft710(38400));
        radio->hangUp();
        port->flushInputBuffer();
        QVERIFY_THROWS_EXCEPTION(RadioError, port->write(QStringLiteral("ID;")));
        QVERIFY(port->isOpen());
        port->closePort();
        QVERIFY(!port->isOpen());
    }

private:
    void openWithCallback(const SerialPortConfiguration &configuration) {
        port->openPort(configuration);
        port->setOnCommand([this](const QString &line) { lines << line; });
    }

    std::unique_ptr<FakeRadio> radio;
    std::unique_ptr<SerialPort> port;
    QStringList lines;
};

QTEST_GUILESS_MAIN(SerialPortTest)
#include "tst_serialport.moc"
