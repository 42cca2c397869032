#include "Model/TextOps.h"

#include <QTest>

using namespace TextOps;

namespace {
// "e" followed by a combining acute accent: one character, two code units.
const QString eAcuteDecomposed = QStringLiteral("e\u0301");
} // namespace

class TextOpsTest : public QObject {
    Q_OBJECT

private slots:
    void characterCountCountsGraphemeClusters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addRow("empty") << QString() << 0;
        QTest::addRow("ascii") << QStringLiteral("abc") << 3;
        QTest::addRow("combining accent") << QStringLiteral("ab") + eAcuteDecomposed << 3;
        QTest::addRow("surrogate pair") << QStringLiteral("\U0001F4FB!") << 2;
        QTest::addRow("surrogate pair after Devanagari") << QStringLiteral("\u09660\U0001D7D8X") << 4;
    }
    void characterCountCountsGraphemeClusters() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QCOMPARE(characterCount(text), count);
    }

    void prefixKeepsWholeCharacters() {
        QCOMPARE(prefix(eAcuteDecomposed + QStringLiteral("xy"), 1), eAcuteDecomposed);
        QCOMPARE(prefix(QStringLiteral("ab"), 5), QStringLiteral("ab"));
        QCOMPARE(prefix(QStringLiteral("ab"), -1), QString());
        QCOMPARE(prefix(QStringLiteral("\u09660\U0001D7D8X"), 3), QStringLiteral("\u09660\U0001D7D8"));
    }

    void numericCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("separators dropped") << QStringLiteral("145.500.000") << QStringLiteral("145500000");
        QTest::addRow("letters dropped") << QStringLiteral("a1b2") << QStringLiteral("12");
        QTest::addRow("superscript two") << QStringLiteral("1\u00B2") << QStringLiteral("1\u00B2");
        QTest::addRow("vulgar fraction") << QStringLiteral("\u00BD") << QStringLiteral("\u00BD");
        QTest::addRow("arabic-indic digit") << QStringLiteral("\u0663x") << QStringLiteral("\u0663");
        QTest::addRow("digit outside the BMP")
            << QStringLiteral("\U0001D7CE") << QStringLiteral("\U0001D7CE");
        QTest::addRow("digit with combining mark kept whole")
            << QStringLiteral("a7\u0301") << QStringLiteral("7\u0301");
        QTest::addRow("digit outside the BMP after Devanagari")
            << QStringLiteral("\u0915\U0001D7D8") << QStringLiteral("\U0001D7D8");
        QTest::addRow("none") << QStringLiteral("abc") << QString();
    }
    void numericCharacters() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(TextOps::numericCharacters(text), expected);
    }

    void fixedDigitsCutsAndFills() {
        QCOMPARE(fixedDigits(QStringLiteral("1-2-3"), 5), QStringLiteral("00123"));
        QCOMPARE(fixedDigits(QStringLiteral("1234567"), 5), QStringLiteral("12345"));
        QCOMPARE(fixedDigits(QString(), 3), QStringLiteral("000"));
    }

    void paddingLeft_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("pad");
        QTest::addColumn<QString>("expected");
        QTest::addRow("empty to five zeros") << QString() << 5 << "0"
                                             << "00000";
        QTest::addRow("one digit") << "7" << 3 << "0"
                                   << "007";
        QTest::addRow("longer text loses its end") << "12345" << 3 << "0"
                                                   << "123";
        QTest::addRow("exact length unchanged") << "123" << 3 << "0"
                                                << "123";
        QTest::addRow("combining accent counts once") << eAcuteDecomposed << 3 << "0"
                                                      << "00" + eAcuteDecomposed;
        QTest::addRow("pad repeated whole") << "1" << 3 << "ab"
                                            << "abab1";
        QTest::addRow("empty pad") << "1" << 3 << ""
                                   << "1";
        QTest::addRow("negative length clamps to zero") << "123" << -2 << "0"
                                                        << "";
    }
    void paddingLeft() {
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, pad);
        QFETCH(QString, expected);
        QCOMPARE(TextOps::paddingLeft(text, length, pad), expected);
    }

    void paddingRight_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::addRow("two letters") << "AB" << 12 << "AB          ";
        QTest::addRow("fourteen characters cut") << "ABCDEFGHIJKLMN" << 12 << "ABCDEFGHIJKL";
        QTest::addRow("combining accent counts once")
            << "Caf" + eAcuteDecomposed << 6 << "Caf" + eAcuteDecomposed + "  ";
        QTest::addRow("negative length clamps to zero") << "AB" << -1 << "";
    }
    void paddingRight() {
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, expected);
        QCOMPARE(TextOps::paddingRight(text, length, QStringLiteral(" ")), expected);
    }

    void ifEmpty() {
        QCOMPARE(TextOps::ifEmpty(QString(), QStringLiteral("4")), QStringLiteral("4"));
        QCOMPARE(TextOps::ifEmpty(QStringLiteral(" "), QStringLiteral("4")), QStringLiteral(" "));
    }

    void upperCasedIsFullMapping() {
        QCOMPARE(upperCased(QStringLiteral("a")), QStringLiteral("A"));
        QCOMPARE(upperCased(QStringLiteral("\u00DF")), QStringLiteral("SS"));
    }

    void canonicalEquivalence() {
        QVERIFY(canonicallyEqual(QStringLiteral("Caf\u00E9"), QStringLiteral("Caf") + eAcuteDecomposed));
        QVERIFY(!canonicallyEqual(QStringLiteral("Cafe"), QStringLiteral("Caf\u00E9")));
    }

    void trims_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("whitespaces");
        QTest::addColumn<QString>("whitespacesAndNewlines");
        QTest::addRow("blanks and tabs") << " \tA B\t "
                                         << "A B"
                                         << "A B";
        QTest::addRow("no-break space") << "\u00A0A\u2003"
                                        << "A"
                                        << "A";
        QTest::addRow("line breaks") << "\nA\r\n"
                                     << "\nA\r\n"
                                     << "A";
        QTest::addRow("next line and separators") << "\u0085A\u2028\u2029"
                                                  << "\u0085A\u2028\u2029"
                                                  << "A";
        QTest::addRow("all blank") << "   "
                                   << ""
                                   << "";
    }
    void trims() {
        QFETCH(QString, text);
        QFETCH(QString, whitespaces);
        QFETCH(QString, whitespacesAndNewlines);
        QCOMPARE(trimmedWhitespaces(text), whitespaces);
        QCOMPARE(trimmedWhitespacesAndNewlines(text), whitespacesAndNewlines);
    }
};

QTEST_GUILESS_MAIN(TextOpsTest)
#include "tst_textops.moc"
