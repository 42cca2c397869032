#include "FakeRadioLink.h"
#include "MemoryRecord.h"
#include "TaskResult.h"
#include "TestSettings.h"
#include "TestWaits.h"

#include "Model/RadioError.h"
#include "RadioLink/CancellationError.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using LinkTiming::Waits;
using TestWaits::longWait;
using TestWaits::shortWait;
using Kind = RadioError::Kind;

constexpr auto ft710 = RadioModel::ft710;
constexpr auto ft991a = RadioModel::ft991a;

QString ft991aPayload(const QString &toneMode) {
    return "145500000+0000004" + ("0" + toneMode) + "000";
}

// Channel 7 on the radio, what the radio does to one command ("reject MT", "silence MT"), the
// commands it receives, and the outcome: "tag|tone kind|tone code" of what was read, "empty",
// or the detail of the error.
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

// A wait a fault must beat is long, one it makes the service wait out is short.
void useWaitsFor(const QString &fault) {
    TestWaits::use([&fault](Waits &w) {
        if (fault == u"reject MC")
            w.ft991aSelectWindow = longWait;
        if (fault == u"reject MW")
            w.rejectionWindow = w.ft991aSetWindow = longWait;
        if (fault == u"silence MT")
            w.ft710TagReadTimeout = w.ft991aTagReadTimeout = shortWait;
    });
}

void applyFault(FakeRadio &radio, const QString &fault) {
    if (fault.startsWith(u"reject "))
        radio.rejectNext(fault.section(u' ', 1));
    if (fault.startsWith(u"silence "))
        radio.silenceNext(fault.section(u' ', 1));
}

} // namespace

// The memory services of both radios against the fake radio: the commands of a channel read and
// write, what each reply or failure makes of them, and the FT-991A's waits.
class RadioServicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_settings = std::make_unique<TestSettings>();
        TestSettings::setLanguage(u"de"_s);
    }
    void cleanup() { m_link.reset(); }

    void reads_data() {
        QTest::addColumn<ReadCase>("c");
        const auto row = [](const char *name, const ReadCase &c) { QTest::addRow("%s", name) << c; };
        const FakeRadio::Channel ft710Channel{"014074000+000000210000"
                                              "0extra",
                                              " Repeater "};
        const auto channel991 = [](const QString &toneMode, const QString &dcsNumber = "023") {
            return FakeRadio::Channel{ft991aPayload(toneMode), " Relais DB0 ", "012", dcsNumber};
        };
        const QStringList mr710{"MR007;", "MT007;"};
        const QStringList mr991{"MC007;", "MR007;", "MT007;"};
        row("FT-710: extra payload ignored, tag trimmed", {ft710, ft710Channel, {}, mr710, "Repeater||000"});
        row("FT-710: memory read rejected", {ft710, ft710Channel, "reject MR", {"MR007;"}, "empty"});
        row("FT-710: payload of 21 characters", {ft710,
                                                 {"014074000+00000021000"},
                                                 {},
                                                 {"MR007;"},
                                                 "MR007014074000+00000021000;",
                                                 Kind::invalidResponse});
        row("FT-710: tag read time-out fails the read",
            {ft710, ft710Channel, "silence MT", mr710, "MT007;", Kind::timeout});
        row("FT-991A: CTCSS",
            {ft991a, channel991("2"), {}, mr991 + QStringList{"CN00;"}, "Relais DB0|0|012"});
        row("FT-991A: DCS", {ft991a, channel991("3"), {}, mr991 + QStringList{"CN01;"}, "Relais DB0|1|023"});
        row("FT-991A: unknown tone mode", {ft991a, channel991("7"), {}, mr991, "Relais DB0||000"});
        row("FT-991A: tone read rejected, dropped",
            {ft991a, channel991("1"), "reject CN", mr991 + QStringList{"CN00;"}, "Relais DB0||000"});
        row("FT-991A: tone number too short, dropped",
            {ft991a, channel991("4", "12"), {}, mr991 + QStringList{"CN01;"}, "Relais DB0||000"});
        row("FT-991A: tag read rejected", {ft991a, channel991("0"), "reject MT", mr991, "||000"});
        row("FT-991A: select rejected", {ft991a, channel991("1"), "reject MC", {"MC007;"}, "empty"});
        row("FT-991A: tag read time-out fails the read",
            {ft991a, channel991("0"), "silence MT", mr991, "MT007;", Kind::timeout});
    }
    void reads() {
        QFETCH(ReadCase, c);
        useWaitsFor(c.fault);
        open(c.model);
        m_link->radio.setChannel(7, c.channel);
        applyFault(m_link->radio, c.fault);
        const auto result = runTask(m_link->service->readMemory(7));
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
        QTRY_COMPARE(m_link->radio.received(), c.wire);
    }

    // Every command is built and checked before the first goes out; a write, once begun, is not
    // stopped by a cancelled token.
    void writes_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<WriteCase>("c");
        const auto row = [](const char *name, RadioModel model, const WriteCase &c) {
            QTest::addRow("%s", name) << model << c;
        };
        const QString unsendable = "Das Feld „%1“ enthält ein Zeichen, das nicht an das Funkgerät gesendet "
                                   "werden kann (erlaubt sind nur druckbare ASCII-Zeichen außer „;“).";
        const QString noFrequency = "Leerer Speicher kann nicht ohne Frequenz geschrieben werden.";
        const QString mw = "MW001145500000-000600401002;";
        const auto with710 = [](const QJsonObject &fields) { return memoryRecord(ft710, fields); };
        row("FT-710: as stored", ft710, {with710({}), {}, {mw, "MT0011DB0XYZ      ;"}});
        row("FT-710: shift and flags normalised, empty tag", ft710,
            {with710({{"shiftRaw", " -600"}, {"flagsRaw", "1"}, {"tag", ""}}),
             {},
             {"MW001145500000-000600400001;", "MT0010            ;"}});
        row("FT-710: long tag and ten digits cut", ft710,
            {with710({{"frequency", "1440000001"}, {"tag", "ABCDEFGHIJKLMNO"}}),
             {},
             {"MW001144000000-000600401002;", "MT0011ABCDEFGHIJKL;"}});
        row("FT-710: no digits as zeros, blank tag present", ft710,
            {with710({{"frequency", "abc"}, {"tag", " "}}),
             {},
             {"MW001000000000-000600401002;", "MT0011            ;"}});
        row("FT-710: empty frequency, nothing sent", ft710,
            {with710({{"frequency", ""}}), {}, {}, Kind::invalidMemory, noFrequency});
        row("FT-710: memory write rejected, no tag write", ft710,
            {with710({}), "reject MW", {mw}, Kind::rejected, mw});
        row("FT-710: non-ASCII tag, nothing sent", ft710,
            {with710({{"tag", "Zürich"}}), {}, {}, Kind::invalidMemory, unsendable.arg("Tag")});
        // An FT-991A write of slot 1: select, memory write, long tag write, tone number.
        const auto wire991 = [](const QString &payload, const QStringList &tone = {}) {
            return QStringList{"MC001;", "MW001" + payload + ";", "MT001" + payload + "0DB0XYZ      ;"} +
                   tone;
        };
        const auto with991 = [](const QJsonObject &fields) { return memoryRecord(ft991a, fields); };
        row("FT-991A: as stored", ft991a, {with991({}), {}, wire991("145500000-000600401002", {"CN00008;"})});
        row("FT-991A: lower-case mode upper-cased", ft991a,
            {with991({{"modeCode", "c"}, {"flagsRaw", "10000"}}), {}, wire991("145500000-000600C10000")});
        row("FT-991A: mode e is C4FM", ft991a,
            {with991({{"modeCode", "xe"}, {"flagsRaw", "10000"}}), {}, wire991("145500000-000600E10000")});
        row("FT-991A: mode F gives 4", ft991a,
            {with991({{"modeCode", "F"}, {"flagsRaw", "10000"}}), {}, wire991("145500000-000600410000")});
        row("FT-991A: CTCSS number padded", ft991a,
            {with991({{"toneNumberCode", "7"}}), {}, wire991("145500000-000600401002", {"CN00007;"})});
        row("FT-991A: select rejected, no pause, still written", ft991a,
            {with991({{"flagsRaw", "04000"}, {"toneNumberCode", "103"}}), "reject MC",
             wire991("145500000-000600404000", {"CN01103;"})});
        row("FT-991A: a memory of another model sends no tone", ft991a,
            {with710({}), {}, wire991("145500000-000600401002")});
        row("FT-991A: memory write rejected, no tag or tone write", ft991a,
            {with991({}), "reject MW", wire991("145500000-000600401002").first(2), Kind::rejected, mw});
        row("FT-991A: tone number in Arabic-Indic digits, nothing sent", ft991a,
            {with991({{"toneNumberCode", "\u0660\u0661\u0662"}}),
             {},
             {},
             Kind::invalidMemory,
             unsendable.arg("Ton-Code")});
    }
    void writes() {
        QFETCH(RadioModel, model);
        QFETCH(WriteCase, c);
        useWaitsFor(c.fault);
        open(model);
        m_link->radio.setChannel(1, {.payload = ft991aPayload("0")});
        applyFault(m_link->radio, c.fault);
        CancellationToken cancelled;
        cancelled.cancel();
        const auto result = runTask(m_link->service->writeMemory(c.memory, cancelled));
        if (c.error) {
            QCOMPARE(result.radioError()->kind(), *c.error);
            QCOMPARE(result.radioError()->detail(), c.detail);
        } else {
            QVERIFY(result.succeeded());
        }
        QTRY_COMPARE(m_link->radio.received(), c.wire);
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
        m_link->radio.setChannel(7, {.payload = ft991aPayload("0")});
        const auto start = std::chrono::steady_clock::now();
        QVERIFY(runTask(m_link->service->readMemory(7)).succeeded());
        const auto times = m_link->radio.receivedTimes();
        QCOMPARE(times.size(), 3);
        const auto atLeast = [](auto from, auto to, double seconds) {
            return std::chrono::duration<double>(to - from).count() >= seconds - 0.001;
        };
        QVERIFY(atLeast(start, times[1], shortWait + Waits().ft991aSelectPause));
        QVERIFY(atLeast(times[1], times[2], Waits().ft991aTagReadPause));
    }

    // Input that arrives during the select (here the radio's own bytes after "MC") is dropped
    // before the memory read, so it cannot become the head of its reply.
    void ft991aDropsStaleInputBeforeTheMemoryRead() {
        TestWaits::use([](Waits &waits) { waits.ft991aSelectPause = 0.5; });
        open(ft991a);
        m_link->radio.setChannel(7, {.payload = ft991aPayload("0")});
        m_link->radio.noiseBeforeNext(u"MC"_s, "X;MR007garbage");
        QCOMPARE(runTask(m_link->service->readMemory(7)).value().frequency, u"145500000"_s);
    }

    // The select, once sent, ends by its window; the pause then ends at once.
    void ft991aReadEndsOnCancellationInTheSelectPause() {
        TestWaits::use([](Waits &waits) { waits.ft991aSelectPause = longWait; });
        open(ft991a);
        m_link->radio.setChannel(7, {.payload = ft991aPayload("0")});
        CancellationToken token;
        auto reading = startTask(m_link->service->readMemory(7, token));
        QTRY_COMPARE(m_link->radio.received(), QStringList{"MC007;"});
        token.cancel();
        QTRY_VERIFY(reading->errorOf<CancellationError>());
        QCOMPARE(m_link->radio.received(), QStringList{"MC007;"});
    }

private:
    void open(RadioModel model) {
        m_link = std::make_unique<FakeRadioLink>(model);
        QCOMPARE(m_link->service->model(), model);
        QCOMPARE(m_link->service->memoryRange(), memoryRange(model));
    }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<FakeRadioLink> m_link;
};

QTEST_GUILESS_MAIN(RadioServicesTest)
#include "tst_radioservices.moc"
