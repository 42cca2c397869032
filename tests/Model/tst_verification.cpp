#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/RadioMemory.h"
#include "TestSettings.h"

#include <QTest>

namespace {

RadioMemory written(RadioModel model) {
    return RadioMemory{.slot = "003",
                       .radioModel = model,
                       .frequency = "7100000",
                       .shiftRaw = "+000000",
                       .modeCode = "2",
                       .flagsRaw = "10000",
                       .toneNumberKindRaw = "",
                       .toneNumberCode = "000",
                       .tag = "40m",
                       .isEmpty = false};
}

} // namespace

class VerificationTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    void equalChannelsGiveNoLine() {
        QCOMPARE(written(RadioModel::ft991a).verificationMismatches(written(RadioModel::ft991a)),
                 QStringList());
    }

    void formDifferencesGiveNoLine_data() {
        QTest::addColumn<QString>("expectedFrequency");
        QTest::addColumn<QString>("readFrequency");
        QTest::addColumn<QString>("expectedTag");
        QTest::addColumn<QString>("readTag");
        QTest::addRow("leading zeros") << "7100000"
                                       << "007100000"
                                       << "40m"
                                       << "40m";
        QTest::addRow("empty and zero") << ""
                                        << "0"
                                        << "40m"
                                        << "40m";
        QTest::addRow("blanks around the tag") << "7100000"
                                               << "7100000"
                                               << "40m"
                                               << " 40m         ";
        QTest::addRow("tab around the tag") << "7100000"
                                            << "7100000"
                                            << "\t40m"
                                            << "40m";
        QTest::addRow("tag in decomposed form") << "7100000"
                                                << "7100000"
                                                << "Caf\u00E9"
                                                << "Cafe\u0301";
    }
    void formDifferencesGiveNoLine() {
        QFETCH(QString, expectedFrequency);
        QFETCH(QString, readFrequency);
        QFETCH(QString, expectedTag);
        QFETCH(QString, readTag);
        RadioMemory expected = written(RadioModel::ft710);
        RadioMemory read = expected;
        expected.frequency = expectedFrequency;
        expected.tag = expectedTag;
        read.frequency = readFrequency;
        read.tag = readTag;
        QCOMPARE(read.verificationMismatches(expected), QStringList());
    }

    void linesInOrder_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("German") << "de"
                                << QStringList{"Leerstatus: erwartet belegt, gelesen leer",
                                               "Frequenz: erwartet 7100000, gelesen 0",
                                               "Mode: erwartet 2, gelesen 4",
                                               "Shift Raw: erwartet +000000, gelesen +000600",
                                               "Flags Raw: erwartet 10000, gelesen 01000",
                                               "Tag: erwartet 40m, gelesen 40 M",
                                               "Ton-Art: erwartet , gelesen 0",
                                               "Ton-Code: erwartet 000, gelesen 008"};
        QTest::addRow("English") << "en"
                                 << QStringList{"Empty state: expected occupied, read empty",
                                                "Frequency: expected 7100000, read 0",
                                                "Mode: expected 2, read 4",
                                                "Shift raw: expected +000000, read +000600",
                                                "Flags raw: expected 10000, read 01000",
                                                "Tag: expected 40m, read 40 M",
                                                "Tone kind: expected , read 0",
                                                "Tone code: expected 000, read 008"};
    }
    void linesInOrder() {
        QFETCH(QString, language);
        QFETCH(QStringList, lines);
        UserDefaults::setValue(L::userDefaultsLanguageKey(), language);
        const RadioMemory expected = written(RadioModel::ft991a);
        const RadioMemory read{.slot = "003",
                               .radioModel = RadioModel::ft991a,
                               .frequency = "",
                               .shiftRaw = "+000600",
                               .modeCode = "4",
                               .flagsRaw = "01000",
                               .toneNumberKindRaw = "0",
                               .toneNumberCode = "008",
                               .tag = " 40 M ",
                               .isEmpty = true};
        QCOMPARE(read.verificationMismatches(expected), lines);
    }

    void rawFieldsCompareToTheCharacter_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("line");
        QTest::addRow("mode case") << "modeCode"
                                   << "c"
                                   << "Mode: expected 2, read c";
        QTest::addRow("shift fill") << "shiftRaw"
                                    << "+00000"
                                    << "Shift raw: expected +000000, read +00000";
        QTest::addRow("flags blank") << "flagsRaw"
                                     << "1000 "
                                     << "Flags raw: expected 10000, read 1000 ";
        QTest::addRow("line break in tag stays") << "tag"
                                                 << "40m\n"
                                                 << "Tag: expected 40m, read 40m\n";
    }
    void rawFieldsCompareToTheCharacter() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, line);
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "en");
        const RadioMemory expected = written(RadioModel::ft710);
        RadioMemory read = expected;
        if (field == "modeCode")
            read.modeCode = value;
        else if (field == "shiftRaw")
            read.shiftRaw = value;
        else if (field == "flagsRaw")
            read.flagsRaw = value;
        else
            read.tag = value;
        QCOMPARE(read.verificationMismatches(expected), QStringList{line});
    }

    void toneFieldsOnlyWhereAnFT991AIsInvolved_data() {
        QTest::addColumn<bool>("expectedIsFT991A");
        QTest::addColumn<bool>("readIsFT991A");
        QTest::addColumn<int>("lineCount");
        QTest::addRow("FT-710 with FT-710") << false << false << 0;
        QTest::addRow("FT-991A expected") << true << false << 2;
        QTest::addRow("FT-991A read") << false << true << 2;
    }
    void toneFieldsOnlyWhereAnFT991AIsInvolved() {
        QFETCH(bool, expectedIsFT991A);
        QFETCH(bool, readIsFT991A);
        QFETCH(int, lineCount);
        const RadioMemory expected = written(expectedIsFT991A ? RadioModel::ft991a : RadioModel::ft710);
        RadioMemory read = written(readIsFT991A ? RadioModel::ft991a : RadioModel::ft710);
        read.toneNumberKindRaw = "1";
        read.toneNumberCode = "023";
        QCOMPARE(read.verificationMismatches(expected).size(), lineCount);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(VerificationTest)
#include "tst_verification.moc"
