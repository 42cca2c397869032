#include "FakeRadioLink.h"
#include "TaskResult.h"
#include "TestWaits.h"

#include "Model/RadioError.h"
#include "RadioLink/FT710RadioService.h"

#include <QTest>

namespace {

const QString payload = QStringLiteral("014074000+000000210000");

RadioMemory memoryWith(const QString &frequency, const QString &tag) {
    RadioMemory memory = RadioMemory::empty(QStringLiteral("007"), RadioModel::ft710);
    memory.frequency = frequency;
    memory.shiftRaw = QStringLiteral("-000600");
    memory.modeCode = QStringLiteral("2");
    memory.flagsRaw = QStringLiteral("10000");
    memory.tag = tag;
    memory.isEmpty = false;
    return memory;
}

} // namespace

class FT710ServiceTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TestWaits::use();
        link = std::make_unique<FakeRadioLink>(RadioModel::ft710);
        service = std::make_unique<FT710RadioService>(link->connection);
    }

    void cleanup() {
        service.reset();
        link.reset();
    }

    void reportsModelAndRange() {
        QCOMPARE(service->model(), RadioModel::ft710);
        QCOMPARE(service->memoryRange(), (ChannelRange{1, 99}));
    }

    void readsMemoryAndTag() {
        link->radio.setChannel(
            7, {.payload = payload + QStringLiteral("0extra"), .tag = QStringLiteral(" Repeater ")});
        const RadioMemory memory = runTask(service->readMemory(7)).value();
        QCOMPARE(link->radio.received(), (QStringList{"MR007;", "MT007;"}));
        QCOMPARE(memory.slot, QStringLiteral("007"));
        QCOMPARE(memory.radioModel, RadioModel::ft710);
        QCOMPARE(memory.frequency, QStringLiteral("014074000"));
        QCOMPARE(memory.shiftRaw, QStringLiteral("+000000"));
        QCOMPARE(memory.modeCode, QStringLiteral("2"));
        QCOMPARE(memory.flagsRaw, QStringLiteral("10000"));
        QCOMPARE(memory.tag, QStringLiteral("Repeater"));
        QVERIFY(!memory.isEmpty);
    }

    void rejectedMemoryReadIsAnEmptyChannel() {
        const RadioMemory memory = runTask(service->readMemory(12)).value();
        QCOMPARE(memory, RadioMemory::empty(QStringLiteral("012"), RadioModel::ft710));
        QCOMPARE(link->radio.received(), QStringList{"MR012;"});
    }

    void rejectedTagReadLeavesTheTagEmpty() {
        link->radio.setChannel(7, {.payload = payload, .tag = QStringLiteral("DX")});
        link->radio.rejectNext(QStringLiteral("MT"));
        const RadioMemory memory = runTask(service->readMemory(7)).value();
        QCOMPARE(memory.tag, QString());
        QCOMPARE(memory.frequency, QStringLiteral("014074000"));
    }

    void readFails_data() {
        QTest::addColumn<QString>("storedPayload");
        QTest::addColumn<QString>("silenced");
        QTest::addColumn<RadioError::Kind>("kind");
        QTest::addColumn<QString>("detail");
        QTest::addRow("payload of 21 characters")
            << payload.chopped(1) << QString() << RadioError::Kind::invalidResponse
            << "MR007" + payload.chopped(1) + ";";
        QTest::addRow("memory read times out") << payload << "MR" << RadioError::Kind::timeout << "MR007;";
        QTest::addRow("tag read times out") << payload << "MT" << RadioError::Kind::timeout << "MT007;";
    }

    void readFails() {
        QFETCH(QString, storedPayload);
        QFETCH(QString, silenced);
        QFETCH(RadioError::Kind, kind);
        QFETCH(QString, detail);
        link->radio.setChannel(7, {.payload = storedPayload, .tag = {}});
        if (!silenced.isEmpty()) {
            link->radio.silenceNext(silenced);
            TestWaits::use([&](LinkTiming::Waits &waits) {
                (silenced == u"MR" ? waits.queryTimeout : waits.ft710TagReadTimeout) = TestWaits::shortWait;
            });
        }
        const auto result = runTask(service->readMemory(7));
        QVERIFY(result.radioError());
        QCOMPARE(result.radioError()->kind(), kind);
        QCOMPARE(result.radioError()->detail(), detail);
    }

    void writesTheWireFormat_data() {
        QTest::addColumn<RadioMemory>("memory");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("short tag") << memoryWith("14074000", "ABC")
                                   << QStringList{"MW007014074000-000600210000;", "MT0071ABC         ;"};
        QTest::addRow("empty tag") << memoryWith("14074000", "")
                                   << QStringList{"MW007014074000-000600210000;", "MT0070            ;"};
        QTest::addRow("long tag cut") << memoryWith("14074000", "ABCDEFGHIJKLMNO")
                                      << QStringList{"MW007014074000-000600210000;", "MT0071ABCDEFGHIJKL;"};
        QTest::addRow("ten digits keep the first nine")
            << memoryWith("1440000001", "")
            << QStringList{"MW007144000000-000600210000;", "MT0070            ;"};
        QTest::addRow("letters among the digits")
            << memoryWith("14a07b4", "")
            << QStringList{"MW007000014074-000600210000;", "MT0070            ;"};
        QTest::addRow("frequency without digits")
            << memoryWith("abc", "") << QStringList{"MW007000000000-000600210000;", "MT0070            ;"};
    }

    void writesTheWireFormat() {
        QFETCH(RadioMemory, memory);
        QFETCH(QStringList, expected);
        QVERIFY(runTask(service->writeMemory(memory)).succeeded());
        QTRY_COMPARE(link->radio.received(), expected);
    }

    void writeFails_data() {
        QTest::addColumn<RadioMemory>("memory");
        QTest::addColumn<QString>("rejected");
        QTest::addColumn<RadioError::Kind>("kind");
        QTest::addColumn<QStringList>("sent");
        QTest::addRow("empty frequency")
            << memoryWith("", "") << QString() << RadioError::Kind::invalidMemory << QStringList{};
        QTest::addRow("memory write rejected")
            << memoryWith("14074000", "A") << "MW" << RadioError::Kind::rejected
            << QStringList{"MW007014074000-000600210000;"};
        QTest::addRow("non-ASCII tag")
            << memoryWith("14074000", "Zürich") << QString() << RadioError::Kind::portWriteFailed
            << QStringList{"MW007014074000-000600210000;"};
        QTest::addRow("semicolon in the tag")
            << memoryWith("14074000", "A;MW001") << QString() << RadioError::Kind::portWriteFailed
            << QStringList{"MW007014074000-000600210000;"};
    }

    void writeFails() {
        QFETCH(RadioMemory, memory);
        QFETCH(QString, rejected);
        QFETCH(RadioError::Kind, kind);
        QFETCH(QStringList, sent);
        if (!rejected.isEmpty()) {
            link->radio.rejectNext(rejected);
            TestWaits::use([](LinkTiming::Waits &waits) { waits.rejectionWindow = TestWaits::longWait; });
        }
        const auto result = runTask(service->writeMemory(memory));
        QVERIFY(result.radioError());
        QCOMPARE(result.radioError()->kind(), kind);
        QTRY_COMPARE(link->radio.received(), sent);
    }

    void emptyFrequencyMessage() {
        const auto result = runTask(service->writeMemory(memoryWith("", "")));
        QCOMPARE(result.radioError()->detail(),
                 QStringLiteral("Leerer Speicher kann nicht ohne Frequenz geschrieben werden."));
    }

    void writtenChannelReadsBack() {
        const RadioMemory written = memoryWith("145500000", "Relais");
        QVERIFY(runTask(service->writeMemory(written)).succeeded());
        const RadioMemory read = runTask(service->readMemory(7)).value();
        QCOMPARE(read.verificationMismatches(written), QStringList());
    }

private:
    std::unique_ptr<FakeRadioLink> link;
    std::unique_ptr<FT710RadioService> service;
};

QTEST_GUILESS_MAIN(FT710ServiceTest)
#include "tst_ft710service.moc"
