#include "MemoryRecord.h"
#include "Model/MemoryDraft.h"
#include "Model/RadioError.h"
#include "TestSettings.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A draft of `memory` with the fields named by their JSON keys typed in.
MemoryDraft typedDraft(const RadioMemory &memory, const QJsonObject &fields) {
    MemoryDraft draft(memory);
    const QHash<QString, QString MemoryDraft::*> texts{
        {u"frequency"_s, &MemoryDraft::frequency},
        {u"shiftRaw"_s, &MemoryDraft::shiftRaw},
        {u"modeCode"_s, &MemoryDraft::modeCode},
        {u"flagsRaw"_s, &MemoryDraft::flagsRaw},
        {u"tag"_s, &MemoryDraft::tag},
        {u"toneNumberCode"_s, &MemoryDraft::toneNumberCode},
        {u"toneNumberKindRaw"_s, &MemoryDraft::toneNumberKindRaw}};
    for (auto field = fields.begin(); field != fields.end(); ++field) {
        if (field.key() == u"isEmpty")
            draft.isEmpty = field.value().toBool();
        else
            draft.*texts.value(field.key()) = field.value().toString();
    }
    return draft;
}

// A record on 7.1 MHz with the given mode, shift, flags and tone code.
RadioMemory onFortyMetres(RadioModel model, const QString &mode, const QString &shift, const QString &flags,
                          const QString &toneCode = u"000"_s) {
    return memoryRecord(model, {{u"frequency"_s, u"7100000"_s},
                                {u"modeCode"_s, mode},
                                {u"shiftRaw"_s, shift},
                                {u"flagsRaw"_s, flags},
                                {u"toneNumberCode"_s, toneCode}});
}

// Text, normalised shift, direction, amount.
using ShiftRow = std::tuple<QString, QString, ShiftDirectionOption, QString>;
// Existing flags, mode, shift, composed flags.
using FlagsRow = std::tuple<QString, FT991AToneSqlOption, ShiftDirectionOption, QString>;
// Shift, flags and tone code of an FT-991A draft; its clarifier line and tone line in German and English.
using DraftSummaryRow = std::tuple<QString, QString, QString, QString, QString, QString>;

} // namespace

// The editor's working copy and the texts made from a channel: validation and its normalisers, the
// raw-field codecs, the summaries and the read-back comparison.
class MemoryDraftTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    // The message is chosen when validating; the prefix follows the language in force at reading.
    void validationFailures_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<bool>("isEmpty");
        QTest::addColumn<QStringList>("message"); // German, English
        const QStringList tooLong{"Frequenz darf höchstens 9 Ziffern haben.",
                                  "Frequency may contain at most 9 digits."};
        const QStringList zero{"Frequenz 0 ist ungültig.", "Frequency 0 is invalid."};
        QTest::addRow("ten digits") << u"1455000000"_s << false << tooLong;
        QTest::addRow("ten digits, marked empty") << u"1234567890"_s << true << tooLong;
        QTest::addRow("leading zeros count") << u"0145500000"_s << false << tooLong;
        QTest::addRow("one zero") << u"0"_s << false << zero;
        QTest::addRow("nine zeros") << u"000000000"_s << false << zero;
        QTest::addRow("zeros, marked empty") << u"00"_s << true << zero;
    }
    void validationFailures() {
        QFETCH(QString, frequency);
        QFETCH(bool, isEmpty);
        QFETCH(QStringList, message);
        const MemoryDraft draft = typedDraft(memoryRecord(RadioModel::ft710),
                                             {{u"frequency"_s, frequency}, {u"isEmpty"_s, isEmpty}});
        QStringList made;
        for (const QString &language : {u"de"_s, u"en"_s}) {
            TestSettings::setLanguage(language);
            try {
                draft.validated();
            } catch (const RadioError &error) {
                QCOMPARE(error.kind(), RadioError::Kind::invalidMemory);
                made << error.detail();
            }
        }
        QCOMPARE(made, message);
    }

    // Every field is normalised; the tone kind follows the mode in the normalised flags.
    void validatedFields_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QJsonObject>("typed");
        QTest::addColumn<QJsonObject>("expected");
        const auto ft710 = RadioModel::ft710;
        const auto ft991a = RadioModel::ft991a;
        using Fields = QJsonObject;
        QTest::addRow("marked empty without digits")
            << ft991a << Fields{{"frequency", "abc"}, {"isEmpty", true},     {"shiftRaw", "-123"},
                                {"modeCode", "B"},    {"flagsRaw", "13002"}, {"toneNumberCode", "7"}}
            << RadioMemory::empty(u"001"_s, ft991a).toJson();
        QTest::addRow("frequency: separators") << ft710 << Fields{{"frequency", "145.500.000"}}
                                               << Fields{{"frequency", "145500000"}, {"isEmpty", false}};
        QTest::addRow("frequency: marked empty with digits")
            << ft710 << Fields{{"frequency", "7100000"}, {"isEmpty", true}}
            << Fields{{"frequency", "7100000"}, {"isEmpty", false}};
        QTest::addRow("frequency: no digits, not marked empty")
            << ft710 << Fields{{"frequency", "MHz"}}
            << Fields{{"frequency", "0"}, {"isEmpty", true}, {"tag", "DB0XYZ"}};
        // One typed field of an FT-710 draft and its normalised form.
        const QList<std::tuple<const char *, QString, QString, QString>> fields{
            {"mode: lower-case c", "modeCode", "c", "C"},
            {"mode: usb", "modeCode", "usb", "B"},
            {"mode: F", "modeCode", "F", "4"},
            {"mode: empty", "modeCode", "", "4"},
            {"mode: 12", "modeCode", "12", "1"},
            {"flags: 1", "flagsRaw", "1", "00001"},
            {"flags: seven digits", "flagsRaw", "1234567", "12345"},
            {"flags: separators", "flagsRaw", "1-2-3", "00123"},
            {"tag: fifteen characters", "tag", " ABCDEFGHIJKLMN", " ABCDEFGHIJK"},
            {"tag: blanks stay", "tag", " A ", " A "},
            {"tag: combining accents count once", "tag", u"e\u0301"_s.repeated(7), u"e\u0301"_s.repeated(7)},
            {"frequency: leading zeros", "frequency", "007", "7"},
            {"frequency: non-ASCII zero is no zero", "frequency", "\u0660", "\u0660"},
            {"shift: blanks and sign", "shiftRaw", " -600", "-000600"}};
        for (const auto &[name, key, typed, normalised] : fields)
            QTest::addRow("%s", name) << ft710 << Fields{{key, typed}} << Fields{{key, normalised}};
        // Typed flags and tone code of a draft and the tone kind and code they validate to.
        const QList<std::tuple<const char *, RadioModel, QString, QString, QString, QString>> tones{
            {"tone: mode off drops the code", ft991a, "10000", "012", "", "000"},
            {"tone: typed 2 is 00002, mode off", ft991a, "2", "012", "", "000"},
            {"tone: mode digit 7 is off", ft991a, "17000", "012", "", "000"},
            {"tone: ctcss enc pads the code", ft991a, "12000", "12", "0", "012"},
            {"tone: code cut to three digits", ft991a, "01000", "01234", "0", "012"},
            {"tone: dcs with letters only", ft991a, "13000", "abc", "1", "000"},
            {"tone: FT-710 keeps none", ft710, "13000", "012", "", "000"}};
        for (const auto &[name, model, flags, code, kind, normalisedCode] : tones)
            QTest::addRow("%s", name)
                << model << Fields{{"flagsRaw", flags}, {"toneNumberCode", code}}
                << Fields{{"toneNumberKindRaw", kind}, {"toneNumberCode", normalisedCode}};
    }
    void validatedFields() {
        QFETCH(RadioModel, model);
        QFETCH(QJsonObject, typed);
        QFETCH(QJsonObject, expected);
        const QJsonObject validated = typedDraft(memoryRecord(model), typed).validated().toJson();
        for (auto field = expected.begin(); field != expected.end(); ++field)
            QCOMPARE(validated.value(field.key()).toVariant(), field.value().toVariant());
    }

    // Reading a shift text for writing and for the editors; composing what was read normalises it.
    void shiftTexts_data() {
        QTest::addColumn<ShiftRow>("row");
        using enum ShiftDirectionOption;
        QTest::addRow("empty") << ShiftRow{"", "+000000", simplex, ""};
        QTest::addRow("all blank") << ShiftRow{"   ", "+000000", simplex, ""};
        QTest::addRow("letters only") << ShiftRow{"-abc", "+000000", simplex, ""};
        QTest::addRow("zero amount with minus") << ShiftRow{"-000000", "+000000", simplex, ""};
        QTest::addRow("-600") << ShiftRow{"-600", "-000600", minus, "600"};
        QTest::addRow("no sign is plus") << ShiftRow{"600", "+000600", plus, "600"};
        QTest::addRow("blanks before the sign") << ShiftRow{" \t\n-600", "-000600", minus, "600"};
        QTest::addRow("minus after another character") << ShiftRow{"x-5", "+000005", plus, "5"};
        QTest::addRow("seventh digit dropped") << ShiftRow{"-1234567", "-123456", minus, "123456"};
        QTest::addRow("other characters skipped") << ShiftRow{"+0006.25", "+000625", plus, "625"};
    }
    void shiftTexts() {
        QFETCH(ShiftRow, row);
        const auto &[text, normalised, direction, amount] = row;
        QCOMPARE(MemoryDraft::normalizeShiftRaw(text), normalised);
        QCOMPARE(MemoryDraft::shiftDirection(text), direction);
        QCOMPARE(MemoryDraft::shiftAmount(text), amount);
        QCOMPARE(MemoryDraft::composeShiftRaw(direction, amount), normalised);
        QCOMPARE(MemoryDraft::composeShiftRaw(ShiftDirectionOption::simplex, u"600"_s), u"+000000"_s);
        QCOMPARE(MemoryDraft::composeShiftRaw(ShiftDirectionOption::minus, u"000"_s), u"+000000"_s);
    }

    void stripLeadingZeros_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("empty") << QString() << QString();
        QTest::addRow("no digits") << u"abc"_s << QString();
        QTest::addRow("000") << u"000"_s << u"0"_s;
        QTest::addRow("00120") << u"00120"_s << u"120"_s;
        QTest::addRow("0 0 7") << u"0 0 7"_s << u"7"_s;
        QTest::addRow("zero with combining mark is no zero") << u"00\u0301"_s << u"0\u0301"_s;
    }
    void stripLeadingZeros() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(MemoryDraft::stripLeadingZeros(text), expected);
        QCOMPARE(MemoryDraft(memoryRecord(RadioModel::ft710, {{u"frequency"_s, text}})).frequency, expected);
    }

    // A draft differs exactly when validating it would change the stored channel; so an unedited
    // draft differs from a channel it cannot reproduce, and one edited in the tone kind alone not.
    void differs_data() {
        QTest::addColumn<QJsonObject>("stored");
        QTest::addColumn<QJsonObject>("edit");
        QTest::addColumn<bool>("expected");
        QTest::addRow("unedited") << QJsonObject{} << QJsonObject{} << false;
        QTest::addRow("tag edited") << QJsonObject{} << QJsonObject{{"tag", "Other"}} << true;
        QTest::addRow("tone kind edited")
            << QJsonObject{} << QJsonObject{{"toneNumberKindRaw", "1"}} << false;
        QTest::addRow("stored frequency with leading zeros")
            << QJsonObject{{"frequency", "007100000"}} << QJsonObject{} << true;
        QTest::addRow("stored tag longer than 12")
            << QJsonObject{{"tag", "ABCDEFGHIJKLM"}} << QJsonObject{} << true;
        QTest::addRow("invalid frequency typed") << QJsonObject{} << QJsonObject{{"frequency", "0"}} << true;
    }
    void differs() {
        QFETCH(QJsonObject, stored);
        QFETCH(QJsonObject, edit);
        QFETCH(bool, expected);
        const RadioMemory memory = memoryRecord(RadioModel::ft991a, stored);
        const MemoryDraft draft = typedDraft(memory, edit);
        QCOMPARE(draft.differs(memory), expected);
        QCOMPARE(draft == MemoryDraft(memory), edit.isEmpty());
        QVERIFY(draft.differs(std::nullopt));
    }

    // The flags codecs read numeric characters first, then places 2 and 5; composing writes
    // places 2 to 5 and keeps the first.
    void flagsCodecs_data() {
        QTest::addColumn<FlagsRow>("row");
        using enum FT991AToneSqlOption;
        using enum ShiftDirectionOption;
        QTest::addRow("10000") << FlagsRow{"10000", off, simplex, "10000"};
        QTest::addRow("no mode code in place 2") << FlagsRow{"15000", off, simplex, "10000"};
        QTest::addRow("empty") << FlagsRow{"", off, simplex, "00000"};
        QTest::addRow("1 is 00001") << FlagsRow{"1", off, plus, "00001"};
        QTest::addRow("2 is 00002") << FlagsRow{"2", off, minus, "00002"};
        QTest::addRow("letter dropped first") << FlagsRow{"1x1000", ctcssEncDec, simplex, "11000"};
        QTest::addRow("place 5 holds 3") << FlagsRow{"14003", dcsEnc, simplex, "14000"};
        QTest::addRow("places 3 and 4 rewritten") << FlagsRow{"12992", ctcssEnc, minus, "12002"};
        QTest::addRow("only five digits count") << FlagsRow{"130012", dcsEncDec, plus, "13001"};
    }
    void flagsCodecs() {
        QFETCH(FlagsRow, row);
        const auto &[flags, mode, shift, composed] = row;
        QCOMPARE(MemoryDraft::ft991aToneSqlMode(flags), mode);
        QCOMPARE(MemoryDraft::ft991aRepeaterShiftDirection(flags), shift);
        QCOMPARE(MemoryDraft::composeFT991Flags(flags, mode, shift), composed);
    }

    // The table follows the mode alone, not the stored kind.
    void draftSummaries_data() {
        QTest::addColumn<DraftSummaryRow>("row");
        using Row = DraftSummaryRow;
        QTest::addRow("off") << Row{"+000000",       "10000",         "008",
                                    "Clarifier aus", "Tonsystem aus", "Tonsystem aus"};
        QTest::addRow("ctcss enc/dec")
            << Row{"", "11000", "008", "Clarifier aus", "CTCSS + SQL · 88.5 Hz", "CTCSS + SQL · 88.5 Hz"};
        QTest::addRow("ctcss enc") << Row{"abc",
                                          "12000",
                                          "012",
                                          "Clarifier aus",
                                          "CTCSS Öffnungston · 100.0 Hz",
                                          "CTCSS opening tone · 100.0 Hz"};
        QTest::addRow("dcs enc/dec") << Row{"-000120",        "13000",           "103",
                                            "Clarifier -120", "DCS + SQL · 754", "DCS + SQL · 754"};
        QTest::addRow("dcs enc") << Row{
            " \t+000120\n",          "14000", "008", "Clarifier +120", "DCS Öffnungston · 051",
            "DCS opening tone · 051"};
        QTest::addRow("unpadded code shown as typed")
            << Row{"+000000", "11000", "8", "Clarifier aus", "CTCSS + SQL · 8", "CTCSS + SQL · 8"};
        QTest::addRow("code beyond the ctcss table")
            << Row{"+000000", "11000", "050", "Clarifier aus", "CTCSS + SQL · 050", "CTCSS + SQL · 050"};
    }
    void draftSummaries() {
        QFETCH(DraftSummaryRow, row);
        const auto &[shiftRaw, flags, toneCode, clarifier, german, english] = row;
        MemoryDraft draft(u"001"_s, RadioModel::ft991a);
        draft.shiftRaw = shiftRaw;
        draft.flagsRaw = flags;
        draft.toneNumberCode = toneCode;
        draft.toneNumberKindRaw = u"0"_s;
        for (const auto &[language, tone] : {std::pair{u"de"_s, german}, std::pair{u"en"_s, english}}) {
            TestSettings::setLanguage(language);
            QCOMPARE(MemoryDraft::ft991ToneSummary(draft), tone);
            QCOMPARE(MemoryDraft::ft991ClarifierSummary(draft), clarifier);
        }
    }

    // After the frequency; an empty German text means the English one.
    void recordSummary_data() {
        QTest::addColumn<RadioMemory>("memory");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        const auto ft710 = RadioModel::ft710;
        const auto ft991a = RadioModel::ft991a;
        QTest::addRow("empty frequency") << memoryRecord(ft991a, {{"frequency", ""}}) << "Empty"
                                         << "Leer";
        QTest::addRow("marked empty with a frequency")
            << withFields(onFortyMetres(ft710, "2", "+000000", "10000"), {{"isEmpty", true}})
            << "USB · Simplex"
            << "";
        QTest::addRow("FT-710 plus shift") << onFortyMetres(ft710, "4", "+000600", "10000") << "FM · +600"
                                           << "";
        QTest::addRow("FT-710 zero amount with minus")
            << onFortyMetres(ft710, "2", "-000000", "10000") << "USB · Simplex"
            << "";
        QTest::addRow("FT-710 ignores tone flags")
            << onFortyMetres(ft710, "1", "-000100", "11002", "008") << "LSB · -100"
            << "";
        QTest::addRow("FT-991A tone and clarifier off")
            << onFortyMetres(ft991a, "4", "+000000", "10000") << "FM · Simplex"
            << "";
        QTest::addRow("FT-991A tone then clarifier") << onFortyMetres(ft991a, "4", "-000120", "11002", "008")
                                                     << "FM · - Repeater · CTCSS SQL 88.5 Hz · Clarifier -120"
                                                     << "";
        QTest::addRow("FT-991A DCS encode, shift from the flags only")
            << onFortyMetres(ft991a, "4", "+000050", "14001", "008")
            << "FM · + Repeater · DCS 051 · Clarifier +50"
            << "";
        QTest::addRow("FT-991A DCS and CTCSS encode-only differ")
            << onFortyMetres(ft991a, "4", "+000000", "13000", "008") << "FM · Simplex · DCS SQL 051"
            << "";
        QTest::addRow("FT-991A unknown tone code shown as stored")
            << onFortyMetres(ft991a, "4", "+000000", "12001", "8") << "FM · + Repeater · CTCSS 8"
            << "";
        QTest::addRow("unknown mode") << onFortyMetres(ft710, "x", "+000000", "10000") << "Mode x · Simplex"
                                      << "Modus x · Simplex";
        QTest::addRow("lower-case mode letter") << onFortyMetres(ft710, "c", "", "") << "DATA-USB · Simplex"
                                                << "";
    }
    void recordSummary() {
        QFETCH(RadioMemory, memory);
        QFETCH(QString, english);
        QFETCH(QString, german);
        const QString frequency = memory.frequency.isEmpty() ? QString() : u"7.100000 MHz · "_s;
        TestSettings::setLanguage(u"en"_s);
        QCOMPARE(memory.summary(), frequency + english);
        TestSettings::setLanguage(u"de"_s);
        QCOMPARE(memory.summary(), frequency + (german.isEmpty() ? english : german));
        QCOMPARE(memory.ft991aToneSummary().isEmpty(), memory.radioModel == RadioModel::ft710);
    }

    // Digits only, in MHz with six decimals exactly as printf's "%.6f", a point whatever the locale.
    void frequencyInMegahertz_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("shown");
        QTest::addRow("ordinary") << u"145500000"_s << u"145.500000 MHz"_s;
        QTest::addRow("one digit") << u"1"_s << u"0.000001 MHz"_s;
        QTest::addRow("letters among the digits") << u"14a074b000"_s << u"14.074000 MHz"_s;
        QTest::addRow("no digits shown as stored") << u"abc"_s << u"abc"_s;
        QTest::addRow("exact tie rounds to even")
            << u"6014416479429101917"_s << u"6014416479429.101562 MHz"_s;
        QTest::addRow("beyond 64 bits shown as stored")
            << u"99999999999999999999"_s << u"99999999999999999999"_s;
        QTest::addRow("other numerals shown as stored") << u"\u0661\u0662"_s << u"\u0661\u0662"_s;
    }
    void frequencyInMegahertz() {
        QFETCH(QString, frequency);
        QFETCH(QString, shown);
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text =
            memoryRecord(RadioModel::ft710, {{u"frequency"_s, frequency}}).formattedFrequency();
        QLocale::setDefault(saved);
        QCOMPARE(text, shown);
    }

    // Every field in order, in the language of the moment.
    void mismatchLinesInOrder_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("German") << u"de"_s
                                << QStringList{"Leerstatus: erwartet belegt, gelesen leer",
                                               "Frequenz: erwartet 145500000, gelesen 0",
                                               "Mode: erwartet 4, gelesen 2",
                                               "Shift Raw: erwartet -000600, gelesen +000600",
                                               "Flags Raw: erwartet 01002, gelesen 01000",
                                               "Tag: erwartet DB0XYZ, gelesen DB0 XYZ",
                                               "Ton-Art: erwartet 0, gelesen ",
                                               "Ton-Code: erwartet 008, gelesen 000"};
        QTest::addRow("English") << u"en"_s
                                 << QStringList{"Empty state: expected occupied, read empty",
                                                "Frequency: expected 145500000, read 0",
                                                "Mode: expected 4, read 2",
                                                "Shift raw: expected -000600, read +000600",
                                                "Flags raw: expected 01002, read 01000",
                                                "Tag: expected DB0XYZ, read DB0 XYZ",
                                                "Tone kind: expected 0, read ",
                                                "Tone code: expected 008, read 000"};
    }
    void mismatchLinesInOrder() {
        QFETCH(QString, language);
        QFETCH(QStringList, lines);
        TestSettings::setLanguage(language);
        const RadioMemory read = memoryRecord(RadioModel::ft991a, {{"frequency", ""},
                                                                   {"shiftRaw", "+000600"},
                                                                   {"modeCode", "2"},
                                                                   {"flagsRaw", "01000"},
                                                                   {"toneNumberKindRaw", ""},
                                                                   {"toneNumberCode", "000"},
                                                                   {"tag", " DB0 XYZ "},
                                                                   {"isEmpty", true}});
        QCOMPARE(read.verificationMismatches(memoryRecord(RadioModel::ft991a)), lines);
        QCOMPARE(memoryRecord(RadioModel::ft991a).verificationMismatches(read).first(),
                 language == u"de" ? u"Leerstatus: erwartet leer, gelesen belegt"_s
                                   : u"Empty state: expected empty, read occupied"_s);
    }

    // Frequencies compare normalised and tags trimmed of blanks; raw fields to the character; the
    // tone fields only where either side is an FT-991A channel.
    void mismatchOfOneField_data() {
        QTest::addColumn<RadioMemory>("expected");
        QTest::addColumn<RadioMemory>("read");
        QTest::addColumn<QStringList>("lines");
        const auto ft710 = RadioModel::ft710;
        const auto ft991a = RadioModel::ft991a;
        QTest::addRow("equal") << memoryRecord(ft991a) << memoryRecord(ft991a) << QStringList();
        QTest::addRow("leading zeros")
            << memoryRecord(ft710) << memoryRecord(ft710, {{"frequency", "000145500000"}}) << QStringList();
        QTest::addRow("empty and zero") << memoryRecord(ft710, {{"frequency", ""}})
                                        << memoryRecord(ft710, {{"frequency", "0"}}) << QStringList();
        QTest::addRow("blanks around the tag")
            << memoryRecord(ft710) << memoryRecord(ft710, {{"tag", " DB0XYZ  "}}) << QStringList();
        QTest::addRow("tab before the tag")
            << memoryRecord(ft710, {{"tag", "\tDB0XYZ"}}) << memoryRecord(ft710) << QStringList();
        QTest::addRow("tag in decomposed form")
            << memoryRecord(ft710, {{"tag", "Caf\u00E9"}}) << memoryRecord(ft710, {{"tag", "Cafe\u0301"}})
            << QStringList();
        QTest::addRow("line break in tag stays")
            << memoryRecord(ft710) << memoryRecord(ft710, {{"tag", "DB0XYZ\n"}})
            << QStringList{"Tag: expected DB0XYZ, read DB0XYZ\n"};
        QTest::addRow("mode case") << memoryRecord(ft710, {{"modeCode", "C"}})
                                   << memoryRecord(ft710, {{"modeCode", "c"}})
                                   << QStringList{"Mode: expected C, read c"};
        QTest::addRow("tone code, FT-710 with FT-710")
            << memoryRecord(ft710) << memoryRecord(ft710, {{"toneNumberCode", "023"}}) << QStringList();
        QTest::addRow("tone code, FT-991A expected")
            << memoryRecord(ft991a) << memoryRecord(ft710, {{"toneNumberCode", "023"}})
            << QStringList{"Tone code: expected 008, read 023"};
        QTest::addRow("tone kind, FT-991A read")
            << memoryRecord(ft710) << memoryRecord(ft991a, {{"toneNumberKindRaw", "1"}})
            << QStringList{"Tone kind: expected 0, read 1"};
    }
    void mismatchOfOneField() {
        QFETCH(RadioMemory, expected);
        QFETCH(RadioMemory, read);
        QFETCH(QStringList, lines);
        TestSettings::setLanguage(u"en"_s);
        QCOMPARE(read.verificationMismatches(expected), lines);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(MemoryDraftTest)
#include "tst_memorydraft.moc"
