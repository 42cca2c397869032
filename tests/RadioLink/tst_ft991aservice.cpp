#include "FakeRadioLink.h"
#include "TaskResult.h"

#include "Model/RadioError.h"
#include "RadioLink/CancellationError.h"
#include "RadioLink/FT991ARadioService.h"

#include <QTest>

namespace {

constexpr double scale = 0.05;

QString payloadWithToneMode(const QString &toneMode) {
    return QStringLiteral("145500000+0000004") + u'0' + toneMode + QStringLiteral("000");
}

double millisecondsBetween(std::chrono::steady_clock::time_point from,
                           std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

RadioMemory memoryWith(const QString &modeCode, const QString &flagsRaw, const QString &toneCode = "000") {
    RadioMemory memory = RadioMemory::empty(QStringLiteral("005"), RadioModel::ft991a);
    memory.frequency = QStringLiteral("145500000");
    memory.shiftRaw = QStringLiteral("+000000");
    memory.modeCode = modeCode;
    memory.flagsRaw = flagsRaw;
    memory.toneNumberCode = toneCode;
    memory.tag = QStringLiteral("ABC");
    memory.isEmpty = false;
    return memory;
}

} // namespace

class FT991AServiceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LinkTiming::setScale(scale); }

    void init() {
        link = std::make_unique<FakeRadioLink>(RadioModel::ft991a);
        service = std::make_unique<FT991ARadioService>(link->connection);
    }

    void cleanup() {
        service.reset();
        link.reset();
    }

    void reportsModelAndRange() {
        QCOMPARE(service->model(), RadioModel::ft991a);
        QCOMPARE(service->memoryRange(), (ChannelRange{1, 117}));
    }

    void readsChannelWithItsToneNumber_data() {
        QTest::addColumn<QString>("toneMode");
        QTest::addColumn<QStringList>("expectedWire");
        QTest::addColumn<QString>("kindRaw");
        QTest::addColumn<QString>("toneCode");
        const QStringList memoryCommands{"MC007;", "MR007;", "MT007;"};
        QTest::addRow("tone off") << "0" << memoryCommands << ""
                                  << "000";
        QTest::addRow("CTCSS encode and decode") << "1" << memoryCommands + QStringList{"CN00;"} << "0"
                                                 << "012";
        QTest::addRow("CTCSS encode") << "2" << memoryCommands + QStringList{"CN00;"} << "0"
                                      << "012";
        QTest::addRow("DCS encode and decode") << "3" << memoryCommands + QStringList{"CN01;"} << "1"
                                               << "023";
        QTest::addRow("DCS encode") << "4" << memoryCommands + QStringList{"CN01;"} << "1"
                                    << "023";
        QTest::addRow("unknown tone mode") << "7" << memoryCommands << ""
                                           << "000";
    }

    void readsChannelWithItsToneNumber() {
        QFETCH(QString, toneMode);
        QFETCH(QStringList, expectedWire);
        QFETCH(QString, kindRaw);
        QFETCH(QString, toneCode);
        link->radio.setChannel(7, {.payload = payloadWithToneMode(toneMode),
                                   .tag = QStringLiteral(" Relais DB0 "),
                                   .ctcssNumber = QStringLiteral("012"),
                                   .dcsNumber = QStringLiteral("023")});
        const RadioMemory memory = runTask(service->readMemory(7)).value();
        QCOMPARE(link->radio.received(), expectedWire);
        QCOMPARE(memory.slot, QStringLiteral("007"));
        QCOMPARE(memory.radioModel, RadioModel::ft991a);
        QCOMPARE(memory.frequency, QStringLiteral("145500000"));
        QCOMPARE(memory.flagsRaw, "0" + toneMode + "000");
        QCOMPARE(memory.tag, QStringLiteral("Relais DB0"));
        QCOMPARE(memory.toneNumberKindRaw, kindRaw);
        QCOMPARE(memory.toneNumberCode, toneCode);
    }

    // The select window and the 150 ms pause come before the memory read, the 60 ms pause
    // before the tag read. Waits at a scale large enough to tell them apart despite a busy
    // machine: swapped pauses would show a gap 45 ms shorter.
    void pausesComeInTheirOrder() {
        constexpr double orderScale = 0.5;
        LinkTiming::setScale(orderScale);
        link->radio.setChannel(7, {.payload = payloadWithToneMode("0"), .tag = {}});
        const bool read = runTask(service->readMemory(7)).succeeded();
        LinkTiming::setScale(scale);
        QVERIFY(read);
        const auto times = link->radio.receivedTimes();
        QCOMPARE(times.size(), 3);
        const double tolerance = 20;
        QVERIFY(millisecondsBetween(times[0], times[1]) >= (0.8 + 0.15) * orderScale * 1000 - tolerance);
        QVERIFY(millisecondsBetween(times[1], times[2]) >= 0.06 * orderScale * 1000 - tolerance);
    }

    void inputLeftFromBeforeIsDropped() {
        link->radio.setChannel(7, {.payload = payloadWithToneMode("0"), .tag = {}});
        link->radio.send("MR007garbage");
        QVERIFY(runTask(service->readMemory(7)).succeeded());
    }

    void rejectedSelectIsAnEmptyChannel() {
        const RadioMemory memory = runTask(service->readMemory(117)).value();
        QCOMPARE(memory, RadioMemory::empty(QStringLiteral("117"), RadioModel::ft991a));
        QCOMPARE(link->radio.received(), QStringList{"MC117;"});
    }

    void rejectedMemoryReadIsAnEmptyChannel() {
        link->radio.setChannel(5, {.payload = payloadWithToneMode("0"), .tag = {}});
        link->radio.rejectNext(QStringLiteral("MR"));
        const RadioMemory memory = runTask(service->readMemory(5)).value();
        QCOMPARE(memory, RadioMemory::empty(QStringLiteral("005"), RadioModel::ft991a));
        QCOMPARE(link->radio.received(), (QStringList{"MC005;", "MR005;"}));
    }

    void rejectedTagReadLeavesTheTagEmpty() {
        link->radio.setChannel(5, {.payload = payloadWithToneMode("0"), .tag = QStringLiteral("DX")});
        link->radio.rejectNext(QStringLiteral("MT"));
        const RadioMemory memory = runTask(service->readMemory(5)).value();
        QCOMPARE(memory.tag, QString());
        QVERIFY(!memory.isEmpty);
    }

    void toneNumberFailuresAreDropped_data() {
        QTest::addColumn<QString>("dcsNumber");
        QTest::addColumn<bool>("silent");
        QTest::addRow("two characters only") << "12" << false;
        QTest::addRow("no reply") << "023" << true;
    }

    void toneNumberFailuresAreDropped() {
        QFETCH(QString, dcsNumber);
        QFETCH(bool, silent);
        link->radio.setChannel(5, {.payload = payloadWithToneMode("3"), .tag = {}, .dcsNumber = dcsNumber});
        if (silent)
            link->radio.silenceNext(QStringLiteral("CN"));
        const auto result = runTask(service->readMemory(5));
        QVERIFY(result.succeeded());
        QCOMPARE(result.value().toneNumberKindRaw, QString());
        QCOMPARE(result.value().toneNumberCode, QStringLiteral("000"));
    }

    void readFails_data() {
        QTest::addColumn<QString>("silenced");
        QTest::addColumn<QString>("detail");
        QTest::addRow("memory read times out") << "MR"
                                               << "MR005;";
        QTest::addRow("tag read times out") << "MT"
                                            << "MT005;";
    }

    void readFails() {
        QFETCH(QString, silenced);
        QFETCH(QString, detail);
        link->radio.setChannel(5, {.payload = payloadWithToneMode("0"), .tag = {}});
        link->radio.silenceNext(silenced);
        const auto result = runTask(service->readMemory(5));
        QCOMPARE(result.radioError()->kind(), RadioError::Kind::timeout);
        QCOMPARE(result.radioError()->detail(), detail);
    }

    void cancellationEndsTheReadInTheSelectPause_data() {
        QTest::addColumn<bool>("cancelBefore");
        QTest::addRow("cancelled before the read") << true;
        QTest::addRow("cancelled while the select is pending") << false;
    }

    void cancellationEndsTheReadInTheSelectPause() {
        QFETCH(bool, cancelBefore);
        link->radio.setChannel(7, {.payload = payloadWithToneMode("0"), .tag = {}});
        CancellationToken token;
        if (cancelBefore)
            token.cancel();
        auto reading = startTask(service->readMemory(7, token));
        QTRY_COMPARE(link->radio.received(), QStringList{"MC007;"});
        token.cancel();
        QTRY_VERIFY(reading->finished);
        QVERIFY(reading->errorOf<CancellationError>());
        QVERIFY(!reading->radioError());
        QCOMPARE(link->radio.received(), QStringList{"MC007;"});
    }

    void writesTheWireFormat_data() {
        QTest::addColumn<RadioMemory>("memory");
        QTest::addColumn<QStringList>("expected");
        const QString tag = QStringLiteral("0ABC         ;");
        QTest::addRow("lower-case mode upper-cased")
            << memoryWith("c", "10000")
            << QStringList{"MC005;", "MW005145500000+000000C10000;", "MT005145500000+000000C10000" + tag};
        QTest::addRow("unknown mode gives 4")
            << memoryWith("x", "10000")
            << QStringList{"MC005;", "MW005145500000+000000410000;", "MT005145500000+000000410000" + tag};
        QTest::addRow("F gives 4") << memoryWith("F", "10000")
                                   << QStringList{"MC005;", "MW005145500000+000000410000;",
                                                  "MT005145500000+000000410000" + tag};
        QTest::addRow("empty mode gives 4")
            << memoryWith("", "10000")
            << QStringList{"MC005;", "MW005145500000+000000410000;", "MT005145500000+000000410000" + tag};
        QTest::addRow("flags reduced to digits")
            << memoryWith("4", "1 0 2")
            << QStringList{"MC005;", "MW005145500000+000000400102;", "MT005145500000+000000400102" + tag};
        QTest::addRow("CTCSS number padded") << memoryWith("4", "01000", "7")
                                             << QStringList{"MC005;", "MW005145500000+000000401000;",
                                                            "MT005145500000+000000401000" + tag, "CN00007;"};
        QTest::addRow("empty CTCSS number") << memoryWith("4", "02000", "")
                                            << QStringList{"MC005;", "MW005145500000+000000402000;",
                                                           "MT005145500000+000000402000" + tag, "CN00000;"};
        QTest::addRow("DCS number") << memoryWith("4", "04000", "103")
                                    << QStringList{"MC005;", "MW005145500000+000000404000;",
                                                   "MT005145500000+000000404000" + tag, "CN01103;"};
        RadioMemory ft710Memory = memoryWith("4", "01000", "012");
        ft710Memory.radioModel = RadioModel::ft710;
        QTest::addRow("a memory of another model sends no tone")
            << ft710Memory
            << QStringList{"MC005;", "MW005145500000+000000401000;", "MT005145500000+000000401000" + tag};
    }

    void writesTheWireFormat() {
        QFETCH(RadioMemory, memory);
        QFETCH(QStringList, expected);
        link->radio.setChannel(5, {.payload = payloadWithToneMode("0"), .tag = {}});
        QVERIFY(runTask(service->writeMemory(memory)).succeeded());
        QCOMPARE(link->radio.received(), expected);
    }

    void rejectedSelectStillWrites() {
        QVERIFY(runTask(service->writeMemory(memoryWith("4", "01000", "012"))).succeeded());
        QCOMPARE(link->radio.received(),
                 (QStringList{"MC005;", "MW005145500000+000000401000;",
                              "MT005145500000+000000401000" + QStringLiteral("0ABC         ;"), "CN00012;"}));
        QCOMPARE(link->radio.channel(5)->tag, QStringLiteral("ABC         "));
    }

    void writeIgnoresCancellation() {
        link->radio.setChannel(5, {.payload = payloadWithToneMode("0"), .tag = {}});
        CancellationToken token;
        token.cancel();
        QVERIFY(runTask(service->writeMemory(memoryWith("4", "10000"), token)).succeeded());
        QCOMPARE(link->radio.received().size(), 3);
    }

    void writeFails_data() {
        QTest::addColumn<RadioMemory>("memory");
        QTest::addColumn<QString>("rejected");
        QTest::addColumn<RadioError::Kind>("kind");
        QTest::addColumn<QStringList>("sent");
        RadioMemory withoutFrequency = memoryWith("4", "01000");
        withoutFrequency.frequency.clear();
        QTest::addRow("empty frequency")
            << withoutFrequency << QString() << RadioError::Kind::invalidMemory << QStringList{};
        QTest::addRow("memory write rejected")
            << memoryWith("4", "01000") << "MW" << RadioError::Kind::rejected
            << QStringList{"MC005;", "MW005145500000+000000401000;"};
        RadioMemory nonAscii = memoryWith("4", "01000");
        nonAscii.tag = QStringLiteral("Zürich");
        QTest::addRow("non-ASCII tag") << nonAscii << QString() << RadioError::Kind::portWriteFailed
                                       << QStringList{"MC005;", "MW005145500000+000000401000;"};
        RadioMemory semicolon = memoryWith("4", "01000");
        semicolon.tag = QStringLiteral("A;MW001");
        QTest::addRow("semicolon in the tag") << semicolon << QString() << RadioError::Kind::portWriteFailed
                                              << QStringList{"MC005;", "MW005145500000+000000401000;"};
    }

    void writeFails() {
        QFETCH(RadioMemory, memory);
        QFETCH(QString, rejected);
        QFETCH(RadioError::Kind, kind);
        QFETCH(QStringList, sent);
        link->radio.setChannel(5, {.payload = payloadWithToneMode("0"), .tag = {}});
        if (!rejected.isEmpty())
            link->radio.rejectNext(rejected);
        const auto result = runTask(service->writeMemory(memory));
        QCOMPARE(result.radioError()->kind(), kind);
        QCOMPARE(link->radio.received(), sent);
    }

    void writtenChannelReadsBack() {
        RadioMemory written = memoryWith("4", "02000", "021");
        written.toneNumberKindRaw = QStringLiteral("0");
        QVERIFY(runTask(service->writeMemory(written)).succeeded());
        const RadioMemory read = runTask(service->readMemory(5)).value();
        QCOMPARE(read.verificationMismatches(written), QStringList());
    }

private:
    std::unique_ptr<FakeRadioLink> link;
    std::unique_ptr<FT991ARadioService> service;
};

QTEST_GUILESS_MAIN(FT991AServiceTest)
#include "tst_ft991aservice.moc"
