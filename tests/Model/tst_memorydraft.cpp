#include "MemoryRecord.h"
#include "Model/MemoryDraft.h"
#include "Model/RadioError.h"
#include "TestRows.h"
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
        QTest::addRow("leading zeros count") << u"0145500000"_s << false << tooLong;
        QTest::addRow("one zero") << u"0"_s << false << zero;
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
        QTest::addRow("frequency: no digits, not marked empty")
            << ft710 << Fields{{"frequency", "MHz"}}
            << Fields{{"frequency", "0"}, {"isEmpty", true}, {"tag", "DB0XYZ"}};
        // One typed field of an FT-710 draft and its normalised form.
        const QList<std::tuple<const char *, QString, QString, QString>> fields{
            {"mode: lower-case c", "modeCode", "c", "C"},
            {"mode: F", "modeCode", "F", "4"},
            {"mode: 12", "modeCode", "12", "1"},
            {"flags: 1", "flagsRaw", "1", "00001"},
            {"flags: seven digits", "flagsRaw", "1234567", "12345"},
            {"tag: fifteen characters", "tag", " ABCDEFGHIJKLMN", " ABCDEFGHIJK"},
            {"tag: combining accents count once", "tag", u"e\u0301"_s.repeated(7), u"e\u0301"_s.repeated(7)},
            {"frequency: leading zeros", "frequency", "007", "7"},
            {"shift: blanks and sign", "shiftRaw", " -600", "-000600"}};
        for (const auto &[name, key, typed, normalised] : fields)
            QTest::addRow("%s", name) << ft710 << Fields{{key, typed}} << Fields{{key, normalised}};
        // Typed flags and tone code of a draft and the tone kind and code they validate to.
        const QList<std::tuple<const char *, RadioModel, QString, QString, QString, QString>> tones{
            {"tone: mode off drops the code", ft991a, "10000", "012", "", "000"},
            {"tone: mode digit 7 is off", ft991a, "17000", "012", "", "000"},
            {"tone: ctcss enc pads the code", ft991a, "12000", "12", "0", "012"},
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
        addRows({"|+000000|Simplex|", "-000000|+000000|Simplex|", "-600|-000600|-|600", "600|+000600|+|600",
                 " \t\n-600|-000600|-|600", "x-5|+000005|+|5", "-1234567|-123456|-|123456"});
    }
    void shiftTexts() {
        QFETCH(QStringList, row);
        const auto [text, normalised, direction, amount] = fields<4>(row);
        QCOMPARE(MemoryDraft::normalizeShiftRaw(text), normalised);
        QCOMPARE(rawValue(MemoryDraft::shiftDirection(text)), direction);
        QCOMPARE(MemoryDraft::shiftAmount(text), amount);
        QCOMPARE(MemoryDraft::composeShiftRaw(*shiftDirectionOptionFromRawValue(direction), amount),
                 normalised);
        QCOMPARE(MemoryDraft::composeShiftRaw(ShiftDirectionOption::simplex, u"600"_s), u"+000000"_s);
        QCOMPARE(MemoryDraft::composeShiftRaw(ShiftDirectionOption::minus, u"000"_s), u"+000000"_s);
    }

    // Also what an editor shows of a stored frequency.
    void stripLeadingZeros_data() { addRows({"|", "000|0", "00120|120", "00\u0301|0\u0301"}); }
    void stripLeadingZeros() {
        QFETCH(QStringList, row);
        const auto [text, stripped] = fields<2>(row);
        QCOMPARE(MemoryDraft::stripLeadingZeros(text), stripped);
        QCOMPARE(MemoryDraft(memoryRecord(RadioModel::ft710, {{u"frequency"_s, text}})).frequency, stripped);
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
    // places 2 to 5 and keeps the first. Flags | tone/squelch mode | shift | composed.
    void flagsCodecs_data() {
        addRows({"10000|0|Simplex|10000", "|0|Simplex|00000", "2|0|-|00002", "1x1000|1|Simplex|11000",
                 "14003|4|Simplex|14000", "12992|2|-|12002", "130012|3|+|13001"});
    }
    void flagsCodecs() {
        QFETCH(QStringList, row);
        const auto [flags, mode, shift, composed] = fields<4>(row);
        QCOMPARE(code(MemoryDraft::ft991aToneSqlMode(flags)), mode);
        QCOMPARE(rawValue(MemoryDraft::ft991aRepeaterShiftDirection(flags)), shift);
        QCOMPARE(MemoryDraft::composeFT991Flags(flags, *ft991aToneSqlOptionFromCode(mode),
                                                *shiftDirectionOptionFromRawValue(shift)),
                 composed);
    }

    // Shift | flags | tone code | clarifier line | tone line in German | in English. The table
    // follows the mode alone, not the stored kind.
    void draftSummaries_data() {
        addRows({"+000000|10000|008|Clarifier aus|Tonsystem aus|Tonsystem aus",
                 "|11000|008|Clarifier aus|CTCSS + SQL · 88.5 Hz|CTCSS + SQL · 88.5 Hz",
                 "abc|12000|012|Clarifier aus|CTCSS Öffnungston · 100.0 Hz|CTCSS opening tone · 100.0 Hz",
                 "-000120|13000|103|Clarifier -120|DCS + SQL · 754|DCS + SQL · 754",
                 " \t+000120\n|14000|008|Clarifier +120|DCS Öffnungston · 051|DCS opening tone · 051",
                 "+000000|11000|050|Clarifier aus|CTCSS + SQL · 050|CTCSS + SQL · 050"});
    }
    void draftSummaries() {
        QFETCH(QStringList, row);
        const auto [shift, flags, toneCode, clarifier, german, english] = fields<6>(row);
        MemoryDraft draft(u"001"_s, RadioModel::ft991a);
        draft.shiftRaw = shift;
        draft.flagsRaw = flags;
        draft.toneNumberCode = toneCode;
        draft.toneNumberKindRaw = u"0"_s;
        for (const auto &[language, tone] : {std::pair{u"de"_s, german}, std::pair{u"en"_s, english}}) {
            TestSettings::setLanguage(language);
            QCOMPARE(MemoryDraft::ft991ToneSummary(draft), tone);
            QCOMPARE(MemoryDraft::ft991ClarifierSummary(draft), clarifier);
        }
    }

    // Model | frequency | mode | shift | flags | tone code | summary in English | in German, if other.
    void recordSummary_data() {
        addRows(
            {"FT-991A||4|-000600|11002|008|Empty|Leer",
             "FT-710|7100000|2|+000000|10000|000|7.100000 MHz · USB · Simplex",
             "FT-710|7100000|4|+000600|10000|000|7.100000 MHz · FM · +600",
             "FT-710|7100000|1|-000100|11002|008|7.100000 MHz · LSB · -100",
             "FT-991A|7100000|4|-000120|11002|008|7.100000 MHz · FM · - Repeater · CTCSS SQL 88.5 Hz · "
             "Clarifier -120",
             "FT-991A|7100000|4|+000050|14001|008|7.100000 MHz · FM · + Repeater · DCS 051 · Clarifier +50",
             "FT-991A|7100000|4|+000000|13000|008|7.100000 MHz · FM · Simplex · DCS SQL 051",
             "FT-991A|7100000|4|+000000|12001|8|7.100000 MHz · FM · + Repeater · CTCSS 8",
             "FT-710|7100000|x|+000000|10000|000|7.100000 MHz · Mode x · Simplex|7.100000 MHz · Modus x · "
             "Simplex"});
    }
    void recordSummary() {
        QFETCH(QStringList, row);
        const auto [model, frequency, mode, shift, flags, toneCode, english, german] = fields<8>(row);
        const RadioMemory memory =
            memoryRecord(*radioModelFromRawValue(model), {{"frequency", frequency},
                                                          {"modeCode", mode},
                                                          {"shiftRaw", shift},
                                                          {"flagsRaw", flags},
                                                          {"toneNumberCode", toneCode}});
        TestSettings::setLanguage(u"en"_s);
        QCOMPARE(memory.summary(), english);
        TestSettings::setLanguage(u"de"_s);
        QCOMPARE(memory.summary(), german.isEmpty() ? english : german);
        QCOMPARE(memory.compactDetailSummary(), memory.summary());
        QCOMPARE(memory.ft991aToneSummary().isEmpty(), memory.radioModel == RadioModel::ft710);
    }

    // Digits only, in MHz with six decimals exactly as printf's "%.6f", a point whatever the locale;
    // what is no number shows as stored.
    void frequencyInMegahertz_data() {
        addRows({"145500000|145.500000 MHz", "14a074b000|14.074000 MHz", "abc|abc",
                 "6014416479429101917|6014416479429.101562 MHz", "\u0661\u0662|\u0661\u0662"});
    }
    void frequencyInMegahertz() {
        QFETCH(QStringList, row);
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = memoryRecord(RadioModel::ft710, {{u"frequency"_s, row[0]}}).formattedFrequency();
        QLocale::setDefault(saved);
        QCOMPARE(text, row[1]);
    }

    // Every field in order, in the language of the moment.
    void mismatchLinesInOrder_data() {
        addRows(
            {"de|Leerstatus: erwartet belegt, gelesen leer|Frequenz: erwartet 145500000, gelesen 0|Mode: "
             "erwartet 4, gelesen 2|Shift Raw: erwartet -000600, gelesen +000600|Flags Raw: erwartet 01002, "
             "gelesen 01000|Tag: erwartet DB0XYZ, gelesen DB0 XYZ|Ton-Art: erwartet 0, gelesen |Ton-Code: "
             "erwartet 008, gelesen 000|Leerstatus: erwartet leer, gelesen belegt",
             "en|Empty state: expected occupied, read empty|Frequency: expected 145500000, read 0|Mode: "
             "expected 4, read 2|Shift raw: expected -000600, read +000600|Flags raw: expected 01002, read "
             "01000|Tag: expected DB0XYZ, read DB0 XYZ|Tone kind: expected 0, read |Tone code: expected 008, "
             "read 000|Empty state: expected empty, read occupied"});
    }
    void mismatchLinesInOrder() {
        QFETCH(QStringList, row);
        TestSettings::setLanguage(row.takeFirst());
        const RadioMemory read = memoryRecord(RadioModel::ft991a, {{"frequency", ""},
                                                                   {"shiftRaw", "+000600"},
                                                                   {"modeCode", "2"},
                                                                   {"flagsRaw", "01000"},
                                                                   {"toneNumberKindRaw", ""},
                                                                   {"toneNumberCode", "000"},
                                                                   {"tag", " DB0 XYZ "},
                                                                   {"isEmpty", true}});
        QCOMPARE(read.verificationMismatches(memoryRecord(RadioModel::ft991a)), row.first(8));
        QCOMPARE(memoryRecord(RadioModel::ft991a).verificationMismatches(read).first(), row.last());
    }

    // Frequencies compare normalised and tags trimmed of blanks; raw fields to the character; the
    // tone fields only where either side is an FT-991A channel. Field | expected model and value |
    // read model and value | line.
    void mismatchOfOneField_data() {
        addRows({"tag|FT-991A|DB0XYZ|FT-991A|DB0XYZ|", "frequency|FT-710|145500000|FT-710|000145500000|",
                 "tag|FT-710|DB0XYZ|FT-710| DB0XYZ  |", "tag|FT-710|Caf\u00E9|FT-710|Cafe\u0301|",
                 "tag|FT-710|DB0XYZ|FT-710|DB0XYZ\n|Tag: expected DB0XYZ, read DB0XYZ\n",
                 "modeCode|FT-710|C|FT-710|c|Mode: expected C, read c",
                 "toneNumberCode|FT-710|008|FT-710|023|",
                 "toneNumberCode|FT-991A|008|FT-710|023|Tone code: expected 008, read 023",
                 "toneNumberKindRaw|FT-710|0|FT-991A|1|Tone kind: expected 0, read 1"});
    }
    void mismatchOfOneField() {
        QFETCH(QStringList, row);
        const auto [field, expectedModel, expected, readModel, read, line] = fields<6>(row);
        TestSettings::setLanguage(u"en"_s);
        const RadioMemory written = memoryRecord(*radioModelFromRawValue(expectedModel), {{field, expected}});
        const RadioMemory readBack = memoryRecord(*radioModelFromRawValue(readModel), {{field, read}});
        QCOMPARE(readBack.verificationMismatches(written),
                 line.isEmpty() ? QStringList() : QStringList{line});
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(MemoryDraftTest)
#include "tst_memorydraft.moc"
