#include "Editors/FieldBindings.h"

#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "TestSettings.h"

#include <QTest>
#include <memory>

using namespace FieldBindings;

namespace {

RadioMemory channel(const QString &shiftRaw, const QString &flagsRaw, const QString &kind = QString(),
                    const QString &code = QStringLiteral("000")) {
    RadioMemory memory = RadioMemory::empty(QStringLiteral("001"), RadioModel::ft991a);
    memory.frequency = QStringLiteral("145500000");
    memory.isEmpty = false;
    memory.shiftRaw = shiftRaw;
    memory.flagsRaw = flagsRaw;
    memory.toneNumberKindRaw = kind;
    memory.toneNumberCode = code;
    return memory;
}

ShiftDirectionOption direction(const QString &raw) {
    return *shiftDirectionOptionFromRawValue(raw);
}

FT991AToneSqlOption mode(const QString &raw) {
    return *ft991aToneSqlOptionFromRawValue(raw);
}

// The controls of the tone columns, as a row of the mode table names them.
enum class ToneControl { systemOff, systemCtcss, systemDcs, openingOff, openingOn, decodeOn, decodeOff };

RadioMemory operate(const RadioMemory &memory, ToneControl control) {
    switch (control) {
    case ToneControl::systemOff:
        return withToneSystem(memory, FT991AToneSystem::off);
    case ToneControl::systemCtcss:
        return withToneSystem(memory, FT991AToneSystem::ctcss);
    case ToneControl::systemDcs:
        return withToneSystem(memory, FT991AToneSystem::dcs);
    case ToneControl::openingOff:
        return withOpeningTone(memory, false);
    case ToneControl::openingOn:
        return withOpeningTone(memory, true);
    case ToneControl::decodeOn:
        return withSquelchDecode(memory, true);
    case ToneControl::decodeOff:
        return withSquelchDecode(memory, false);
    }
    return memory;
}

} // namespace

class tst_FieldBindings : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        UserDefaults::setValue(L::userDefaultsLanguageKey(), QStringLiteral("de"));
    }

    void frequencyEntryKeepsDigitsAndEmptyMark_data();
    void frequencyEntryKeepsDigitsAndEmptyMark();
    void frequencyShownWithoutLeadingZeros();
    void shiftAndClarifierShareShiftRaw_data();
    void shiftAndClarifierShareShiftRaw();
    void repeaterShiftRewritesLastFlagDigit_data();
    void repeaterShiftRewritesLastFlagDigit();
    void tableShiftFollowsShownModel();
    void toneControlsGiveModes_data();
    void toneControlsGiveModes();
    void toneSettersKeepFieldsInStep_data();
    void toneSettersKeepFieldsInStep();
    void toneNumberNormalised_data();
    void toneNumberNormalised();
    void toneNumberSetterTakesKindFromFlags_data();
    void toneNumberSetterTakesKindFromFlags();
    void tonePickerFollowsFlagsNotKind();
    void toneLabel_data();
    void toneLabel();
    void draftBindingsMatchRowBindings();

private:
    std::unique_ptr<TestSettings> m_settings;
};

void tst_FieldBindings::frequencyEntryKeepsDigitsAndEmptyMark_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("empty");
    QTest::addRow("dots and blanks") << "145.500 000"
                                     << "145500000" << false;
    QTest::addRow("leading zeros") << "0007074000"
                                   << "7074000" << false;
    QTest::addRow("zeros only") << "000"
                                << "0" << false;
    QTest::addRow("cleared") << ""
                             << "" << true;
    QTest::addRow("no digits") << "abc"
                               << "" << true;
    QTest::addRow("twelve digits kept") << "123456789012"
                                        << "123456789012" << false;
}

void tst_FieldBindings::frequencyEntryKeepsDigitsAndEmptyMark() {
    QFETCH(QString, entry);
    QFETCH(QString, stored);
    QFETCH(bool, empty);
    RadioMemory memory = channel("+000000", "10000");
    memory.isEmpty = !empty;
    const RadioMemory edited = withFrequency(memory, entry);
    QCOMPARE(edited.frequency, stored);
    QCOMPARE(edited.isEmpty, empty);
}

void tst_FieldBindings::frequencyShownWithoutLeadingZeros() {
    RadioMemory memory = channel("+000000", "10000");
    memory.frequency = QStringLiteral("014550000");
    QCOMPARE(frequency(memory), QStringLiteral("14550000"));
}

void tst_FieldBindings::shiftAndClarifierShareShiftRaw_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("newDirection"); // empty: the amount is set instead
    QTest::addColumn<QString>("newAmount");
    QTest::addColumn<QString>("after");
    QTest::addRow("direction needs an amount first") << "+000000"
                                                     << "-"
                                                     << ""
                                                     << "+000000";
    QTest::addRow("amount leaves simplex as plus") << "+000000"
                                                   << ""
                                                   << "600"
                                                   << "+000600";
    QTest::addRow("zero amount stays simplex") << "+000000"
                                               << ""
                                               << "0"
                                               << "+000000";
    QTest::addRow("amount keeps minus") << "-000100"
                                        << ""
                                        << "600"
                                        << "-000600";
    QTest::addRow("amount keeps plus") << "+000100"
                                       << ""
                                       << "25"
                                       << "+000025";
    QTest::addRow("direction keeps amount") << "+000600"
                                            << "-"
                                            << ""
                                            << "-000600";
    QTest::addRow("simplex drops amount") << "-000600"
                                          << "Simplex"
                                          << ""
                                          << "+000000";
    QTest::addRow("seven digits keep six") << "+000100"
                                           << ""
                                           << "1234567"
                                           << "+123456";
    QTest::addRow("cleared amount") << "-000600"
                                    << ""
                                    << ""
                                    << "+000000";
}

void tst_FieldBindings::shiftAndClarifierShareShiftRaw() {
    QFETCH(QString, before);
    QFETCH(QString, newDirection);
    QFETCH(QString, newAmount);
    QFETCH(QString, after);
    const RadioMemory memory = channel(before, "10000");
    const RadioMemory edited = newDirection.isEmpty() ? withShiftAmount(memory, newAmount)
                                                      : withShiftDirection(memory, direction(newDirection));
    QCOMPARE(edited.shiftRaw, after);
    QCOMPARE(edited.flagsRaw, memory.flagsRaw);
    QCOMPARE(shiftAmount(edited), MemoryDraft::shiftAmount(after));
    QCOMPARE(shiftDirection(edited), MemoryDraft::shiftDirection(after));
}

void tst_FieldBindings::repeaterShiftRewritesLastFlagDigit_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("newDirection");
    QTest::addColumn<QString>("after");
    QTest::addRow("plus") << "10000"
                          << "+"
                          << "10001";
    QTest::addRow("minus") << "12000"
                           << "-"
                           << "12002";
    QTest::addRow("simplex") << "12001"
                             << "Simplex"
                             << "12000";
    QTest::addRow("middle digits reset") << "13451"
                                         << "+"
                                         << "13001";
    QTest::addRow("unknown tone digit becomes off") << "19001"
                                                    << "-"
                                                    << "10002";
    QTest::addRow("single digit right-aligned") << "1"
                                                << "-"
                                                << "00002";
}

void tst_FieldBindings::repeaterShiftRewritesLastFlagDigit() {
    QFETCH(QString, before);
    QFETCH(QString, newDirection);
    QFETCH(QString, after);
    const RadioMemory edited = withRepeaterShift(channel("+000500", before), direction(newDirection));
    QCOMPARE(edited.flagsRaw, after);
    QCOMPARE(edited.shiftRaw, QStringLiteral("+000500"));
    QCOMPARE(repeaterShift(edited), direction(newDirection));
}

void tst_FieldBindings::tableShiftFollowsShownModel() {
    RadioMemory ft991aRow = channel("+000500", "10002");
    QCOMPARE(tableShift(ft991aRow, RadioModel::ft991a), ShiftDirectionOption::minus);
    QCOMPARE(tableShift(ft991aRow, RadioModel::ft710), ShiftDirectionOption::plus);
    const RadioMemory onShift = withTableShift(ft991aRow, RadioModel::ft710, ShiftDirectionOption::minus);
    QCOMPARE(onShift.shiftRaw, QStringLiteral("-000500"));
    QCOMPARE(onShift.flagsRaw, QStringLiteral("10002"));

    RadioMemory ft710Row = channel("+000500", "10000");
    ft710Row.radioModel = RadioModel::ft710;
    const RadioMemory onFlags = withTableShift(ft710Row, RadioModel::ft991a, ShiftDirectionOption::plus);
    QCOMPARE(onFlags.flagsRaw, QStringLiteral("10001"));
    QCOMPARE(onFlags.shiftRaw, QStringLiteral("+000500"));
}

void tst_FieldBindings::toneControlsGiveModes_data() {
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("result");
    // Rows: current mode; columns: system off, CTCSS, DCS; opening off, on; decode on, off.
    const QList<QPair<QString, QStringList>> table{
        {"0", {"0", "2", "4", "0", "0", "0", "0"}}, {"1", {"0", "1", "3", "0", "1", "1", "2"}},
        {"2", {"0", "2", "4", "0", "2", "1", "2"}}, {"3", {"0", "1", "3", "0", "3", "3", "4"}},
        {"4", {"0", "2", "4", "0", "4", "3", "4"}},
    };
    const QStringList controls{"system off", "system CTCSS", "system DCS", "opening off",
                               "opening on", "decode on",    "decode off"};
    for (const auto &[current, results] : table) {
        for (int control = 0; control < controls.size(); ++control)
            QTest::addRow("mode %s, %s", qPrintable(current), qPrintable(controls[control]))
                << current << control << results[control];
    }
}

void tst_FieldBindings::toneControlsGiveModes() {
    QFETCH(QString, current);
    QFETCH(int, control);
    QFETCH(QString, result);
    const RadioMemory memory = channel("+000000", "1" + current + "001", "", "012");
    const RadioMemory edited = operate(memory, ToneControl(control));
    QCOMPARE(toneSqlMode(edited), mode(result));
    QCOMPARE(edited.flagsRaw, "1" + result + "001");
}

void tst_FieldBindings::toneSettersKeepFieldsInStep_data() {
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("control"); // -1: the tone-mode picker set to ctcssEnc
    QTest::addColumn<QString>("newFlags");
    QTest::addColumn<QString>("newKind");
    QTest::addColumn<QString>("newCode");
    QTest::addRow("mode picker keeps a code") << "10001"
                                              << "012" << -1 << "12001"
                                              << "0"
                                              << "012";
    QTest::addRow("mode picker fills an empty code") << "10001"
                                                     << "" << -1 << "12001"
                                                     << "0"
                                                     << "000";
    QTest::addRow("mode picker fills a code without digits") << "10001"
                                                             << "ab" << -1 << "12001"
                                                             << "0"
                                                             << "000";
    QTest::addRow("system CTCSS from DCS keeps code") << "13451"
                                                      << "007" << int(ToneControl::systemCtcss) << "11001"
                                                      << "0"
                                                      << "007";
    QTest::addRow("opening on while off stays off") << "10001"
                                                    << "012" << int(ToneControl::openingOn) << "10001"
                                                    << ""
                                                    << "000";
    QTest::addRow("opening off drops the number") << "11001"
                                                  << "012" << int(ToneControl::openingOff) << "10001"
                                                  << ""
                                                  << "000";
    QTest::addRow("decode off keeps DCS code") << "13000"
                                               << "015" << int(ToneControl::decodeOff) << "14000"
                                               << "1"
                                               << "015";
    QTest::addRow("single flag digit") << "1"
                                       << "012" << -1 << "02001"
                                       << "0"
                                       << "012";
}

void tst_FieldBindings::toneSettersKeepFieldsInStep() {
    QFETCH(QString, flags);
    QFETCH(QString, code);
    QFETCH(int, control);
    QFETCH(QString, newFlags);
    QFETCH(QString, newKind);
    QFETCH(QString, newCode);
    const RadioMemory memory = channel("+000000", flags, "1", code);
    const RadioMemory edited = control < 0 ? withToneSqlMode(memory, FT991AToneSqlOption::ctcssEnc)
                                           : operate(memory, ToneControl(control));
    QCOMPARE(edited.flagsRaw, newFlags);
    QCOMPARE(edited.toneNumberKindRaw, newKind);
    QCOMPARE(edited.toneNumberCode, newCode);
}

void tst_FieldBindings::toneNumberNormalised_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("shown");
    QTest::addRow("one digit") << "1"
                               << "001";
    QTest::addRow("four digits") << "1234"
                                 << "123";
    QTest::addRow("letters between") << "1ab2"
                                     << "012";
    QTest::addRow("empty") << ""
                           << "000";
    QTest::addRow("beyond the table kept") << "050"
                                           << "050";
}

void tst_FieldBindings::toneNumberNormalised() {
    QFETCH(QString, code);
    QFETCH(QString, shown);
    QCOMPARE(toneNumber(channel("+000000", "11000", "0", code)), shown);
    QCOMPARE(withToneNumber(channel("+000000", "11000"), code).toneNumberCode, shown);
}

void tst_FieldBindings::toneNumberSetterTakesKindFromFlags_data() {
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("kind");
    QTest::addRow("DCS mode") << "13000"
                              << "1";
    QTest::addRow("CTCSS mode") << "12000"
                                << "0";
    QTest::addRow("off") << "10000"
                         << "";
}

void tst_FieldBindings::toneNumberSetterTakesKindFromFlags() {
    QFETCH(QString, flags);
    QFETCH(QString, kind);
    const RadioMemory edited = withToneNumber(channel("+000000", flags, "0"), QStringLiteral("001"));
    QCOMPARE(edited.toneNumberKindRaw, kind);
    QCOMPARE(edited.flagsRaw, flags);
    QCOMPARE(edited.toneNumberCode, QStringLiteral("001"));
}

void tst_FieldBindings::tonePickerFollowsFlagsNotKind() {
    const RadioMemory ctcssFlagsDcsKind = channel("+000000", "11000", "1", "003");
    const auto picker = toneNumberPicker(ctcssFlagsDcsKind);
    QVERIFY(picker);
    QCOMPARE(picker->title, QStringLiteral("CTCSS-Ton"));
    QCOMPARE(picker->options->size(), 50);
    QCOMPARE(withOpeningTone(ctcssFlagsDcsKind, true).toneNumberKindRaw, QStringLiteral("0"));

    const auto dcs = toneNumberPicker(channel("+000000", "14000", "1"));
    QVERIFY(dcs);
    QCOMPARE(dcs->title, QStringLiteral("DCS-Code"));
    QCOMPARE(dcs->options->size(), 104);
    QVERIFY(!toneNumberPicker(channel("+000000", "10000")));
}

void tst_FieldBindings::toneLabel_data() {
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("label");
    QTest::addRow("CTCSS") << "11000"
                           << "001"
                           << "69.3 Hz";
    QTest::addRow("CTCSS code not in table form") << "11000"
                                                  << "1"
                                                  << "1";
    QTest::addRow("DCS") << "13000"
                         << "001"
                         << "025";
    QTest::addRow("off") << "10000"
                         << "001"
                         << "Nicht aktiv";
}

void tst_FieldBindings::toneLabel() {
    QFETCH(QString, flags);
    QFETCH(QString, code);
    QFETCH(QString, label);
    QCOMPARE(FieldBindings::toneLabel(MemoryDraft(channel("+000000", flags, "", code))), label);
}

void tst_FieldBindings::draftBindingsMatchRowBindings() {
    const RadioMemory memory = channel("-000300", "12001", "0", "012");
    const MemoryDraft draft(memory);
    QCOMPARE(withShiftAmount(draft, "45").shiftRaw, withShiftAmount(memory, "45").shiftRaw);
    QCOMPARE(withRepeaterShift(draft, ShiftDirectionOption::minus).flagsRaw,
             withRepeaterShift(memory, ShiftDirectionOption::minus).flagsRaw);
    const MemoryDraft toned = withToneSystem(draft, FT991AToneSystem::dcs);
    const RadioMemory tonedRow = withToneSystem(memory, FT991AToneSystem::dcs);
    QCOMPARE(toned.flagsRaw, tonedRow.flagsRaw);
    QCOMPARE(toned.toneNumberKindRaw, tonedRow.toneNumberKindRaw);
    QCOMPARE(toned.toneNumberCode, tonedRow.toneNumberCode);
}

QTEST_GUILESS_MAIN(tst_FieldBindings)
#include "tst_fieldbindings.moc"
