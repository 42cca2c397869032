#include "FakeRadioLink.h"
#include "TaskResult.h"
#include "TestWaits.h"

#include "Model/RadioError.h"
#include "RadioLink/CancellationError.h"
#include "RadioLink/FT991ARadioService.h"

#include <QTest>

namespace {

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
    void init() {
        TestWaits::use();
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

    // The 150 ms pause follows the select's window, the 60 ms pause the memory read's reply.
    // Only lower bounds that hold however late a thread runs: the memory read cannot reach the
    // radio before the window and the first pause have passed since the read began, and the tag
    // read not before the second pause has passed since the radio received the memory read.
    void pausesComeInTheirOrder() {
        TestWaits::use([](LinkTiming::Waits &waits) {
            waits.ft991aSelectPause = LinkTiming::Waits().ft991aSelectPause;
            waits.ft991aTagReadPause = LinkTiming::Waits().ft991aTagReadPause;
        });
        link->radio.setChannel(7, {.payload = payloadWithToneMode("0"), .tag = {}});
        const auto start = std::chrono::steady_clock::now();
        QVERIFY(runTask(service->readMemory(7)).succeeded());
        const auto times = link->radio.receivedTimes();
        QCOMPARE(times.size(), 3);
        const double timerSlack = 1;
        QVERIFY(millisecondsBetween(start, times[1]) >= (TestWaits::shortWait + 0.150) * 1000 - timerSlack);
        QVERIFY(millisecondsBetween(times[1], times[2]) >= 0.060 * 1000 - timerSlack);
    }

    // Input that arrives during the select (here the radio's own bytes after "MC") is dropped
    // before the memory read, so it cannot become the head of its reply.
    void staleInputIsDroppedBeforeTheMemoryRead() {
        TestWaits::use([](LinkTiming::Waits &waits) { waits.ft991aSelectPause = 0.5; });
        link->radio.setChannel(7, {.payload = payloadWithToneMode("0"), .tag = {}});
        link->radio.noiseBeforeNext(QStringLiteral("MC"), "X;MR007garbage");
        QCOMPARE(runTask(service->readMemory(7)).value().frequency, QStringLiteral("145500000"));
    }

    void rejectedSelectIsAnEmptyChannel() {
        TestWaits::use([](LinkTiming::Waits &waits) { waits.ft991aSelectWindow = TestWaits::longWait; });
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
        if (silent) {
            link->radio.silenceNext(QStringLiteral("CN"));
            TestWaits::use(
                [](LinkTiming::Waits &waits) { waits.ft991aToneReadTimeout = TestWaits::shortWait; });
        }
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
        TestWaits::use([&](LinkTiming::Waits &waits) {
            (silenced == u"MR" ? waits.ft991aMemoryReadTimeout : waits.ft991aTagReadTimeout) =
                TestWaits::shortWait;
        });
        const auto result = runTask(service->readMemory(5));
        QCOMPARE(result.radioError()->kind(), RadioError::Kind::timeout);
        QCOMPARE(result.radioError()->detail(), detail);
    }

    void cancellationEndsTheReadInTheSelectPause_data() {
        QTest::addColumn<bool>("cancelBefore");
        QTest::addRow("cancelled before the read") << true;
        QTest::addRow("cancelled during the pause") << false;
    }

    // The select still goes out and ends by its window; the pause then ends at once.
    void cancellationEndsTheReadInTheSelectPause() {
        QFETCH(bool, cancelBefore);
        TestWaits::use([](LinkTiming::Waits &waits) { waits.ft991aSelectPause = TestWaits::longWait; });
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
        QTRY_COMPARE(link->radio.received(), expected);
    }

    void rejectedSelectStillWrites() {
        TestWaits::use([](LinkTiming::Waits &waits) { waits.ft991aSelectWindow = TestWaits::longWait; });
        QVERIFY(runTask(service->writeMemory(memoryWith("4", "01000", "012"))).succeeded());
        QTRY_COMPARE(
            link->radio.received(),
            (QStringList{"MC005;", "MW005145500000+000000401000;",
                         "MT005145500000+000000401000" + QStringLiteral("0ABC         ;"), "CN00012;"}));
        QTRY_COMPARE(link->radio.channel(5)->tag, QStringLiteral("ABC         "));
    }

    void writeIgnoresCancellation() {
        link->radio.setChannel(5, {.payload = payloadWithToneMode("0"), .tag = {}});
        CancellationToken token;
        token.cancel();
        QVERIFY(runTask(service->writeMemory(memoryWith("4", "10000"), token)).succeeded());
        QTRY_COMPARE(link->radio.received().size(), 3);
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
        if (!rejected.isEmpty()) {
            link->radio.rejectNext(rejected);
            TestWaits::use([](LinkTiming::Waits &waits) { waits.ft991aSetWindow = TestWaits::longWait; });
        }
        const auto result = runTask(service->writeMemory(memory));
        QCOMPARE(result.radioError()->kind(), kind);
        QTRY_COMPARE(link->radio.received(), sent);
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
