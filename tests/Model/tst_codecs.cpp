#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/MemoryDraft.h"
#include "TestSettings.h"

#include <QTest>

Q_DECLARE_METATYPE(ShiftDirectionOption)
Q_DECLARE_METATYPE(FT991AToneSqlOption)

namespace {

MemoryDraft ft991aDraft(const QString &shiftRaw, const QString &flags, const QString &toneCode) {
    MemoryDraft draft("001", RadioModel::ft991a);
    draft.shiftRaw = shiftRaw;
    draft.flagsRaw = flags;
    draft.toneNumberCode = toneCode;
    return draft;
}

} // namespace

class CodecsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    // --- tone tables

    void tablesHaveTheirRows() {
        const auto &ctcss = MemoryDraft::ft991aCtcssOptions();
        const auto &dcs = MemoryDraft::ft991aDcsOptions();
        QCOMPARE(ctcss.size(), 50);
        QCOMPARE(dcs.size(), 104);
        QCOMPARE(ctcss.first().title(), QStringLiteral("000 \u00B7 67.0 Hz"));
        QCOMPARE(ctcss.at(12).label, QStringLiteral("100.0 Hz"));
        QCOMPARE(ctcss.last().code, QStringLiteral("049"));
        QCOMPARE(ctcss.last().label, QStringLiteral("254.1 Hz"));
        QCOMPARE(dcs.first().title(), QStringLiteral("000 \u00B7 DCS 023"));
        QCOMPARE(dcs.last().code, QStringLiteral("103"));
        QCOMPARE(dcs.last().label, QStringLiteral("754"));
        QVERIFY(!(ctcss.first() == dcs.first()));
        QVERIFY(ctcss.first().id() != dcs.first().id());
    }

    void tablesAreGaplessAndAscending() {
        for (const auto *table : {&MemoryDraft::ft991aCtcssOptions(), &MemoryDraft::ft991aDcsOptions()}) {
            for (qsizetype i = 0; i < table->size(); ++i) {
                QCOMPARE(table->at(i).code, QString::asprintf("%03d", int(i)));
                if (i > 0)
                    QVERIFY(table->at(i - 1).label.split(' ').first().toDouble() <
                            table->at(i).label.split(' ').first().toDouble());
            }
        }
        QCOMPARE(MemoryDraft::ft991aCtcssOptions().first().kind, FT991AToneNumberKind::ctcss);
        QCOMPARE(MemoryDraft::ft991aDcsOptions().first().kind, FT991AToneNumberKind::dcs);
    }

    void defaultToneCodeIsTheFirstRow() {
        for (FT991AToneSqlOption option : allFT991AToneSqlOptions())
            QCOMPARE(MemoryDraft::defaultToneCode(option), QStringLiteral("000"));
    }

    // --- shift codecs

    void shiftDecoding_data() {
        QTest::addColumn<QString>("shiftRaw");
        QTest::addColumn<ShiftDirectionOption>("direction");
        QTest::addColumn<QString>("amount");
        QTest::addRow("empty") << "" << ShiftDirectionOption::simplex << "";
        QTest::addRow("no digits") << "-abc" << ShiftDirectionOption::simplex << "";
        QTest::addRow("zero amount with minus") << "-000000" << ShiftDirectionOption::simplex << "";
        QTest::addRow("no sign is plus") << "600" << ShiftDirectionOption::plus << "600";
        QTest::addRow("+000600") << "+000600" << ShiftDirectionOption::plus << "600";
        QTest::addRow("blank before minus") << " -600" << ShiftDirectionOption::minus << "600";
        QTest::addRow("minus after another character") << "x-600" << ShiftDirectionOption::plus << "600";
        QTest::addRow("seventh digit dropped") << "+1234567" << ShiftDirectionOption::plus << "123456";
        QTest::addRow("other characters skipped") << "+0006.25" << ShiftDirectionOption::plus << "625";
    }
    void shiftDecoding() {
        QFETCH(QString, shiftRaw);
        QFETCH(ShiftDirectionOption, direction);
        QFETCH(QString, amount);
        QCOMPARE(MemoryDraft::shiftDirection(shiftRaw), direction);
        QCOMPARE(MemoryDraft::shiftAmount(shiftRaw), amount);
    }

    void shiftComposing_data() {
        QTest::addColumn<ShiftDirectionOption>("direction");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("shiftRaw");
        QTest::addRow("simplex ignores the amount") << ShiftDirectionOption::simplex << "600"
                                                    << "+000000";
        QTest::addRow("plus with empty amount") << ShiftDirectionOption::plus << ""
                                                << "+000000";
        QTest::addRow("minus with zeros") << ShiftDirectionOption::minus << "000"
                                          << "+000000";
        QTest::addRow("minus 600") << ShiftDirectionOption::minus << "600"
                                   << "-000600";
        QTest::addRow("plus 600") << ShiftDirectionOption::plus << "600"
                                  << "+000600";
        QTest::addRow("seven digits keep six") << ShiftDirectionOption::plus << "1234567"
                                               << "+123456";
    }
    void shiftComposing() {
        QFETCH(ShiftDirectionOption, direction);
        QFETCH(QString, amount);
        QFETCH(QString, shiftRaw);
        QCOMPARE(MemoryDraft::composeShiftRaw(direction, amount), shiftRaw);
    }

    void shiftRoundTrip() {
        for (ShiftDirectionOption direction : allShiftDirectionOptions()) {
            for (const QString amount : {"", "1", "600", "999999"}) {
                const QString composed = MemoryDraft::composeShiftRaw(direction, amount);
                QCOMPARE(MemoryDraft::composeShiftRaw(MemoryDraft::shiftDirection(composed),
                                                      MemoryDraft::shiftAmount(composed)),
                         composed);
            }
        }
    }

    // --- flags codecs

    void flagsDecoding_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<FT991AToneSqlOption>("mode");
        QTest::addColumn<ShiftDirectionOption>("shift");
        QTest::addRow("10000") << "10000" << FT991AToneSqlOption::off << ShiftDirectionOption::simplex;
        QTest::addRow("no mode code in place 2")
            << "15000" << FT991AToneSqlOption::off << ShiftDirectionOption::simplex;
        QTest::addRow("empty") << "" << FT991AToneSqlOption::off << ShiftDirectionOption::simplex;
        QTest::addRow("1 is 00001") << "1" << FT991AToneSqlOption::off << ShiftDirectionOption::plus;
        QTest::addRow("2 is 00002") << "2" << FT991AToneSqlOption::off << ShiftDirectionOption::minus;
        QTest::addRow("letter dropped first")
            << "1x1000" << FT991AToneSqlOption::ctcssEncDec << ShiftDirectionOption::simplex;
        QTest::addRow("1a100 differs from the record's reading")
            << "1a100" << FT991AToneSqlOption::ctcssEncDec << ShiftDirectionOption::simplex;
        QTest::addRow("place 5 holds 3")
            << "14003" << FT991AToneSqlOption::dcsEnc << ShiftDirectionOption::simplex;
        QTest::addRow("only five digits count")
            << "130012" << FT991AToneSqlOption::dcsEncDec << ShiftDirectionOption::plus;
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
        QTest::addRow("places 3 and 4 rewritten")
            << "11992" << FT991AToneSqlOption::ctcssEnc << ShiftDirectionOption::plus << "12001";
        QTest::addRow("empty existing")
            << "" << FT991AToneSqlOption::dcsEnc << ShiftDirectionOption::minus << "04002";
        QTest::addRow("short existing")
            << "1" << FT991AToneSqlOption::off << ShiftDirectionOption::simplex << "00000";
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

    // --- FT-991A summaries of a draft

    void clarifierSummary_data() {
        QTest::addColumn<QString>("shiftRaw");
        QTest::addColumn<QString>("summary");
        QTest::addRow("zero") << "+000000"
                              << "Clarifier aus";
        QTest::addRow("empty") << ""
                               << "Clarifier aus";
        QTest::addRow("no digits") << "abc"
                                   << "Clarifier aus";
        QTest::addRow("minus 120") << "-000120"
                                   << "Clarifier -120";
        QTest::addRow("white space around") << " \t+000120\n"
                                            << "Clarifier +120";
    }
    void clarifierSummary() {
        QFETCH(QString, shiftRaw);
        QFETCH(QString, summary);
        for (const char *language : {"de", "en"}) {
            UserDefaults::setValue(L::userDefaultsLanguageKey(), language);
            QCOMPARE(MemoryDraft::ft991ClarifierSummary(ft991aDraft(shiftRaw, "10000", "000")), summary);
        }
    }

    void toneSummary_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("toneCode");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        QTest::addRow("off") << "10000"
                             << "008"
                             << "Tonsystem aus"
                             << "Tonsystem aus";
        QTest::addRow("ctcss enc/dec") << "11000"
                                       << "008"
                                       << "CTCSS + SQL · 88.5 Hz"
                                       << "CTCSS + SQL · 88.5 Hz";
        QTest::addRow("ctcss enc") << "12000"
                                   << "012"
                                   << "CTCSS Öffnungston · 100.0 Hz"
                                   << "CTCSS opening tone · 100.0 Hz";
        QTest::addRow("dcs enc/dec") << "13000"
                                     << "103"
                                     << "DCS + SQL · 754"
                                     << "DCS + SQL · 754";
        QTest::addRow("dcs enc") << "14000"
                                 << "008"
                                 << "DCS Öffnungston · 051"
                                 << "DCS opening tone · 051";
        QTest::addRow("unpadded code shown as typed") << "11000"
                                                      << "8"
                                                      << "CTCSS + SQL · 8"
                                                      << "CTCSS + SQL · 8";
        QTest::addRow("code beyond the ctcss table") << "11000"
                                                     << "050"
                                                     << "CTCSS + SQL · 050"
                                                     << "CTCSS + SQL · 050";
    }
    void toneSummary() {
        QFETCH(QString, flags);
        QFETCH(QString, toneCode);
        QFETCH(QString, german);
        QFETCH(QString, english);
        MemoryDraft draft = ft991aDraft("+000000", flags, toneCode);
        // The table follows the mode alone, not the stored kind.
        draft.toneNumberKindRaw = "0";
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "de");
        QCOMPARE(MemoryDraft::ft991ToneSummary(draft), german);
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "en");
        QCOMPARE(MemoryDraft::ft991ToneSummary(draft), english);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(CodecsTest)
#include "tst_codecs.moc"
