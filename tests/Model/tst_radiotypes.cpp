#include "Model/MemoryDraft.h"
#include "Model/RadioError.h"
#include "ModelTesting.h"
#include "TestSettings.h"

#include <QTest>

// The closed vocabularies of radio work: models, modes, directions, errors and the FT-991A tones.
class RadioTypesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }
    void cleanup() { L::setPreferredLanguagesSource({}); }

    void radioModelFromRawValue_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<bool>("known");
        QTest::addRow("FT-710") << u"FT-710"_s << true;
        QTest::addRow("FT-991A") << u"FT-991A"_s << true;
        QTest::addRow("lower case") << u"ft-710"_s << false;
        QTest::addRow("trailing blank") << u"FT-710 "_s << false;
        QTest::addRow("empty") << QString() << false;
    }
    void radioModelFromRawValue() {
        QFETCH(QString, raw);
        QFETCH(bool, known);
        const std::optional<RadioModel> model = ::radioModelFromRawValue(raw);
        QCOMPARE(model.has_value(), known);
        if (known)
            QCOMPARE(rawValue(*model), raw);
    }

    void modelsAndModes() {
        QCOMPARE(allRadioModels(), (QList<RadioModel>{RadioModel::ft710, RadioModel::ft991a}));
        QCOMPARE(memoryRange(RadioModel::ft710), (ChannelRange{1, 99}));
        QCOMPARE(memoryRange(RadioModel::ft991a), (ChannelRange{1, 117}));
        QCOMPARE(supportedModes(RadioModel::ft710).size(), 12);
        QCOMPARE(supportedModes(RadioModel::ft710).last(), RadioModeOption::dataUsb);
        QCOMPARE(supportedModes(RadioModel::ft991a), allRadioModeOptions());
        QStringList modes;
        for (RadioModeOption mode : allRadioModeOptions())
            modes << code(mode) + u' ' + title(mode);
        QCOMPARE(modes.join(','), u"1 LSB,2 USB,3 CW,4 FM,5 AM,6 RTTY-LSB,7 CW-R,8 DATA-LSB,9 RTTY-USB,"
                                  "A DATA-FM,B FM-N,C DATA-USB,D AM-N,E C4FM"_s);
        QStringList directions;
        for (ShiftDirectionOption direction : allShiftDirectionOptions())
            directions << rawValue(direction);
        QCOMPARE(directions, (QStringList{u"Simplex"_s, u"+"_s, u"-"_s}));
        QCOMPARE(shiftDirectionOptionFromRawValue(u"-"_s), ShiftDirectionOption::minus);
        QCOMPARE(shiftDirectionOptionFromRawValue(u"simplex"_s), std::nullopt);
    }

    // The raw value is matched exactly; the code lookup upper-cases first.
    void modeLookup_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("byRawValue");
        QTest::addColumn<QString>("byCode");
        QTest::addRow("lower-case a") << u"a"_s << QString() << u"DATA-FM"_s;
        QTest::addRow("lower-case e") << u"e"_s << QString() << u"C4FM"_s;
        QTest::addRow("upper-case A") << u"A"_s << u"DATA-FM"_s << u"DATA-FM"_s;
        QTest::addRow("digit 0") << u"0"_s << QString() << QString();
        QTest::addRow("letter F") << u"F"_s << QString() << QString();
        QTest::addRow("two letters") << u"AB"_s << QString() << QString();
        QTest::addRow("empty") << QString() << QString() << QString();
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

    // Each text follows the language in force when it is asked for, not when the error was made.
    void errorTexts_data() {
        QTest::addColumn<RadioError>("error");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        QTest::addRow("portOpenFailed")
            << RadioError::portOpenFailed(u"/dev/ttyUSB0"_s)
            << u"Port konnte nicht geöffnet werden: /dev/ttyUSB0"_s << u"Could not open port: /dev/ttyUSB0"_s;
        QTest::addRow("portWriteFailed") << RadioError::portWriteFailed(u"MR001;"_s)
                                         << u"CAT-Befehl konnte nicht geschrieben werden: MR001;"_s
                                         << u"Could not write CAT command: MR001;"_s;
        QTest::addRow("timeout") << RadioError::timeout(u"MR001;"_s)
                                 << u"Zeitüberschreitung bei CAT-Befehl: MR001;"_s
                                 << u"Timed out waiting for CAT command: MR001;"_s;
        QTest::addRow("rejected") << RadioError::rejected(u"MT001;"_s)
                                  << u"Funkgerät hat CAT-Befehl abgelehnt: MT001;"_s
                                  << u"Radio rejected CAT command: MT001;"_s;
        QTest::addRow("invalidResponse")
            << RadioError::invalidResponse(u"MR0;"_s) << u"Ungültige CAT-Antwort: MR0;"_s
            << u"Invalid CAT response: MR0;"_s;
        QTest::addRow("invalidMemory with empty detail")
            << RadioError::invalidMemory(QString()) << u"Ungültiger Speicherinhalt: "_s
            << u"Invalid memory content: "_s;
        QTest::addRow("detail inserted unchanged")
            << RadioError::invalidMemory(u"%1 \"x\""_s) << u"Ungültiger Speicherinhalt: %1 \"x\""_s
            << u"Invalid memory content: %1 \"x\""_s;
        QTest::addRow("notConnected") << RadioError::notConnected() << u"Keine aktive CAT-Verbindung."_s
                                      << u"No active CAT connection."_s;
        QTest::addRow("busy") << RadioError::busy() << u"Die CAT-Verbindung ist gerade beschäftigt."_s
                              << u"The CAT connection is currently busy."_s;
    }
    void errorTexts() {
        QFETCH(RadioError, error);
        QFETCH(QString, german);
        QFETCH(QString, english);
        setLanguage(u"en"_s);
        QCOMPARE(error.errorDescription(), english);
        QCOMPARE(QString::fromUtf8(error.what()), english);
        setLanguage(u"de"_s);
        QCOMPARE(error.errorDescription(), german);
        setLanguage(u"system"_s);
        L::setPreferredLanguagesSource([] { return QStringList{u"fr-FR"_s}; });
        QCOMPARE(error.errorDescription(), english);
    }

    void toneSqlOptionFromCode_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("option");
        QTest::addRow("3") << u"3"_s << int(FT991AToneSqlOption::dcsEncDec);
        QTest::addRow("0") << u"0"_s << int(FT991AToneSqlOption::off);
        QTest::addRow("5") << u"5"_s << -1;
        QTest::addRow("leading blank") << u" 1"_s << -1;
        QTest::addRow("two digits") << u"01"_s << -1;
        QTest::addRow("empty") << QString() << -1;
    }
    void toneSqlOptionFromCode() {
        QFETCH(QString, code);
        QFETCH(int, option);
        const std::optional<FT991AToneSqlOption> found = ft991aToneSqlOptionFromCode(code);
        QCOMPARE(found ? int(*found) : -1, option);
    }

    // Code, title, tone system, the two switches, number kind and default tone code of every mode.
    void toneSqlOptionProperties() {
        setLanguage(u"de"_s);
        QStringList rows;
        for (FT991AToneSqlOption option : allFT991AToneSqlOptions()) {
            rows << u"%1 %2 %3 %4 %5 %6 %7"_s.arg(code(option), title(option), rawValue(toneSystem(option)))
                        .arg(openingToneEnabled(option))
                        .arg(squelchDecodeEnabled(option))
                        .arg(rawValue(numberKind(option)), MemoryDraft::defaultToneCode(option));
        }
        QCOMPARE(rows, (QStringList{u"0 Aus off 0 0  000"_s, u"1 CTCSS ENC/DEC ctcss 1 1 0 000"_s,
                                    u"2 CTCSS ENC ctcss 1 0 0 000"_s, u"3 DCS ENC/DEC dcs 1 1 1 000"_s,
                                    u"4 DCS ENC dcs 1 0 1 000"_s}));
    }

    void toneNumberKindsAndSystems() {
        QCOMPARE(ft991aToneNumberKindFromRawValue(QString()), FT991AToneNumberKind::none);
        QCOMPARE(ft991aToneNumberKindFromRawValue(u"0"_s), FT991AToneNumberKind::ctcss);
        QCOMPARE(ft991aToneNumberKindFromRawValue(u"1"_s), FT991AToneNumberKind::dcs);
        QCOMPARE(ft991aToneNumberKindFromRawValue(u"2"_s), std::nullopt);
        QCOMPARE(ft991aToneNumberKindFromRawValue(u"00"_s), std::nullopt);
        QCOMPARE(commandCode(FT991AToneNumberKind::none), QString());
        QCOMPARE(commandCode(FT991AToneNumberKind::dcs), u"1"_s);
        QCOMPARE(ft991aToneSystemFromRawValue(u"ctcss"_s), FT991AToneSystem::ctcss);
        QCOMPARE(ft991aToneSystemFromRawValue(u"CTCSS"_s), std::nullopt);
        QCOMPARE(
            allFT991AToneSystems(),
            (QList<FT991AToneSystem>{FT991AToneSystem::off, FT991AToneSystem::ctcss, FT991AToneSystem::dcs}));
        setLanguage(u"en"_s);
        QCOMPARE(title(FT991AToneSystem::off), u"Off"_s);
    }

    // The whole table; it also shows that composing a mode's own parts gives the mode back.
    void compose_data() {
        QTest::addColumn<FT991AToneSystem>("system");
        QTest::addColumn<bool>("openingTone");
        QTest::addColumn<bool>("squelchDecode");
        QTest::addColumn<FT991AToneSqlOption>("expected");
        using enum FT991AToneSqlOption;
        const auto offSystem = FT991AToneSystem::off;
        const auto ctcss = FT991AToneSystem::ctcss;
        const auto dcs = FT991AToneSystem::dcs;
        QTest::addRow("off, -, -") << offSystem << false << false << off;
        QTest::addRow("off, -, sql") << offSystem << false << true << off;
        QTest::addRow("off, tone, -") << offSystem << true << false << off;
        QTest::addRow("off, tone, sql") << offSystem << true << true << off;
        QTest::addRow("ctcss, -, -") << ctcss << false << false << off;
        QTest::addRow("ctcss, -, sql") << ctcss << false << true << ctcssEncDec;
        QTest::addRow("ctcss, tone, -") << ctcss << true << false << ctcssEnc;
        QTest::addRow("ctcss, tone, sql") << ctcss << true << true << ctcssEncDec;
        QTest::addRow("dcs, -, -") << dcs << false << false << off;
        QTest::addRow("dcs, -, sql") << dcs << false << true << dcsEncDec;
        QTest::addRow("dcs, tone, -") << dcs << true << false << dcsEnc;
        QTest::addRow("dcs, tone, sql") << dcs << true << true << dcsEncDec;
    }
    void compose() {
        QFETCH(FT991AToneSystem, system);
        QFETCH(bool, openingTone);
        QFETCH(bool, squelchDecode);
        QFETCH(FT991AToneSqlOption, expected);
        QCOMPARE(composeFT991AToneSqlOption(system, openingTone, squelchDecode), expected);
    }

    // Counts, gapless codes in ascending order, kinds and a few exact rows of both tone tables.
    void toneTables() {
        const auto &ctcss = MemoryDraft::ft991aCtcssOptions();
        const auto &dcs = MemoryDraft::ft991aDcsOptions();
        QCOMPARE(ctcss.size(), 50);
        QCOMPARE(dcs.size(), 104);
        for (const auto *table : {&ctcss, &dcs}) {
            for (qsizetype i = 0; i < table->size(); ++i) {
                QCOMPARE(table->at(i).kind, table->first().kind);
                QCOMPARE(table->at(i).code, QString::asprintf("%03d", int(i)));
                if (i > 0)
                    QVERIFY(table->at(i - 1).label.split(' ').first().toDouble() <
                            table->at(i).label.split(' ').first().toDouble());
            }
        }
        QCOMPARE(ctcss.first().kind, FT991AToneNumberKind::ctcss);
        QCOMPARE(dcs.first().kind, FT991AToneNumberKind::dcs);
        QCOMPARE(ctcss.first().title(), u"000 · 67.0 Hz"_s);
        QCOMPARE(ctcss.at(12).label, u"100.0 Hz"_s);
        QCOMPARE(ctcss.last().label, u"254.1 Hz"_s);
        QCOMPARE(dcs.first().title(), u"000 · DCS 023"_s);
        QCOMPARE(dcs.last().label, u"754"_s);
        QCOMPARE(ctcss.first().id(), u"0:000"_s);
        QCOMPARE(dcs.first().id(), u"1:000"_s);
        QVERIFY(!(ctcss.first() == dcs.first()));
    }

    void toneCodeOptionsCompareByCanonicalEquivalence() {
        const FT991AToneCodeOption precomposed{FT991AToneNumberKind::ctcss, u"000"_s, u"Caf\u00E9"_s};
        const FT991AToneCodeOption decomposed{FT991AToneNumberKind::ctcss, u"000"_s, u"Cafe\u0301"_s};
        QVERIFY(precomposed == decomposed);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(RadioTypesTest)
#include "tst_radiotypes.moc"
