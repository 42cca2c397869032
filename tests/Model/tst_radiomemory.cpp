#include "Model/TextOps.h"
#include "ModelTesting.h"
#include "TestSettings.h"

#include <QTest>

using namespace TextOps;

namespace {
// "e" followed by a combining acute accent: one character, two code units.
const QString eAcuteDecomposed = u"e\u0301"_s;
} // namespace

// The memory record and the character-counting text helpers that build its fixed-width fields.
class RadioMemoryTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    // Lengths and cuts count user-perceived characters, never splitting a surrogate pair.
    void characters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("cut");
        QTest::addColumn<QString>("prefix");
        QTest::addRow("empty, negative cut") << QString() << 0 << -1 << QString();
        QTest::addRow("cut beyond the end") << u"abc"_s << 3 << 5 << u"abc"_s;
        QTest::addRow("combining accent") << eAcuteDecomposed + u"xy"_s << 3 << 1 << eAcuteDecomposed;
        QTest::addRow("surrogate pair") << u"\U0001F4FB!"_s << 2 << 1 << u"\U0001F4FB"_s;
        QTest::addRow("surrogate pair after Devanagari")
            << u"\u09660\U0001D7D8X"_s << 4 << 3 << u"\u09660\U0001D7D8"_s;
    }
    void characters() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(int, cut);
        QFETCH(QString, prefix);
        QCOMPARE(characterCount(text), count);
        QCOMPARE(TextOps::prefix(text, cut), prefix);
    }

    void numericCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("separators dropped") << u"145.500.000"_s << u"145500000"_s;
        QTest::addRow("superscript and fraction") << u"1\u00B2\u00BD"_s << u"1\u00B2\u00BD"_s;
        QTest::addRow("digit outside the BMP after Devanagari") << u"\u0915\U0001D7D8"_s << u"\U0001D7D8"_s;
        QTest::addRow("digit with combining mark kept whole") << u"a7\u0301"_s << u"7\u0301"_s;
    }
    void numericCharacters() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(TextOps::numericCharacters(text), expected);
    }

    // Zeros on the left of numbers, blanks on the right of tags, as the CAT fields take them.
    void padding_data() {
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::addRow("left: empty to five zeros") << true << QString() << 5 << u"00000"_s;
        QTest::addRow("left: one digit") << true << u"7"_s << 3 << u"007"_s;
        QTest::addRow("left: longer text loses its end") << true << u"12345"_s << 3 << u"123"_s;
        QTest::addRow("left: exact length unchanged") << true << u"123"_s << 3 << u"123"_s;
        QTest::addRow("left: combining accent counts once")
            << true << eAcuteDecomposed << 3 << u"00"_s + eAcuteDecomposed;
        QTest::addRow("left: negative length") << true << u"123"_s << -2 << QString();
        QTest::addRow("right: two letters") << false << u"AB"_s << 12 << u"AB          "_s;
        QTest::addRow("right: fourteen characters cut")
            << false << u"ABCDEFGHIJKLMN"_s << 12 << u"ABCDEFGHIJKL"_s;
        QTest::addRow("right: combining accent counts once")
            << false << u"Caf"_s + eAcuteDecomposed << 6 << u"Caf"_s + eAcuteDecomposed + u"  "_s;
        QTest::addRow("right: negative length") << false << u"AB"_s << -1 << QString();
    }
    void padding() {
        QFETCH(bool, left);
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, expected);
        QCOMPARE(left ? paddingLeft(text, length, u"0"_s) : paddingRight(text, length, u" "_s), expected);
    }

    void ifEmpty() {
        QCOMPARE(TextOps::ifEmpty(QString(), u"4"_s), u"4"_s);
        QCOMPARE(TextOps::ifEmpty(u" "_s, u"4"_s), u" "_s);
    }

    void emptyChannel_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addRow("FT-710") << RadioModel::ft710;
        QTest::addRow("FT-991A") << RadioModel::ft991a;
    }
    void emptyChannel() {
        QFETCH(RadioModel, model);
        const RadioMemory memory = RadioMemory::empty(u"42"_s, model);
        QVERIFY(memory == (RadioMemory{.slot = u"42"_s,
                                       .radioModel = model,
                                       .frequency = QString(),
                                       .shiftRaw = u"+000000"_s,
                                       .modeCode = u"4"_s,
                                       .flagsRaw = u"10000"_s,
                                       .toneNumberKindRaw = QString(),
                                       .toneNumberCode = u"000"_s,
                                       .tag = QString(),
                                       .isEmpty = true}));
        QCOMPARE(memory.id(), u"42"_s);
        QCOMPARE(memory.tailRaw(), u"410000"_s);
        QCOMPARE(memory.ft991aToneSqlModeCode(), u"0"_s);
        QCOMPARE(memory.ft991aRepeaterShiftCode(), u"0"_s);
        QCOMPARE(memory.ft991aToneSqlMode(), FT991AToneSqlOption::off);
        QCOMPARE(RadioMemory::slotText(1), u"001"_s);
        QCOMPARE(RadioMemory::slotText(117), u"117"_s);
    }

    // The record reads the first five flag characters as they are, left-filled with "0".
    void flagCodes_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("toneSqlCode");
        QTest::addColumn<QString>("shiftCode");
        QTest::addColumn<FT991AToneSqlOption>("mode");
        const auto ft991a = RadioModel::ft991a;
        using enum FT991AToneSqlOption;
        QTest::addRow("two characters right-aligned") << ft991a << u"32"_s << u"0"_s << u"2"_s << off;
        QTest::addRow("seven characters") << ft991a << u"0300109"_s << u"3"_s << u"1"_s << dcsEncDec;
        QTest::addRow("ctcss enc") << ft991a << u"02001"_s << u"2"_s << u"1"_s << ctcssEnc;
        QTest::addRow("letter in second place") << ft991a << u"1x002"_s << u"x"_s << u"2"_s << off;
        QTest::addRow("letters stay where they are") << ft991a << u"1a100"_s << u"a"_s << u"0"_s << off;
        QTest::addRow("empty") << ft991a << QString() << u"0"_s << u"0"_s << off;
        QTest::addRow("combining mark joins the fill") << ft991a << u"\u0301"_s << u"0"_s << u"0"_s << off;
        QTest::addRow("FT-710 never reads them")
            << RadioModel::ft710 << u"13002"_s << u"0"_s << u"0"_s << off;
    }
    void flagCodes() {
        QFETCH(RadioModel, model);
        QFETCH(QString, flags);
        QFETCH(QString, toneSqlCode);
        QFETCH(QString, shiftCode);
        QFETCH(FT991AToneSqlOption, mode);
        const RadioMemory memory = channel(model, {{u"flagsRaw"_s, flags}});
        QCOMPARE(memory.ft991aToneSqlModeCode(), toneSqlCode);
        QCOMPARE(memory.ft991aRepeaterShiftCode(), shiftCode);
        QCOMPARE(memory.ft991aToneSqlMode(), mode);
    }

    void tailRaw_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("tail");
        QTest::addRow("empty mode and flags") << QString() << QString() << u"400000"_s;
        QTest::addRow("two-character mode") << u"AB"_s << u"12345"_s << u"A12345"_s;
        QTest::addRow("lower-case mode stays") << u"c"_s << u"1"_s << u"c00001"_s;
    }
    void tailRaw() {
        QFETCH(QString, mode);
        QFETCH(QString, flags);
        QFETCH(QString, tail);
        QCOMPARE(channel(RadioModel::ft710, {{u"modeCode"_s, mode}, {u"flagsRaw"_s, flags}}).tailRaw(), tail);
    }

    void equality_data() {
        QTest::addColumn<QJsonObject>("change");
        QTest::addColumn<bool>("equal");
        QTest::addRow("none") << QJsonObject{} << true;
        QTest::addRow("tag in decomposed form") << QJsonObject{{u"tag"_s, u"Cafe\u0301"_s}} << true;
        QTest::addRow("tag with a blank") << QJsonObject{{u"tag"_s, u"Caf\u00E9 "_s}} << false;
        QTest::addRow("marked empty") << QJsonObject{{u"isEmpty"_s, true}} << false;
        QTest::addRow("tone kind") << QJsonObject{{u"toneNumberKindRaw"_s, u"1"_s}} << false;
    }
    void equality() {
        QFETCH(QJsonObject, change);
        QFETCH(bool, equal);
        const RadioMemory memory = channel(RadioModel::ft710, {{u"tag"_s, u"Caf\u00E9"_s}});
        QCOMPARE(memory == changed(memory, change), equal);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(RadioMemoryTest)
#include "tst_radiomemory.moc"
