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
        // A channel on 7.1 MHz with the given mode, shift, flags and tone code; the texts after the
        // frequency.
        const auto onFortyMetres = [](const char *name, RadioModel model, const QString &mode,
                                      const QString &shift, const QString &flags, const QString &code,
                                      const QString &english, const QString &german = {}) {
            const QString frequency = u"7.100000 MHz · "_s;
            QTest::addRow("%s", name)
                << summarised(model, u"7100000"_s, mode, shift, flags, code) << frequency + english
                << (german.isEmpty() ? QString() : frequency + german);
        };
        QTest::addRow("empty frequency")
            << summarised(ft991a, QString(), u"4"_s, u"+000600"_s, u"11002"_s) << u"Empty"_s << u"Leer"_s;
        QTest::addRow("marked empty with a frequency")
            << changed(summarised(ft710, u"7100000"_s, u"2"_s, u"+000000"_s, u"10000"_s),
                       {{u"isEmpty"_s, true}})
            << u"7.100000 MHz · USB · Simplex"_s << QString();
        onFortyMetres("FT-710 plus shift", ft710, u"4"_s, u"+000600"_s, u"10000"_s, u"000"_s, u"FM · +600"_s);
        onFortyMetres("FT-710 zero amount with minus", ft710, u"2"_s, u"-000000"_s, u"10000"_s, u"000"_s,
                      u"USB · Simplex"_s);
        onFortyMetres("FT-710 ignores tone flags", ft710, u"1"_s, u"-000100"_s, u"11002"_s, u"008"_s,
                      u"LSB · -100"_s);
        onFortyMetres("FT-991A tone and clarifier off", ft991a, u"4"_s, u"+000000"_s, u"10000"_s, u"000"_s,
                      u"FM · Simplex"_s);
        onFortyMetres("FT-991A tone then clarifier", ft991a, u"4"_s, u"-000120"_s, u"11002"_s, u"008"_s,
                      u"FM · - Repeater · CTCSS SQL 88.5 Hz · Clarifier -120"_s);
        onFortyMetres("FT-991A DCS encode, shift from the flags only", ft991a, u"4"_s, u"+000050"_s,
                      u"14001"_s, u"008"_s, u"FM · + Repeater · DCS 051 · Clarifier +50"_s);
        onFortyMetres("FT-991A unknown tone code shown as stored", ft991a, u"4"_s, u"+000000"_s, u"12001"_s,
                      u"8"_s, u"FM · + Repeater · CTCSS 8"_s);
        onFortyMetres("unknown mode", ft710, u"x"_s, u"+000000"_s, u"10000"_s, u"000"_s,
                      u"Mode x · Simplex"_s, u"Modus x · Simplex"_s);
        onFortyMetres("empty mode keeps the blank", ft710, QString(), u"+000000"_s, u"1"_s, u"000"_s,
                      u"Mode  · Simplex"_s, u"Modus  · Simplex"_s);
        onFortyMetres("lower-case mode letter", ft710, u"c"_s, QString(), QString(), u"000"_s,
                      u"DATA-USB · Simplex"_s);
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

    // Digits only, in MHz with six decimals exactly as printf's "%.6f", a point whatever the locale.
    void frequencyPart_data() {
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
    void frequencyPart() {
        QFETCH(QString, frequency);
        QFETCH(QString, shown);
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = channel(RadioModel::ft710, {{u"frequency"_s, frequency}}).formattedFrequency();
        QLocale::setDefault(saved);
        QCOMPARE(text, shown);
    }

    void mismatchLinesInOrder_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("German") << u"de"_s
                                << QStringList{u"Leerstatus: erwartet belegt, gelesen leer"_s,
                                               u"Frequenz: erwartet 145500000, gelesen 0"_s,
                                               u"Mode: erwartet 4, gelesen 2"_s,
                                               u"Shift Raw: erwartet -000600, gelesen +000600"_s,
                                               u"Flags Raw: erwartet 01002, gelesen 01000"_s,
                                               u"Tag: erwartet DB0XYZ, gelesen DB0 XYZ"_s,
                                               u"Ton-Art: erwartet 0, gelesen "_s,
                                               u"Ton-Code: erwartet 008, gelesen 000"_s};
        QTest::addRow("English") << u"en"_s
                                 << QStringList{u"Empty state: expected occupied, read empty"_s,
                                                u"Frequency: expected 145500000, read 0"_s,
                                                u"Mode: expected 4, read 2"_s,
                                                u"Shift raw: expected -000600, read +000600"_s,
                                                u"Flags raw: expected 01002, read 01000"_s,
                                                u"Tag: expected DB0XYZ, read DB0 XYZ"_s,
                                                u"Tone kind: expected 0, read "_s,
                                                u"Tone code: expected 008, read 000"_s};
    }
    void mismatchLinesInOrder() {
        QFETCH(QString, language);
        QFETCH(QStringList, lines);
        setLanguage(language);
        const RadioMemory read = channel(RadioModel::ft991a, {{u"frequency"_s, QString()},
                                                              {u"shiftRaw"_s, u"+000600"_s},
                                                              {u"modeCode"_s, u"2"_s},
                                                              {u"flagsRaw"_s, u"01000"_s},
                                                              {u"toneNumberKindRaw"_s, QString()},
                                                              {u"toneNumberCode"_s, u"000"_s},
                                                              {u"tag"_s, u" DB0 XYZ "_s},
                                                              {u"isEmpty"_s, true}});
        QCOMPARE(read.verificationMismatches(channel(RadioModel::ft991a)), lines);
    }

    // Frequencies compare normalised and tags trimmed of blanks; raw fields to the character.
    void mismatchOfOneField_data() {
        QTest::addColumn<RadioMemory>("expected");
        QTest::addColumn<RadioMemory>("read");
        QTest::addColumn<QStringList>("lines");
        const auto ft710 = RadioModel::ft710;
        const auto ft991a = RadioModel::ft991a;
        const auto with = [](RadioModel model, const QString &key, const QJsonValue &value) {
            return channel(model, {{key, value}});
        };
        QTest::addRow("equal") << channel(ft991a) << channel(ft991a) << QStringList();
        QTest::addRow("leading zeros")
            << channel(ft710) << with(ft710, u"frequency"_s, u"000145500000"_s) << QStringList();
        QTest::addRow("empty and zero")
            << with(ft710, u"frequency"_s, QString()) << with(ft710, u"frequency"_s, u"0"_s) << QStringList();
        QTest::addRow("blanks around the tag")
            << channel(ft710) << with(ft710, u"tag"_s, u" DB0XYZ     "_s) << QStringList();
        QTest::addRow("tab before the tag")
            << with(ft710, u"tag"_s, u"\tDB0XYZ"_s) << channel(ft710) << QStringList();
        QTest::addRow("tag in decomposed form") << with(ft710, u"tag"_s, u"Caf\u00E9"_s)
                                                << with(ft710, u"tag"_s, u"Cafe\u0301"_s) << QStringList();
        QTest::addRow("line break in tag stays") << channel(ft710) << with(ft710, u"tag"_s, u"DB0XYZ\n"_s)
                                                 << QStringList{u"Tag: expected DB0XYZ, read DB0XYZ\n"_s};
        QTest::addRow("mode case") << with(ft710, u"modeCode"_s, u"C"_s) << with(ft710, u"modeCode"_s, u"c"_s)
                                   << QStringList{u"Mode: expected C, read c"_s};
        QTest::addRow("shift fill") << channel(ft710) << with(ft710, u"shiftRaw"_s, u"-00600"_s)
                                    << QStringList{u"Shift raw: expected -000600, read -00600"_s};
        QTest::addRow("flags blank") << channel(ft710) << with(ft710, u"flagsRaw"_s, u"0100 "_s)
                                     << QStringList{u"Flags raw: expected 01002, read 0100 "_s};
        QTest::addRow("tone code, FT-710 with FT-710")
            << channel(ft710) << with(ft710, u"toneNumberCode"_s, u"023"_s) << QStringList();
        QTest::addRow("tone code, FT-991A expected")
            << channel(ft991a) << with(ft710, u"toneNumberCode"_s, u"023"_s)
            << QStringList{u"Tone code: expected 008, read 023"_s};
        QTest::addRow("tone kind, FT-991A read")
            << channel(ft710) << with(ft991a, u"toneNumberKindRaw"_s, u"1"_s)
            << QStringList{u"Tone kind: expected 0, read 1"_s};
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
