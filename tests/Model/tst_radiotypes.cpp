#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/FT991AToneCodeOption.h"
#include "Model/FT991AToneNumberKind.h"
#include "Model/FT991AToneSqlOption.h"
#include "Model/FT991AToneSystem.h"
#include "Model/RadioError.h"
#include "Model/RadioModeOption.h"
#include "Model/RadioModel.h"
#include "Model/ShiftDirectionOption.h"
#include "TestSettings.h"

#include <QTest>

Q_DECLARE_METATYPE(RadioError)
Q_DECLARE_METATYPE(FT991AToneSystem)
Q_DECLARE_METATYPE(FT991AToneSqlOption)

class RadioTypesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    void radioModelFromRawValue_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<bool>("known");
        QTest::addRow("FT-710") << "FT-710" << true;
        QTest::addRow("FT-991A") << "FT-991A" << true;
        QTest::addRow("lower case") << "ft-710" << false;
        QTest::addRow("trailing blank") << "FT-710 " << false;
        QTest::addRow("empty") << "" << false;
    }
    void radioModelFromRawValue() {
        QFETCH(QString, raw);
        QFETCH(bool, known);
        const std::optional<RadioModel> model = ::radioModelFromRawValue(raw);
        QCOMPARE(model.has_value(), known);
        if (known)
            QCOMPARE(rawValue(*model), raw);
    }

    void memoryRangesAndModes() {
        QCOMPARE(memoryRange(RadioModel::ft710), (ChannelRange{1, 99}));
        QCOMPARE(memoryRange(RadioModel::ft991a), (ChannelRange{1, 117}));
        QCOMPARE(supportedModes(RadioModel::ft710).size(), 12);
        QCOMPARE(supportedModes(RadioModel::ft710).last(), RadioModeOption::dataUsb);
        QCOMPARE(supportedModes(RadioModel::ft991a).size(), 14);
        QCOMPARE(supportedModes(RadioModel::ft991a).last(), RadioModeOption::c4fm);
        QCOMPARE(allRadioModels(), (QList<RadioModel>{RadioModel::ft710, RadioModel::ft991a}));
    }

    void modeCodesAndTitles() {
        QStringList codes;
        QStringList titles;
        for (RadioModeOption mode : allRadioModeOptions()) {
            codes << code(mode);
            titles << title(mode);
        }
        QCOMPARE(codes.join(','), QStringLiteral("1,2,3,4,5,6,7,8,9,A,B,C,D,E"));
        QCOMPARE(titles.join(','),
                 QStringLiteral("LSB,USB,CW,FM,AM,RTTY-LSB,CW-R,DATA-LSB,RTTY-USB,DATA-FM,FM-N,"
                                "DATA-USB,AM-N,C4FM"));
    }

    void modeLookup_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("byRawValue");
        QTest::addColumn<QString>("byCode");
        QTest::addRow("lower-case a") << "a"
                                      << ""
                                      << "DATA-FM";
        QTest::addRow("lower-case e") << "e"
                                      << ""
                                      << "C4FM";
        QTest::addRow("upper-case A") << "A"
                                      << "DATA-FM"
                                      << "DATA-FM";
        QTest::addRow("digit 4") << "4"
                                 << "FM"
                                 << "FM";
        QTest::addRow("digit 0") << "0"
                                 << ""
                                 << "";
        QTest::addRow("letter F") << "F"
                                  << ""
                                  << "";
        QTest::addRow("two letters") << "AB"
                                     << ""
                                     << "";
        QTest::addRow("empty") << ""
                               << ""
                               << "";
    }
    void modeLookup() {
        QFETCH(QString, text);
        QFETCH(QString, byRawValue);
        QFETCH(QString, byCode);
        const auto titleOf = [](std::optional<RadioModeOption> mode) {
            return mode ? title(*mode) : QString();
        };
        QCOMPARE(titleOf(radioModeOptionFromRawValue(text)), byRawValue);
        QCOMPARE(titleOf(radioModeOptionFromCode(text)), byCode);
    }

    void shiftDirections() {
        QStringList raws;
        for (ShiftDirectionOption direction : allShiftDirectionOptions())
            raws << rawValue(direction);
        QCOMPARE(raws, (QStringList{"Simplex", "+", "-"}));
        QCOMPARE(shiftDirectionOptionFromRawValue("-"), ShiftDirectionOption::minus);
        QCOMPARE(shiftDirectionOptionFromRawValue("simplex"), std::nullopt);
    }

    void errorTexts_data() {
        QTest::addColumn<RadioError>("error");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        QTest::addRow("portOpenFailed")
            << RadioError::portOpenFailed("/dev/ttyUSB0") << "Port konnte nicht geöffnet werden: /dev/ttyUSB0"
            << "Could not open port: /dev/ttyUSB0";
        QTest::addRow("portWriteFailed")
            << RadioError::portWriteFailed("MR001;") << "CAT-Befehl konnte nicht geschrieben werden: MR001;"
            << "Could not write CAT command: MR001;";
        QTest::addRow("timeout") << RadioError::timeout("MR001;")
                                 << "Zeitüberschreitung bei CAT-Befehl: MR001;"
                                 << "Timed out waiting for CAT command: MR001;";
        QTest::addRow("rejected") << RadioError::rejected("MT001;")
                                  << "Funkgerät hat CAT-Befehl abgelehnt: MT001;"
                                  << "Radio rejected CAT command: MT001;";
        QTest::addRow("invalidResponse")
            << RadioError::invalidResponse("MR0;") << "Ungültige CAT-Antwort: MR0;"
            << "Invalid CAT response: MR0;";
        QTest::addRow("invalidMemory with empty detail")
            << RadioError::invalidMemory("") << "Ungültiger Speicherinhalt: "
            << "Invalid memory content: ";
        QTest::addRow("detail inserted unchanged")
            << RadioError::invalidMemory("%1 \"x\"") << "Ungültiger Speicherinhalt: %1 \"x\""
            << "Invalid memory content: %1 \"x\"";
        QTest::addRow("notConnected") << RadioError::notConnected() << "Keine aktive CAT-Verbindung."
                                      << "No active CAT connection.";
        QTest::addRow("busy") << RadioError::busy() << "Die CAT-Verbindung ist gerade beschäftigt."
                              << "The CAT connection is currently busy.";
    }
    void errorTexts() {
        QFETCH(RadioError, error);
        QFETCH(QString, german);
        QFETCH(QString, english);
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "de");
        QCOMPARE(error.errorDescription(), german);
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "en");
        QCOMPARE(error.errorDescription(), english);
        QCOMPARE(QString::fromUtf8(error.what()), english);
    }

    void errorTextFollowsTheLanguageAtAsking() {
        const RadioError error = RadioError::timeout("MR001;");
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "en");
        QCOMPARE(error.errorDescription(), QStringLiteral("Timed out waiting for CAT command: MR001;"));
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "de");
        QCOMPARE(error.errorDescription(), QStringLiteral("Zeitüberschreitung bei CAT-Befehl: MR001;"));
    }

    void errorTextIsEnglishUnderAFrenchSystem() {
        L::setPreferredLanguagesSource([] { return QStringList{"fr-FR"}; });
        QCOMPARE(RadioError::busy().errorDescription(),
                 QStringLiteral("The CAT connection is currently busy."));
        L::setPreferredLanguagesSource({});
    }

    void toneSqlOptionFromCode_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("option");
        QTest::addRow("3") << "3" << int(FT991AToneSqlOption::dcsEncDec);
        QTest::addRow("0") << "0" << int(FT991AToneSqlOption::off);
        QTest::addRow("5") << "5" << -1;
        QTest::addRow("leading blank") << " 1" << -1;
        QTest::addRow("two digits") << "01" << -1;
        QTest::addRow("empty") << "" << -1;
    }
    void toneSqlOptionFromCode() {
        QFETCH(QString, code);
        QFETCH(int, option);
        const std::optional<FT991AToneSqlOption> found = ft991aToneSqlOptionFromCode(code);
        QCOMPARE(found ? int(*found) : -1, option);
    }

    void toneSqlOptionProperties() {
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "de");
        QStringList rows;
        for (FT991AToneSqlOption option : allFT991AToneSqlOptions()) {
            rows << QStringLiteral("%1 %2 %3 %4 %5 %6")
                        .arg(code(option), title(option), rawValue(toneSystem(option)))
                        .arg(openingToneEnabled(option))
                        .arg(squelchDecodeEnabled(option))
                        .arg(rawValue(numberKind(option)));
        }
        QCOMPARE(rows,
                 (QStringList{"0 Aus off 0 0 ", "1 CTCSS ENC/DEC ctcss 1 1 0", "2 CTCSS ENC ctcss 1 0 0",
                              "3 DCS ENC/DEC dcs 1 1 1", "4 DCS ENC dcs 1 0 1"}));
    }

    void toneNumberKinds() {
        QCOMPARE(ft991aToneNumberKindFromRawValue(""), FT991AToneNumberKind::none);
        QCOMPARE(ft991aToneNumberKindFromRawValue("0"), FT991AToneNumberKind::ctcss);
        QCOMPARE(ft991aToneNumberKindFromRawValue("1"), FT991AToneNumberKind::dcs);
        QCOMPARE(ft991aToneNumberKindFromRawValue("2"), std::nullopt);
        QCOMPARE(ft991aToneNumberKindFromRawValue("00"), std::nullopt);
        QCOMPARE(commandCode(FT991AToneNumberKind::none), QString());
        QCOMPARE(commandCode(FT991AToneNumberKind::dcs), QStringLiteral("1"));
    }

    void toneSystems() {
        QCOMPARE(ft991aToneSystemFromRawValue("ctcss"), FT991AToneSystem::ctcss);
        QCOMPARE(ft991aToneSystemFromRawValue("CTCSS"), std::nullopt);
        QCOMPARE(
            allFT991AToneSystems(),
            (QList<FT991AToneSystem>{FT991AToneSystem::off, FT991AToneSystem::ctcss, FT991AToneSystem::dcs}));
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "en");
        QCOMPARE(title(FT991AToneSystem::off), QStringLiteral("Off"));
    }

    void compose_data() {
        QTest::addColumn<FT991AToneSystem>("system");
        QTest::addColumn<bool>("openingTone");
        QTest::addColumn<bool>("squelchDecode");
        QTest::addColumn<FT991AToneSqlOption>("expected");
        const auto off = FT991AToneSystem::off;
        const auto ctcss = FT991AToneSystem::ctcss;
        const auto dcs = FT991AToneSystem::dcs;
        QTest::addRow("off, -, -") << off << false << false << FT991AToneSqlOption::off;
        QTest::addRow("off, -, sql") << off << false << true << FT991AToneSqlOption::off;
        QTest::addRow("off, tone, -") << off << true << false << FT991AToneSqlOption::off;
        QTest::addRow("off, tone, sql") << off << true << true << FT991AToneSqlOption::off;
        QTest::addRow("ctcss, -, -") << ctcss << false << false << FT991AToneSqlOption::off;
        QTest::addRow("ctcss, -, sql") << ctcss << false << true << FT991AToneSqlOption::ctcssEncDec;
        QTest::addRow("ctcss, tone, -") << ctcss << true << false << FT991AToneSqlOption::ctcssEnc;
        QTest::addRow("ctcss, tone, sql") << ctcss << true << true << FT991AToneSqlOption::ctcssEncDec;
        QTest::addRow("dcs, -, -") << dcs << false << false << FT991AToneSqlOption::off;
        QTest::addRow("dcs, -, sql") << dcs << false << true << FT991AToneSqlOption::dcsEncDec;
        QTest::addRow("dcs, tone, -") << dcs << true << false << FT991AToneSqlOption::dcsEnc;
        QTest::addRow("dcs, tone, sql") << dcs << true << true << FT991AToneSqlOption::dcsEncDec;
    }
    void compose() {
        QFETCH(FT991AToneSystem, system);
        QFETCH(bool, openingTone);
        QFETCH(bool, squelchDecode);
        QFETCH(FT991AToneSqlOption, expected);
        QCOMPARE(composeFT991AToneSqlOption(system, openingTone, squelchDecode), expected);
    }

    void composeOfDecomposedModeRoundTrips() {
        for (FT991AToneSqlOption option : allFT991AToneSqlOptions()) {
            QCOMPARE(composeFT991AToneSqlOption(toneSystem(option), openingToneEnabled(option),
                                                squelchDecodeEnabled(option)),
                     option);
        }
    }

    void toneCodeOptionIdentityAndTitle() {
        const FT991AToneCodeOption ctcss{FT991AToneNumberKind::ctcss, "000", "67.0 Hz"};
        const FT991AToneCodeOption dcs{FT991AToneNumberKind::dcs, "000", "023"};
        QCOMPARE(ctcss.id(), QStringLiteral("0:000"));
        QCOMPARE(dcs.id(), QStringLiteral("1:000"));
        QCOMPARE(ctcss.title(), QStringLiteral("000 \u00B7 67.0 Hz"));
        QCOMPARE(dcs.title(), QStringLiteral("000 \u00B7 DCS 023"));
        QVERIFY(!(ctcss == dcs));
    }

    void toneCodeOptionsCompareByCanonicalEquivalence() {
        const FT991AToneCodeOption precomposed{FT991AToneNumberKind::ctcss, "000", "Caf\u00E9"};
        const FT991AToneCodeOption decomposed{FT991AToneNumberKind::ctcss, "000", "Cafe\u0301"};
        QVERIFY(precomposed == decomposed);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(RadioTypesTest)
#include "tst_radiotypes.moc"
