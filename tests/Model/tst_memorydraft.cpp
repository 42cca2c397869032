#include "Model/MemoryDraft.h"
#include "Model/RadioError.h"
#include "ModelTesting.h"
#include "TestSettings.h"

#include <QTest>

namespace {

std::optional<RadioError> validationError(const MemoryDraft &subject) {
    try {
        subject.validated();
    } catch (const RadioError &error) {
        return error;
    }
    return std::nullopt;
}

// A draft of `memory` with the fields named by their JSON keys typed in.
MemoryDraft typedDraft(const RadioMemory &memory, const QJsonObject &fields) {
    MemoryDraft result(memory);
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
            result.isEmpty = field.value().toBool();
        else
            result.*texts.value(field.key()) = field.value().toString();
    }
    return result;
}

} // namespace

// The editor's working copy: validation, its normalisers and the raw-field codecs.
class MemoryDraftTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    // --- validation

    // The message is chosen when validating; the prefix follows the language in force at reading.
    void validationFailures_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<bool>("isEmpty");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        const QString tooLongDe = u"Frequenz darf höchstens 9 Ziffern haben."_s;
        const QString tooLongEn = u"Frequency may contain at most 9 digits."_s;
        const QString zeroDe = u"Frequenz 0 ist ungültig."_s;
        const QString zeroEn = u"Frequency 0 is invalid."_s;
        QTest::addRow("ten digits") << u"1455000000"_s << false << tooLongDe << tooLongEn;
        QTest::addRow("ten digits, marked empty") << u"1234567890"_s << true << tooLongDe << tooLongEn;
        QTest::addRow("leading zeros count") << u"0145500000"_s << false << tooLongDe << tooLongEn;
        QTest::addRow("one zero") << u"0"_s << false << zeroDe << zeroEn;
        QTest::addRow("nine zeros") << u"000000000"_s << false << zeroDe << zeroEn;
        QTest::addRow("zeros, marked empty") << u"00"_s << true << zeroDe << zeroEn;
    }
    void validationFailures() {
        QFETCH(QString, frequency);
        QFETCH(bool, isEmpty);
        QFETCH(QString, german);
        QFETCH(QString, english);
        const MemoryDraft subject =
            typedDraft(channel(RadioModel::ft710), {{u"frequency"_s, frequency}, {u"isEmpty"_s, isEmpty}});
        setLanguage(u"en"_s);
        const std::optional<RadioError> madeInEnglish = validationError(subject);
        setLanguage(u"de"_s);
        const std::optional<RadioError> madeInGerman = validationError(subject);
        QVERIFY(madeInEnglish && madeInGerman);
        QCOMPARE(madeInGerman->kind(), RadioError::Kind::invalidMemory);
        QCOMPARE(madeInGerman->errorDescription(), u"Ungültiger Speicherinhalt: "_s + german);
        setLanguage(u"en"_s);
        QCOMPARE(madeInEnglish->errorDescription(), u"Invalid memory content: "_s + english);
        QCOMPARE(madeInGerman->errorDescription(), u"Invalid memory content: "_s + german);
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
            << ft991a
            << Fields{{u"frequency"_s, u"abc"_s}, {u"isEmpty"_s, true},        {u"shiftRaw"_s, u"-123"_s},
                      {u"modeCode"_s, u"B"_s},    {u"flagsRaw"_s, u"13002"_s}, {u"toneNumberCode"_s, u"7"_s}}
            << RadioMemory::empty(u"001"_s, ft991a).toJson();
        QTest::addRow("frequency: separators")
            << ft710 << Fields{{u"frequency"_s, u"145.500.000"_s}}
            << Fields{{u"frequency"_s, u"145500000"_s}, {u"isEmpty"_s, false}};
        QTest::addRow("frequency: marked empty with digits")
            << ft710 << Fields{{u"frequency"_s, u"7100000"_s}, {u"isEmpty"_s, true}}
            << Fields{{u"frequency"_s, u"7100000"_s}, {u"isEmpty"_s, false}};
        QTest::addRow("frequency: no digits, not marked empty")
            << ft710 << Fields{{u"frequency"_s, u"MHz"_s}}
            << Fields{{u"frequency"_s, u"0"_s}, {u"isEmpty"_s, true}, {u"tag"_s, u"DB0XYZ"_s}};
        // One typed field of an FT-710 draft and its normalised form.
        const auto field = [](const char *name, const QString &key, const QString &typed,
                              const QString &normalised) {
            QTest::addRow("%s", name)
                << RadioModel::ft710 << Fields{{key, typed}} << Fields{{key, normalised}};
        };
        field("mode: lower-case c", u"modeCode"_s, u"c"_s, u"C"_s);
        field("mode: usb", u"modeCode"_s, u"usb"_s, u"B"_s);
        field("mode: F", u"modeCode"_s, u"F"_s, u"4"_s);
        field("mode: empty", u"modeCode"_s, QString(), u"4"_s);
        field("mode: 12", u"modeCode"_s, u"12"_s, u"1"_s);
        field("flags: 1", u"flagsRaw"_s, u"1"_s, u"00001"_s);
        field("flags: seven digits", u"flagsRaw"_s, u"1234567"_s, u"12345"_s);
        field("flags: separators", u"flagsRaw"_s, u"1-2-3"_s, u"00123"_s);
        field("flags: empty", u"flagsRaw"_s, QString(), u"00000"_s);
        field("tag: fifteen characters", u"tag"_s, u" ABCDEFGHIJKLMN"_s, u" ABCDEFGHIJK"_s);
        field("tag: blanks stay", u"tag"_s, u" A "_s, u" A "_s);
        field("tag: combining accents count once", u"tag"_s, u"e\u0301"_s.repeated(7),
              u"e\u0301"_s.repeated(7));
        field("frequency: leading zeros", u"frequency"_s, u"007"_s, u"7"_s);
        field("frequency: non-ASCII zero is no zero", u"frequency"_s, u"\u0660"_s, u"\u0660"_s);
        // Typed flags and tone code of a draft and the tone kind and code they validate to.
        const auto tone = [](const char *name, RadioModel model, const QString &flags, const QString &code,
                             const QString &kind, const QString &normalisedCode) {
            QTest::addRow("%s", name)
                << model << Fields{{u"flagsRaw"_s, flags}, {u"toneNumberCode"_s, code}}
                << Fields{{u"toneNumberKindRaw"_s, kind}, {u"toneNumberCode"_s, normalisedCode}};
        };
        tone("tone: mode off drops the code", ft991a, u"10000"_s, u"012"_s, QString(), u"000"_s);
        tone("tone: typed 2 is 00002, mode off", ft991a, u"2"_s, u"012"_s, QString(), u"000"_s);
        tone("tone: mode digit 7 is off", ft991a, u"17000"_s, u"012"_s, QString(), u"000"_s);
        tone("tone: ctcss enc pads the code", ft991a, u"12000"_s, u"12"_s, u"0"_s, u"012"_s);
        tone("tone: code cut to three digits", ft991a, u"01000"_s, u"01234"_s, u"0"_s, u"012"_s);
        tone("tone: dcs with letters only", ft991a, u"13000"_s, u"abc"_s, u"1"_s, u"000"_s);
        tone("tone: FT-710 keeps none", ft710, u"13000"_s, u"012"_s, QString(), u"000"_s);
    }
    void validatedFields() {
        QFETCH(RadioModel, model);
        QFETCH(QJsonObject, typed);
        QFETCH(QJsonObject, expected);
        const QJsonObject validated = typedDraft(channel(model), typed).validated().toJson();
        for (auto field = expected.begin(); field != expected.end(); ++field)
            QCOMPARE(validated.value(field.key()).toVariant(), field.value().toVariant());
    }

    // Reading a shift text for writing and for the editors; composing what was read normalises it.
    void shiftTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normalised");
        QTest::addColumn<ShiftDirectionOption>("direction");
        QTest::addColumn<QString>("amount");
        using enum ShiftDirectionOption;
        QTest::addRow("empty") << QString() << u"+000000"_s << simplex << QString();
        QTest::addRow("all blank") << u"   "_s << u"+000000"_s << simplex << QString();
        QTest::addRow("letters only") << u"-abc"_s << u"+000000"_s << simplex << QString();
        QTest::addRow("-0") << u"-0"_s << u"+000000"_s << simplex << QString();
        QTest::addRow("zero amount with minus") << u"-000000"_s << u"+000000"_s << simplex << QString();
        QTest::addRow("-600") << u"-600"_s << u"-000600"_s << minus << u"600"_s;
        QTest::addRow("+600") << u"+600"_s << u"+000600"_s << plus << u"600"_s;
        QTest::addRow("no sign is plus") << u"600"_s << u"+000600"_s << plus << u"600"_s;
        QTest::addRow("blanks before the sign") << u" \t\n-600"_s << u"-000600"_s << minus << u"600"_s;
        QTest::addRow("minus after another character") << u"x-5"_s << u"+000005"_s << plus << u"5"_s;
        QTest::addRow("seventh digit dropped") << u"-1234567"_s << u"-123456"_s << minus << u"123456"_s;
        QTest::addRow("other characters skipped") << u"+0006.25"_s << u"+000625"_s << plus << u"625"_s;
    }
    void shiftTexts() {
        QFETCH(QString, text);
        QFETCH(QString, normalised);
        QFETCH(ShiftDirectionOption, direction);
        QFETCH(QString, amount);
        QCOMPARE(MemoryDraft::normalizeShiftRaw(text), normalised);
        QCOMPARE(MemoryDraft::shiftDirection(text), direction);
        QCOMPARE(MemoryDraft::shiftAmount(text), amount);
        QCOMPARE(MemoryDraft::composeShiftRaw(direction, amount), normalised);
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
        QCOMPARE(MemoryDraft::displayFrequency(text), expected);
    }

    // --- drafts and channels

    void draftFromChannel() {
        const RadioMemory memory = channel(RadioModel::ft991a, {{u"frequency"_s, u"007100000"_s}});
        const MemoryDraft subject(memory);
        QCOMPARE(subject.frequency, u"7100000"_s);
        QCOMPARE(subject.shiftRaw, memory.shiftRaw);
        QCOMPARE(subject.toneNumberKindRaw, memory.toneNumberKindRaw);
        QVERIFY(MemoryDraft(u"009"_s, RadioModel::ft710) ==
                MemoryDraft(RadioMemory::empty(u"009"_s, RadioModel::ft710)));
    }

    // A draft differs exactly when validating it would change the stored channel; so an unedited
    // draft differs from a channel it cannot reproduce, and one edited in the tone kind alone not.
    void differs_data() {
        QTest::addColumn<QJsonObject>("stored");
        QTest::addColumn<QJsonObject>("edit");
        QTest::addColumn<bool>("expected");
        QTest::addRow("unedited") << QJsonObject{} << QJsonObject{} << false;
        QTest::addRow("tag edited") << QJsonObject{} << QJsonObject{{u"tag"_s, u"Other"_s}} << true;
        QTest::addRow("tone kind edited")
            << QJsonObject{} << QJsonObject{{u"toneNumberKindRaw"_s, u"1"_s}} << false;
        QTest::addRow("stored frequency with leading zeros")
            << QJsonObject{{u"frequency"_s, u"007100000"_s}} << QJsonObject{} << true;
        QTest::addRow("stored tag longer than 12")
            << QJsonObject{{u"tag"_s, u"ABCDEFGHIJKLM"_s}} << QJsonObject{} << true;
    }
    void differs() {
        QFETCH(QJsonObject, stored);
        QFETCH(QJsonObject, edit);
        QFETCH(bool, expected);
        const RadioMemory memory = channel(RadioModel::ft991a, stored);
        const MemoryDraft subject = typedDraft(memory, edit);
        QCOMPARE(subject.differs(memory), expected);
        QCOMPARE(subject == MemoryDraft(memory), edit.isEmpty());
        QVERIFY(subject.differs(std::nullopt));
        QVERIFY(typedDraft(memory, {{u"frequency"_s, u"0"_s}}).differs(memory));
    }

    // --- shift codecs

    void shiftComposing_data() {
        QTest::addColumn<ShiftDirectionOption>("direction");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("shiftRaw");
        using enum ShiftDirectionOption;
        QTest::addRow("simplex ignores the amount") << simplex << u"600"_s << u"+000000"_s;
        QTest::addRow("plus with empty amount") << plus << QString() << u"+000000"_s;
        QTest::addRow("minus with zeros") << minus << u"000"_s << u"+000000"_s;
        QTest::addRow("seven digits keep six") << plus << u"1234567"_s << u"+123456"_s;
    }
    void shiftComposing() {
        QFETCH(ShiftDirectionOption, direction);
        QFETCH(QString, amount);
        QFETCH(QString, shiftRaw);
        QCOMPARE(MemoryDraft::composeShiftRaw(direction, amount), shiftRaw);
        QCOMPARE(MemoryDraft::composeShiftRaw(MemoryDraft::shiftDirection(shiftRaw),
                                              MemoryDraft::shiftAmount(shiftRaw)),
                 shiftRaw);
    }

    // --- flags codecs: numeric characters first, then positions 2 and 5

    void flagsDecoding_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<FT991AToneSqlOption>("mode");
        QTest::addColumn<ShiftDirectionOption>("shift");
        using enum FT991AToneSqlOption;
        using enum ShiftDirectionOption;
        QTest::addRow("10000") << u"10000"_s << off << simplex;
        QTest::addRow("no mode code in place 2") << u"15000"_s << off << simplex;
        QTest::addRow("empty") << QString() << off << simplex;
        QTest::addRow("1 is 00001") << u"1"_s << off << plus;
        QTest::addRow("2 is 00002") << u"2"_s << off << minus;
        QTest::addRow("letter dropped first") << u"1x1000"_s << ctcssEncDec << simplex;
        QTest::addRow("1a100 differs from the record's reading") << u"1a100"_s << ctcssEncDec << simplex;
        QTest::addRow("place 5 holds 3") << u"14003"_s << dcsEnc << simplex;
        QTest::addRow("only five digits count") << u"130012"_s << dcsEncDec << plus;
    }
    void flagsDecoding() {
        QFETCH(QString, flags);
        QFETCH(FT991AToneSqlOption, mode);
        QFETCH(ShiftDirectionOption, shift);
        QCOMPARE(MemoryDraft::ft991aToneSqlMode(flags), mode);
        QCOMPARE(MemoryDraft::ft991aRepeaterShiftDirection(flags), shift);
    }

    void flagsComposing_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<FT991AToneSqlOption>("mode");
        QTest::addColumn<ShiftDirectionOption>("shift");
        QTest::addColumn<QString>("flags");
        using enum FT991AToneSqlOption;
        using enum ShiftDirectionOption;
        QTest::addRow("places 3 and 4 rewritten") << u"11992"_s << ctcssEnc << plus << u"12001"_s;
        QTest::addRow("empty existing") << QString() << dcsEnc << minus << u"04002"_s;
        QTest::addRow("short existing") << u"1"_s << off << simplex << u"00000"_s;
    }
    void flagsComposing() {
        QFETCH(QString, existing);
        QFETCH(FT991AToneSqlOption, mode);
        QFETCH(ShiftDirectionOption, shift);
        QFETCH(QString, flags);
        const QString composed = MemoryDraft::composeFT991Flags(existing, mode, shift);
        QCOMPARE(composed, flags);
        QCOMPARE(MemoryDraft::ft991aToneSqlMode(composed), mode);
        QCOMPARE(MemoryDraft::ft991aRepeaterShiftDirection(composed), shift);
    }

    // --- the FT-991A tone and clarifier lines of a draft

    void ft991Summaries_data() {
        QTest::addColumn<QString>("shiftRaw");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("toneCode");
        QTest::addColumn<QString>("clarifier");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        QTest::addRow("off") << u"+000000"_s << u"10000"_s << u"008"_s << u"Clarifier aus"_s
                             << u"Tonsystem aus"_s << u"Tonsystem aus"_s;
        QTest::addRow("ctcss enc/dec") << QString() << u"11000"_s << u"008"_s << u"Clarifier aus"_s
                                       << u"CTCSS + SQL · 88.5 Hz"_s << u"CTCSS + SQL · 88.5 Hz"_s;
        QTest::addRow("ctcss enc") << u"abc"_s << u"12000"_s << u"012"_s << u"Clarifier aus"_s
                                   << u"CTCSS Öffnungston · 100.0 Hz"_s << u"CTCSS opening tone · 100.0 Hz"_s;
        QTest::addRow("dcs enc/dec") << u"-000120"_s << u"13000"_s << u"103"_s << u"Clarifier -120"_s
                                     << u"DCS + SQL · 754"_s << u"DCS + SQL · 754"_s;
        QTest::addRow("dcs enc") << u" \t+000120\n"_s << u"14000"_s << u"008"_s << u"Clarifier +120"_s
                                 << u"DCS Öffnungston · 051"_s << u"DCS opening tone · 051"_s;
        QTest::addRow("unpadded code shown as typed")
            << u"+000000"_s << u"11000"_s << u"8"_s << u"Clarifier aus"_s << u"CTCSS + SQL · 8"_s
            << u"CTCSS + SQL · 8"_s;
        QTest::addRow("code beyond the ctcss table")
            << u"+000000"_s << u"11000"_s << u"050"_s << u"Clarifier aus"_s << u"CTCSS + SQL · 050"_s
            << u"CTCSS + SQL · 050"_s;
    }
    void ft991Summaries() {
        QFETCH(QString, shiftRaw);
        QFETCH(QString, flags);
        QFETCH(QString, toneCode);
        QFETCH(QString, clarifier);
        QFETCH(QString, german);
        QFETCH(QString, english);
        MemoryDraft subject(u"001"_s, RadioModel::ft991a);
        subject.shiftRaw = shiftRaw;
        subject.flagsRaw = flags;
        subject.toneNumberCode = toneCode;
        // The table follows the mode alone, not the stored kind.
        subject.toneNumberKindRaw = u"0"_s;
        for (const auto &[language, tone] : {std::pair{u"de"_s, german}, std::pair{u"en"_s, english}}) {
            setLanguage(language);
            QCOMPARE(MemoryDraft::ft991ToneSummary(subject), tone);
            QCOMPARE(MemoryDraft::ft991ClarifierSummary(subject), clarifier);
        }
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(MemoryDraftTest)
#include "tst_memorydraft.moc"
