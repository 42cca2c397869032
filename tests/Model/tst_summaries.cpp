#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/RadioMemory.h"
#include "TestSettings.h"

#include <QTest>

namespace {

RadioMemory channel(RadioModel model, const QString &frequency, const QString &mode, const QString &shiftRaw,
                    const QString &flags, const QString &toneCode = "000") {
    return RadioMemory{.slot = "001",
                       .radioModel = model,
                       .frequency = frequency,
                       .shiftRaw = shiftRaw,
                       .modeCode = mode,
                       .flagsRaw = flags,
                       .toneNumberKindRaw = "",
                       .toneNumberCode = toneCode,
                       .tag = "",
                       .isEmpty = false};
}

} // namespace

class SummariesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    void summary_data() {
        QTest::addColumn<RadioMemory>("memory");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        const auto ft710 = RadioModel::ft710;
        const auto ft991a = RadioModel::ft991a;
        QTest::addRow("empty frequency") << channel(ft991a, "", "4", "+000600", "11002") << "Leer"
                                         << "Empty";
        QTest::addRow("FT-710 plus shift")
            << channel(ft710, "145500000", "4", "+000600", "10000") << "145.500000 MHz · FM · +600"
            << "145.500000 MHz · FM · +600";
        QTest::addRow("FT-710 zero amount with minus")
            << channel(ft710, "7100000", "2", "-000000", "10000") << "7.100000 MHz · USB · Simplex"
            << "7.100000 MHz · USB · Simplex";
        QTest::addRow("FT-710 ignores tone flags")
            << channel(ft710, "7100000", "1", "-000100", "11002", "008") << "7.100000 MHz · LSB · -100"
            << "7.100000 MHz · LSB · -100";
        QTest::addRow("FT-991A tone and clarifier off")
            << channel(ft991a, "433500000", "4", "+000000", "10000") << "433.500000 MHz · FM · Simplex"
            << "433.500000 MHz · FM · Simplex";
        QTest::addRow("FT-991A tone then clarifier")
            << channel(ft991a, "145600000", "4", "-000120", "11002", "008")
            << "145.600000 MHz · FM · - Repeater · CTCSS SQL 88.5 Hz · Clarifier -120"
            << "145.600000 MHz · FM · - Repeater · CTCSS SQL 88.5 Hz · Clarifier -120";
        QTest::addRow("FT-991A unknown tone code shown as stored")
            << channel(ft991a, "145600000", "4", "+000000", "12001", "8")
            << "145.600000 MHz · FM · + Repeater · CTCSS 8"
            << "145.600000 MHz · FM · + Repeater · CTCSS 8";
        QTest::addRow("FT-991A dcs") << channel(ft991a, "145600000", "4", "+000000", "13000", "000")
                                     << "145.600000 MHz · FM · Simplex · DCS SQL 023"
                                     << "145.600000 MHz · FM · Simplex · DCS SQL 023";
        QTest::addRow("unknown mode")
            << channel(ft710, "1", "x", "+000000", "10000") << "0.000001 MHz · Modus x · Simplex"
            << "0.000001 MHz · Mode x · Simplex";
        QTest::addRow("empty mode keeps the blank")
            << channel(ft710, "9", "", "+000000", "10000") << "0.000009 MHz · Modus  · Simplex"
            << "0.000009 MHz · Mode  · Simplex";
        QTest::addRow("lower-case mode letter")
            << channel(ft710, "28500000", "c", "+000000", "10000") << "28.500000 MHz · DATA-USB · Simplex"
            << "28.500000 MHz · DATA-USB · Simplex";
        QTest::addRow("letters among the digits")
            << channel(ft710, "14a074b000", "2", "", "") << "14.074000 MHz · USB · Simplex"
            << "14.074000 MHz · USB · Simplex";
        QTest::addRow("no digits shown as stored")
            << channel(ft710, "abc", "2", "", "") << "abc · USB · Simplex"
            << "abc · USB · Simplex";
        QTest::addRow("exact tie rounds to even as printf does")
            << channel(ft710, "6014416479429101917", "2", "", "")
            << "6014416479429.101562 MHz · USB · Simplex"
            << "6014416479429.101562 MHz · USB · Simplex";
        QTest::addRow("beyond 64 bits shown as stored")
            << channel(ft710, "99999999999999999999", "2", "", "") << "99999999999999999999 · USB · Simplex"
            << "99999999999999999999 · USB · Simplex";
        QTest::addRow("other numerals shown as stored")
            << channel(ft710, "\u0661\u0662", "2", "", "") << "\u0661\u0662 · USB · Simplex"
            << "\u0661\u0662 · USB · Simplex";
    }
    void summary() {
        QFETCH(RadioMemory, memory);
        QFETCH(QString, german);
        QFETCH(QString, english);
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "de");
        QCOMPARE(memory.summary(), german);
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "en");
        QCOMPARE(memory.summary(), english);
    }

    void markedEmptyWithFrequencyGetsTheFullLine() {
        RadioMemory memory = channel(RadioModel::ft710, "7100000", "2", "+000000", "10000");
        memory.isEmpty = true;
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "en");
        QCOMPARE(memory.summary(), QStringLiteral("7.100000 MHz · USB · Simplex"));
    }

    void pointWhateverTheLocale() {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = channel(RadioModel::ft710, "145500000", "4", "", "").formattedFrequency();
        QLocale::setDefault(saved);
        QCOMPARE(text, QStringLiteral("145.500000 MHz"));
    }

    void ft991aParts() {
        const RadioMemory memory = channel(RadioModel::ft991a, "145600000", "4", "+000050", "14001", "008");
        QCOMPARE(memory.shiftDisplay(), QStringLiteral("+ Repeater"));
        QCOMPARE(memory.ft991aToneSummary(), QStringLiteral("DCS 051"));
        QCOMPARE(memory.ft991aClarifierSummary(), QStringLiteral("Clarifier +50"));
        QCOMPARE(channel(RadioModel::ft991a, "1", "4", "", "10000").ft991aToneSummary(),
                 QStringLiteral("Ton: Aus"));
        QCOMPARE(channel(RadioModel::ft710, "1", "4", "", "11000").ft991aToneSummary(), QString());
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(SummariesTest)
#include "tst_summaries.moc"
