#include "FakeRadioLink.h"
#include "TaskResult.h"
#include "TestWaits.h"

#include "Localization/L.h"
#include "Model/RadioError.h"
#include "RadioLink/CancellationError.h"

#include <QTest>

namespace {

using LinkTiming::Waits;
using TestWaits::longWait;
using TestWaits::shortWait;
using WaitChange = std::function<void(Waits &)>;
using Kind = RadioError::Kind;

constexpr auto ft710 = RadioModel::ft710;
constexpr auto ft991a = RadioModel::ft991a;
const QString ft710Payload = QStringLiteral("014074000+000000210000");
const QString emptyMessage = QStringLiteral("Leerer Speicher kann nicht ohne Frequenz geschrieben werden.");
const QString unsendable =
    QStringLiteral("Das Feld „%1“ enthält ein Zeichen, das nicht an das Funkgerät gesendet "
                   "werden kann (erlaubt sind nur druckbare ASCII-Zeichen außer „;“).");

QString ft991aPayload(const QString &toneMode) {
    return "145500000+0000004" + ("0" + toneMode) + "000";
}

RadioMemory memory(RadioModel model, const QString &slot, const QString &frequency, const QString &modeCode,
                   const QString &flagsRaw, const QString &tag, const QStringList &tone = {"", "000"}) {
    RadioMemory memory = RadioMemory::empty(slot, model);
    memory.frequency = frequency;
    memory.modeCode = modeCode;
    memory.flagsRaw = flagsRaw;
    memory.tag = tag;
    memory.toneNumberKindRaw = tone[0];
    memory.toneNumberCode = tone[1];
    memory.isEmpty = false;
    return memory;
}

// What channel 7 reads as, and what is written to channel 7 (FT-710) or 5 (FT-991A).
RadioMemory read710(const QString &tag) {
    return memory(ft710, "007", "014074000", "2", "10000", tag);
}
RadioMemory read991(const QString &toneMode, const QString &tag, const QStringList &tone = {"", "000"}) {
    return memory(ft991a, "007", "145500000", "4", "0" + toneMode + "000", tag, tone);
}
RadioMemory write710(const QString &frequency, const QString &tag) {
    RadioMemory written = memory(ft710, "007", frequency, "2", "10000", tag);
    written.shiftRaw = QStringLiteral("-000600");
    return written;
}
RadioMemory write991(const QString &modeCode, const QString &flagsRaw, const QString &toneCode = "000") {
    return memory(ft991a, "005", "145500000", modeCode, flagsRaw, "ABC", {"", toneCode});
}

// An FT-991A write of slot 5: select, memory write, long tag write, tone number.
QStringList wire991(const QString &payload, const QString &toneCommand = {}) {
    QStringList commands{"MC005;", "MW005" + payload + ";", "MT005" + payload + "0ABC         ;"};
    if (!toneCommand.isEmpty())
        commands << toneCommand + ";";
    return commands;
}

const WaitChange unchanged = [](Waits &) {};
const WaitChange longSelect = [](Waits &waits) { waits.ft991aSelectWindow = longWait; };

// One channel read: the radio's channel 7, what it rejects or leaves unanswered, the waits the
// case needs apart from the defaults of TestWaits, and the outcome.
struct ReadCase {
    RadioModel model;
    FakeRadio::Channel channel;
    QString rejected;
    QString silenced;
    WaitChange waits = unchanged;
    QStringList wire;
    RadioMemory expected = {};
    std::optional<Kind> error = {};
    QString detail = {};
};

struct WriteCase {
    RadioModel model;
    RadioMemory memory;
    QString rejected;
    WaitChange waits = unchanged;
    QStringList wire;
    std::optional<Kind> error = {};
    QString detail = {};
};

} // namespace

class RadioServicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        L::setPreferredLanguagesSource([] { return QStringList{QStringLiteral("de")}; });
    }

    void cleanup() { link.reset(); }

    // clang-format off
    void reads_data() {
        QTest::addColumn<ReadCase>("c");
        const FakeRadio::Channel ft710Channel{.payload = ft710Payload + "0extra", .tag = " Repeater "};
        const auto ft991aChannel = [](const QString &toneMode, const QString &dcsNumber = "023") {
            return FakeRadio::Channel{ft991aPayload(toneMode), " Relais DB0 ", "012", dcsNumber};
        };
        const QStringList mr710{"MR007;", "MT007;"};
        const QStringList mr991{"MC007;", "MR007;", "MT007;"};
        const RadioMemory empty710 = RadioMemory::empty("007", ft710);
        const RadioMemory empty991 = RadioMemory::empty("007", ft991a);
        const QString shortReply = "MR007" + ft710Payload.chopped(1) + ";";
        const QString tag = "Relais DB0";
        const WaitChange shortTagRead710 = [](Waits &w) { w.ft710TagReadTimeout = shortWait; };
        const WaitChange shortTagRead991 = [](Waits &w) { w.ft991aTagReadTimeout = shortWait; };

        QTest::addRow("FT-710: extra payload ignored, tag trimmed")
            << ReadCase{ft710, ft710Channel, {}, {}, unchanged, mr710, read710("Repeater")};
        QTest::addRow("FT-710: memory read rejected")
            << ReadCase{ft710, ft710Channel, "MR", {}, unchanged, {"MR007;"}, empty710};
        QTest::addRow("FT-710: tag read rejected")
            << ReadCase{ft710, ft710Channel, "MT", {}, unchanged, mr710, read710("")};
        QTest::addRow("FT-710: payload of 21 characters")
            << ReadCase{ft710, {shortReply.sliced(5).chopped(1)}, {}, {}, unchanged, {"MR007;"}, {},
                        Kind::invalidResponse, shortReply};
        QTest::addRow("FT-710: tag read time-out fails the read")
            << ReadCase{ft710, ft710Channel, {}, "MT", shortTagRead710, mr710, {}, Kind::timeout, "MT007;"};
        QTest::addRow("FT-991A: tone off")
            << ReadCase{ft991a, ft991aChannel("0"), {}, {}, unchanged, mr991, read991("0", tag)};
        QTest::addRow("FT-991A: CTCSS")
            << ReadCase{ft991a, ft991aChannel("2"), {}, {}, unchanged, mr991 + QStringList{"CN00;"},
                        read991("2", tag, {"0", "012"})};
        QTest::addRow("FT-991A: DCS")
            << ReadCase{ft991a, ft991aChannel("3"), {}, {}, unchanged, mr991 + QStringList{"CN01;"},
                        read991("3", tag, {"1", "023"})};
        QTest::addRow("FT-991A: unknown tone mode")
            << ReadCase{ft991a, ft991aChannel("7"), {}, {}, unchanged, mr991, read991("7", tag)};
        QTest::addRow("FT-991A: tone read rejected, dropped")
            << ReadCase{ft991a, ft991aChannel("1"), "CN", {}, unchanged, mr991 + QStringList{"CN00;"},
                        read991("1", tag)};
        QTest::addRow("FT-991A: tone number too short, dropped")
            << ReadCase{ft991a, ft991aChannel("4", "12"), {}, {}, unchanged, mr991 + QStringList{"CN01;"},
                        read991("4", tag)};
        QTest::addRow("FT-991A: tag read rejected")
            << ReadCase{ft991a, ft991aChannel("0"), "MT", {}, unchanged, mr991, read991("0", "")};
        QTest::addRow("FT-991A: select rejected")
            << ReadCase{ft991a, ft991aChannel("1"), "MC", {}, longSelect, {"MC007;"}, empty991};
        QTest::addRow("FT-991A: memory read rejected")
            << ReadCase{ft991a, ft991aChannel("1"), "MR", {}, unchanged, mr991.first(2), empty991};
        QTest::addRow("FT-991A: tag read time-out fails the read")
            << ReadCase{ft991a, ft991aChannel("0"), {}, "MT", shortTagRead991, mr991, {}, Kind::timeout, "MT007;"};
    }
    // clang-format on

    void reads() {
        QFETCH(ReadCase, c);
        TestWaits::use(c.waits);
        open(c.model);
        QCOMPARE(link->service->memoryRange(),
                 (c.model == ft710 ? ChannelRange{1, 99} : ChannelRange{1, 117}));
        link->radio.setChannel(7, c.channel);
        if (!c.rejected.isEmpty())
            link->radio.rejectNext(c.rejected);
        if (!c.silenced.isEmpty())
            link->radio.silenceNext(c.silenced);
        const auto result = runTask(link->service->readMemory(7));
        if (c.error) {
            QCOMPARE(result.radioError()->kind(), *c.error);
            QCOMPARE(result.radioError()->detail(), c.detail);
        } else {
            QCOMPARE(result.value(), c.expected);
        }
        QTRY_COMPARE(link->radio.received(), c.wire);
    }

    // clang-format off
    void writes_data() {
        QTest::addColumn<WriteCase>("c");
        const QString mw710 = QStringLiteral("MW007014074000-000600210000;");
        const QString payload = QStringLiteral("145500000+000000401000");
        const WaitChange longWindow710 = [](Waits &w) { w.rejectionWindow = longWait; };
        const WaitChange longWindow991 = [](Waits &w) { w.ft991aSetWindow = longWait; };
        RadioMemory noFrequency = write991("4", "01000");
        noFrequency.frequency.clear();
        RadioMemory ft710Memory = write991("4", "01000", "012");
        ft710Memory.radioModel = ft710;
        RadioMemory nonAscii = write991("4", "01000");
        nonAscii.tag = QStringLiteral("Zürich");

        QTest::addRow("FT-710: short tag")
            << WriteCase{ft710, write710("14074000", "ABC"), {}, unchanged, {mw710, "MT0071ABC         ;"}};
        QTest::addRow("FT-710: empty tag")
            << WriteCase{ft710, write710("14074000", ""), {}, unchanged, {mw710, "MT0070            ;"}};
        QTest::addRow("FT-710: long tag and ten digits cut")
            << WriteCase{ft710, write710("1440000001", "ABCDEFGHIJKLMNO"), {}, unchanged,
                         {"MW007144000000-000600210000;", "MT0071ABCDEFGHIJKL;"}};
        QTest::addRow("FT-710: no digits as zeros, blank tag present")
            << WriteCase{ft710, write710("abc", " "), {}, unchanged,
                         {"MW007000000000-000600210000;", "MT0071            ;"}};
        QTest::addRow("FT-710: empty frequency, nothing sent")
            << WriteCase{ft710, write710("", ""), {}, unchanged, {}, Kind::invalidMemory, emptyMessage};
        QTest::addRow("FT-710: memory write rejected, no tag write")
            << WriteCase{ft710, write710("14074000", "A"), "MW", longWindow710, {mw710}, Kind::rejected, mw710};
        // A field the port cannot send refuses the whole write before its first byte.
        QTest::addRow("FT-710: non-ASCII tag, nothing sent")
            << WriteCase{ft710, write710("14074000", "Zürich"), {}, unchanged, {}, Kind::invalidMemory,
                         unsendable.arg("Tag")};
        QTest::addRow("FT-710: semicolon in the tag, nothing sent")
            << WriteCase{ft710, write710("14074000", "A;MW001"), {}, unchanged, {}, Kind::invalidMemory,
                         unsendable.arg("Tag")};
        QTest::addRow("FT-991A: lower-case mode upper-cased")
            << WriteCase{ft991a, write991("c", "10000"), {}, unchanged, wire991("145500000+000000C10000")};
        QTest::addRow("FT-991A: mode F gives 4")
            << WriteCase{ft991a, write991("F", "10000"), {}, unchanged, wire991("145500000+000000410000")};
        QTest::addRow("FT-991A: flags reduced to digits")
            << WriteCase{ft991a, write991("4", "1 0 2"), {}, unchanged, wire991("145500000+000000400102")};
        QTest::addRow("FT-991A: CTCSS number padded")
            << WriteCase{ft991a, write991("4", "01000", "7"), {}, unchanged, wire991(payload, "CN00007")};
        QTest::addRow("FT-991A: select rejected, no pause, still written")
            << WriteCase{ft991a, write991("4", "04000", "103"), "MC", longSelect,
                         wire991("145500000+000000404000", "CN01103")};
        QTest::addRow("FT-991A: a memory of another model sends no tone")
            << WriteCase{ft991a, ft710Memory, {}, unchanged, wire991(payload)};
        QTest::addRow("FT-991A: empty frequency, nothing sent")
            << WriteCase{ft991a, noFrequency, {}, unchanged, {}, Kind::invalidMemory, emptyMessage};
        QTest::addRow("FT-991A: memory write rejected, no tag or tone write")
            << WriteCase{ft991a, write991("4", "01000"), "MW", longWindow991, wire991(payload).first(2),
                         Kind::rejected, wire991(payload)[1]};
        QTest::addRow("FT-991A: non-ASCII tag, nothing sent")
            << WriteCase{ft991a, nonAscii, {}, unchanged, {}, Kind::invalidMemory, unsendable.arg("Tag")};
        QTest::addRow("FT-991A: tone number in Arabic-Indic digits, nothing sent")
            << WriteCase{ft991a, write991("4", "01000", "\u0660\u0661\u0662"), {}, unchanged, {},
                         Kind::invalidMemory, unsendable.arg("Ton-Code")};
    }
    // clang-format on

    // The token is cancelled: a write, once begun, is not stopped.
    void writes() {
        QFETCH(WriteCase, c);
        TestWaits::use(c.waits);
        open(c.model);
        link->radio.setChannel(5, {.payload = ft991aPayload("0")});
        if (!c.rejected.isEmpty())
            link->radio.rejectNext(c.rejected);
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

    // Lower bounds that hold however late a thread runs: the memory read cannot reach the radio
    // before the select's window and the 150 ms pause have passed since the read began, nor the
    // tag read before the 60 ms pause has passed since the radio received the memory read.
    void ft991aPausesComeInTheirOrder() {
        TestWaits::use([](Waits &waits) {
            waits.ft991aSelectPause = Waits().ft991aSelectPause;
            waits.ft991aTagReadPause = Waits().ft991aTagReadPause;
        });
        open(ft991a);
        link->radio.setChannel(7, {.payload = ft991aPayload("0")});
        const auto start = std::chrono::steady_clock::now();
        QVERIFY(runTask(link->service->readMemory(7)).succeeded());
        const auto times = link->radio.receivedTimes();
        QCOMPARE(times.size(), 3);
        const auto atLeast = [](auto from, auto to, double seconds) {
            return std::chrono::duration<double>(to - from).count() >= seconds - 0.001;
        };
        QVERIFY(atLeast(start, times[1], shortWait + 0.150));
        QVERIFY(atLeast(times[1], times[2], 0.060));
    }

    // Input that arrives during the select (here the radio's own bytes after "MC") is dropped
    // before the memory read, so it cannot become the head of its reply.
    void ft991aDropsStaleInputBeforeTheMemoryRead() {
        TestWaits::use([](Waits &waits) { waits.ft991aSelectPause = 0.5; });
        open(ft991a);
        link->radio.setChannel(7, {.payload = ft991aPayload("0")});
        link->radio.noiseBeforeNext(QStringLiteral("MC"), "X;MR007garbage");
        QCOMPARE(runTask(link->service->readMemory(7)).value().frequency, QStringLiteral("145500000"));
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
    void open(RadioModel model) {
        link = std::make_unique<FakeRadioLink>(model);
        QCOMPARE(link->service->model(), model);
    }

    std::unique_ptr<FakeRadioLink> link;
};

QTEST_GUILESS_MAIN(RadioServicesTest)
#include "tst_radioservices.moc"
