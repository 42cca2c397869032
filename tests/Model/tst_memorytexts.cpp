#include "ModelTesting.h"
#include "TestSettings.h"

#include <QTest>

namespace {

RadioMemory summarised(RadioModel model, const QString &frequency, const QString &mode,
                       const QString &shiftRaw, const QString &flags, const QString &toneCode = u"000"_s) {
    return channel(model, {{u"frequency"_s, frequency},
                           {u"modeCode"_s, mode},
                           {u"shiftRaw"_s, shiftRaw},
                           {u"flagsRaw"_s, flags},
                           {u"toneNumberCode"_s, toneCode}});
}

// The channel as written in the verification tests.
RadioMemory written(RadioModel model, const QJsonObject &fields = {}) {
    return changed(channel(model, {{u"frequency"_s, u"7100000"_s},
                                   {u"shiftRaw"_s, u"+000000"_s},
                                   {u"modeCode"_s, u"2"_s},
                                   {u"flagsRaw"_s, u"10000"_s},
                                   {u"toneNumberKindRaw"_s, QString()},
                                   {u"toneNumberCode"_s, u"000"_s},
                                   {u"tag"_s, u"40m"_s}}),
                   fields);
}

} // namespace

// The texts computed from a channel each time they are read: its summary and the read-back check.
class MemoryTextsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    // An empty German column means the same text as the English one.
    void summary_data() {
        QTest::addColumn<RadioMemory>("memory");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        const auto ft710 = RadioModel::ft710;
        const auto ft991a = RadioModel::ft991a;
        QTest::addRow("empty frequency")
            << summarised(ft991a, QString(), u"4"_s, u"+000600"_s, u"11002"_s) << u"Empty"_s << u"Leer"_s;
        QTest::addRow("marked empty with a frequency")
            << changed(summarised(ft710, u"7100000"_s, u"2"_s, u"+000000"_s, u"10000"_s),
                       {{u"isEmpty"_s, true}})
            << u"7.100000 MHz · USB · Simplex"_s << QString();
        QTest::addRow("FT-710 plus shift")
            << summarised(ft710, u"145500000"_s, u"4"_s, u"+000600"_s, u"10000"_s)
            << u"145.500000 MHz · FM · +600"_s << QString();
        QTest::addRow("FT-710 zero amount with minus")
            << summarised(ft710, u"7100000"_s, u"2"_s, u"-000000"_s, u"10000"_s)
            << u"7.100000 MHz · USB · Simplex"_s << QString();
        QTest::addRow("FT-710 ignores tone flags")
            << summarised(ft710, u"7100000"_s, u"1"_s, u"-000100"_s, u"11002"_s, u"008"_s)
            << u"7.100000 MHz · LSB · -100"_s << QString();
        QTest::addRow("FT-991A tone and clarifier off")
            << summarised(ft991a, u"433500000"_s, u"4"_s, u"+000000"_s, u"10000"_s)
            << u"433.500000 MHz · FM · Simplex"_s << QString();
        QTest::addRow("FT-991A tone then clarifier")
            << summarised(ft991a, u"145600000"_s, u"4"_s, u"-000120"_s, u"11002"_s, u"008"_s)
            << u"145.600000 MHz · FM · - Repeater · CTCSS SQL 88.5 Hz · Clarifier -120"_s << QString();
        QTest::addRow("FT-991A DCS encode, shift from the flags only")
            << summarised(ft991a, u"145600000"_s, u"4"_s, u"+000050"_s, u"14001"_s, u"008"_s)
            << u"145.600000 MHz · FM · + Repeater · DCS 051 · Clarifier +50"_s << QString();
        QTest::addRow("FT-991A unknown tone code shown as stored")
            << summarised(ft991a, u"145600000"_s, u"4"_s, u"+000000"_s, u"12001"_s, u"8"_s)
            << u"145.600000 MHz · FM · + Repeater · CTCSS 8"_s << QString();
        QTest::addRow("unknown mode")
            << summarised(ft710, u"1"_s, u"x"_s, u"+000000"_s, u"10000"_s)
            << u"0.000001 MHz · Mode x · Simplex"_s << u"0.000001 MHz · Modus x · Simplex"_s;
        QTest::addRow("empty mode keeps the blank")
            << summarised(ft710, u"9"_s, QString(), u"+000000"_s, u"1"_s)
            << u"0.000009 MHz · Mode  · Simplex"_s << u"0.000009 MHz · Modus  · Simplex"_s;
        QTest::addRow("lower-case mode letter")
            << summarised(ft710, u"28500000"_s, u"c"_s, QString(), QString())
            << u"28.500000 MHz · DATA-USB · Simplex"_s << QString();
        QTest::addRow("letters among the digits")
            << summarised(ft710, u"14a074b000"_s, u"2"_s, QString(), QString())
            << u"14.074000 MHz · USB · Simplex"_s << QString();
        QTest::addRow("no digits shown as stored")
            << summarised(ft710, u"abc"_s, u"2"_s, QString(), QString()) << u"abc · USB · Simplex"_s
            << QString();
        QTest::addRow("exact tie rounds to even as printf does")
            << summarised(ft710, u"6014416479429101917"_s, u"2"_s, QString(), QString())
            << u"6014416479429.101562 MHz · USB · Simplex"_s << QString();
        QTest::addRow("beyond 64 bits shown as stored")
            << summarised(ft710, u"99999999999999999999"_s, u"2"_s, QString(), QString())
            << u"99999999999999999999 · USB · Simplex"_s << QString();
        QTest::addRow("other numerals shown as stored")
            << summarised(ft710, u"\u0661\u0662"_s, u"2"_s, QString(), QString())
            << u"\u0661\u0662 · USB · Simplex"_s << QString();
    }
    void summary() {
        QFETCH(RadioMemory, memory);
        QFETCH(QString, english);
        QFETCH(QString, german);
        setLanguage(u"en"_s);
        QCOMPARE(memory.summary(), english);
        setLanguage(u"de"_s);
        QCOMPARE(memory.summary(), german.isEmpty() ? english : german);
    }

    void tonePartOfASummary() {
        setLanguage(u"en"_s);
        QCOMPARE(summarised(RadioModel::ft991a, u"1"_s, u"4"_s, QString(), u"10000"_s).ft991aToneSummary(),
                 u"Ton: Aus"_s);
        QCOMPARE(summarised(RadioModel::ft710, u"1"_s, u"4"_s, QString(), u"11000"_s).ft991aToneSummary(),
                 QString());
    }

    void pointWhateverTheLocale() {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text =
            written(RadioModel::ft710, {{u"frequency"_s, u"145500000"_s}}).formattedFrequency();
        QLocale::setDefault(saved);
        QCOMPARE(text, u"145.500000 MHz"_s);
    }

    void mismatchLinesInOrder_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("German") << u"de"_s
                                << QStringList{u"Leerstatus: erwartet belegt, gelesen leer"_s,
                                               u"Frequenz: erwartet 7100000, gelesen 0"_s,
                                               u"Mode: erwartet 2, gelesen 4"_s,
                                               u"Shift Raw: erwartet +000000, gelesen +000600"_s,
                                               u"Flags Raw: erwartet 10000, gelesen 01000"_s,
                                               u"Tag: erwartet 40m, gelesen 40 M"_s,
                                               u"Ton-Art: erwartet , gelesen 0"_s,
                                               u"Ton-Code: erwartet 000, gelesen 008"_s};
        QTest::addRow("English") << u"en"_s
                                 << QStringList{u"Empty state: expected occupied, read empty"_s,
                                                u"Frequency: expected 7100000, read 0"_s,
                                                u"Mode: expected 2, read 4"_s,
                                                u"Shift raw: expected +000000, read +000600"_s,
                                                u"Flags raw: expected 10000, read 01000"_s,
                                                u"Tag: expected 40m, read 40 M"_s,
                                                u"Tone kind: expected , read 0"_s,
                                                u"Tone code: expected 000, read 008"_s};
    }
    void mismatchLinesInOrder() {
        QFETCH(QString, language);
        QFETCH(QStringList, lines);
        setLanguage(language);
        const RadioMemory read = written(RadioModel::ft991a, {{u"frequency"_s, QString()},
                                                              {u"shiftRaw"_s, u"+000600"_s},
                                                              {u"modeCode"_s, u"4"_s},
                                                              {u"flagsRaw"_s, u"01000"_s},
                                                              {u"toneNumberKindRaw"_s, u"0"_s},
                                                              {u"toneNumberCode"_s, u"008"_s},
                                                              {u"tag"_s, u" 40 M "_s},
                                                              {u"isEmpty"_s, true}});
        QCOMPARE(read.verificationMismatches(written(RadioModel::ft991a)), lines);
    }

    // Frequencies compare normalised and tags trimmed of blanks; raw fields to the character.
    void mismatchOfOneField_data() {
        QTest::addColumn<RadioMemory>("expected");
        QTest::addColumn<RadioMemory>("read");
        QTest::addColumn<QStringList>("lines");
        const auto ft710 = RadioModel::ft710;
        const auto ft991a = RadioModel::ft991a;
        const auto with = [](RadioModel model, const QString &key, const QJsonValue &value) {
            return written(model, {{key, value}});
        };
        QTest::addRow("equal") << written(ft991a) << written(ft991a) << QStringList();
        QTest::addRow("leading zeros")
            << written(ft710) << with(ft710, u"frequency"_s, u"007100000"_s) << QStringList();
        QTest::addRow("empty and zero")
            << with(ft710, u"frequency"_s, QString()) << with(ft710, u"frequency"_s, u"0"_s) << QStringList();
        QTest::addRow("blanks around the tag")
            << written(ft710) << with(ft710, u"tag"_s, u" 40m         "_s) << QStringList();
        QTest::addRow("tab before the tag")
            << with(ft710, u"tag"_s, u"\t40m"_s) << written(ft710) << QStringList();
        QTest::addRow("tag in decomposed form") << with(ft710, u"tag"_s, u"Caf\u00E9"_s)
                                                << with(ft710, u"tag"_s, u"Cafe\u0301"_s) << QStringList();
        QTest::addRow("line break in tag stays") << written(ft710) << with(ft710, u"tag"_s, u"40m\n"_s)
                                                 << QStringList{u"Tag: expected 40m, read 40m\n"_s};
        QTest::addRow("mode case") << written(ft710) << with(ft710, u"modeCode"_s, u"c"_s)
                                   << QStringList{u"Mode: expected 2, read c"_s};
        QTest::addRow("shift fill") << written(ft710) << with(ft710, u"shiftRaw"_s, u"+00000"_s)
                                    << QStringList{u"Shift raw: expected +000000, read +00000"_s};
        QTest::addRow("flags blank") << written(ft710) << with(ft710, u"flagsRaw"_s, u"1000 "_s)
                                     << QStringList{u"Flags raw: expected 10000, read 1000 "_s};
        QTest::addRow("tone code, FT-710 with FT-710")
            << written(ft710) << with(ft710, u"toneNumberCode"_s, u"023"_s) << QStringList();
        QTest::addRow("tone code, FT-991A expected")
            << written(ft991a) << with(ft710, u"toneNumberCode"_s, u"023"_s)
            << QStringList{u"Tone code: expected 000, read 023"_s};
        QTest::addRow("tone kind, FT-991A read")
            << written(ft710) << with(ft991a, u"toneNumberKindRaw"_s, u"1"_s)
            << QStringList{u"Tone kind: expected , read 1"_s};
    }
    void mismatchOfOneField() {
        QFETCH(RadioMemory, expected);
        QFETCH(RadioMemory, read);
        QFETCH(QStringList, lines);
        setLanguage(u"en"_s);
        QCOMPARE(read.verificationMismatches(expected), lines);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(MemoryTextsTest)
#include "tst_memorytexts.moc"
