#include "Editors/FieldBindings.h"

#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "TestSettings.h"

#include <QTest>
#include <memory>

using namespace FieldBindings;
using namespace Qt::StringLiterals;

namespace {

RadioMemory channel(const QString &shiftRaw, const QString &flagsRaw, const QString &kind = QString(),
                    const QString &code = u"000"_s) {
    RadioMemory memory = RadioMemory::empty(u"001"_s, RadioModel::ft991a);
    memory.frequency = u"145500000"_s;
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

// The tone controls, in the column order of the mode table below.
enum class ToneControl { systemOff, systemCtcss, systemDcs, openingOff, openingOn, decodeOn, decodeOff };

RadioMemory operate(const RadioMemory &memory, ToneControl control) {
    using Setter = RadioMemory (*)(const RadioMemory &);
    static const Setter setters[] = {
        [](const RadioMemory &m) { return withToneSystem(m, FT991AToneSystem::off); },
        [](const RadioMemory &m) { return withToneSystem(m, FT991AToneSystem::ctcss); },
        [](const RadioMemory &m) { return withToneSystem(m, FT991AToneSystem::dcs); },
        [](const RadioMemory &m) { return withOpeningTone(m, false); },
        [](const RadioMemory &m) { return withOpeningTone(m, true); },
        [](const RadioMemory &m) { return withSquelchDecode(m, true); },
        [](const RadioMemory &m) { return withSquelchDecode(m, false); },
    };
    return setters[int(control)](memory);
}

} // namespace

class tst_FieldBindings : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        UserDefaults::setValue(L::userDefaultsLanguageKey(), u"de"_s);
    }

    void frequencyEntryKeepsDigitsAndEmptyMark_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("empty");
        QTest::addRow("dots and blanks") << u"145.500 000"_s << u"145500000"_s << false;
        QTest::addRow("leading zeros") << u"0007074000"_s << u"7074000"_s << false;
        QTest::addRow("zeros only") << u"000"_s << u"0"_s << false;
        QTest::addRow("cleared") << u""_s << u""_s << true;
        QTest::addRow("no digits") << u"abc"_s << u""_s << true;
        QTest::addRow("twelve digits kept") << u"123456789012"_s << u"123456789012"_s << false;
    }
    void frequencyEntryKeepsDigitsAndEmptyMark() {
        QFETCH(QString, entry);
        QFETCH(QString, stored);
        QFETCH(bool, empty);
        RadioMemory memory = channel(u"+000000"_s, u"10000"_s);
        memory.isEmpty = !empty;
        const RadioMemory edited = withFrequency(memory, entry);
        QCOMPARE(edited.frequency, stored);
        QCOMPARE(edited.isEmpty, empty);
    }

    void shiftAndClarifierShareShiftRaw_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("newDirection"); // empty: the amount is set instead
        QTest::addColumn<QString>("newAmount");
        QTest::addColumn<QString>("after");
        QTest::addRow("direction needs an amount first") << u"+000000"_s << u"-"_s << u""_s << u"+000000"_s;
        QTest::addRow("amount leaves simplex as plus") << u"+000000"_s << u""_s << u"600"_s << u"+000600"_s;
        QTest::addRow("zero amount stays simplex") << u"+000000"_s << u""_s << u"0"_s << u"+000000"_s;
        QTest::addRow("amount keeps minus") << u"-000100"_s << u""_s << u"600"_s << u"-000600"_s;
        QTest::addRow("amount keeps plus") << u"+000100"_s << u""_s << u"25"_s << u"+000025"_s;
        QTest::addRow("direction keeps amount") << u"+000600"_s << u"-"_s << u""_s << u"-000600"_s;
        QTest::addRow("simplex drops amount") << u"-000600"_s << u"Simplex"_s << u""_s << u"+000000"_s;
        QTest::addRow("seven digits keep six") << u"+000100"_s << u""_s << u"1234567"_s << u"+123456"_s;
        QTest::addRow("cleared amount") << u"-000600"_s << u""_s << u""_s << u"+000000"_s;
    }
    void shiftAndClarifierShareShiftRaw() {
        QFETCH(QString, before);
        QFETCH(QString, newDirection);
        QFETCH(QString, newAmount);
        QFETCH(QString, after);
        const RadioMemory memory = channel(before, u"10000"_s);
        const RadioMemory edited = newDirection.isEmpty()
                                       ? withShiftAmount(memory, newAmount)
                                       : withShiftDirection(memory, direction(newDirection));
        QCOMPARE(edited.shiftRaw, after);
        QCOMPARE(edited.flagsRaw, memory.flagsRaw);
    }

    void repeaterShiftRewritesLastFlagDigit_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("newDirection");
        QTest::addColumn<QString>("after");
        QTest::addRow("plus") << u"10000"_s << u"+"_s << u"10001"_s;
        QTest::addRow("minus") << u"12000"_s << u"-"_s << u"12002"_s;
        QTest::addRow("simplex") << u"12001"_s << u"Simplex"_s << u"12000"_s;
        QTest::addRow("middle digits reset") << u"13451"_s << u"+"_s << u"13001"_s;
        QTest::addRow("unknown tone digit becomes off") << u"19001"_s << u"-"_s << u"10002"_s;
        QTest::addRow("single digit right-aligned") << u"1"_s << u"-"_s << u"00002"_s;
    }
    void repeaterShiftRewritesLastFlagDigit() {
        QFETCH(QString, before);
        QFETCH(QString, newDirection);
        QFETCH(QString, after);
        const RadioMemory edited = withRepeaterShift(channel(u"+000500"_s, before), direction(newDirection));
        QCOMPARE(edited.flagsRaw, after);
        QCOMPARE(edited.shiftRaw, u"+000500"_s);
        QCOMPARE(repeaterShift(edited), direction(newDirection));
    }

    void tableShiftFollowsShownModel() {
        const RadioMemory ft991aRow = channel(u"+000500"_s, u"10002"_s);
        QCOMPARE(tableShift(ft991aRow, RadioModel::ft991a), ShiftDirectionOption::minus);
        QCOMPARE(tableShift(ft991aRow, RadioModel::ft710), ShiftDirectionOption::plus);
        const RadioMemory onShift = withTableShift(ft991aRow, RadioModel::ft710, ShiftDirectionOption::minus);
        QCOMPARE(onShift.shiftRaw, u"-000500"_s);
        QCOMPARE(onShift.flagsRaw, u"10002"_s);

        RadioMemory ft710Row = channel(u"+000500"_s, u"10000"_s);
        ft710Row.radioModel = RadioModel::ft710;
        const RadioMemory onFlags = withTableShift(ft710Row, RadioModel::ft991a, ShiftDirectionOption::plus);
        QCOMPARE(onFlags.flagsRaw, u"10001"_s);
        QCOMPARE(onFlags.shiftRaw, u"+000500"_s);
    }

    void toneControlsGiveModes_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("result");
        // Rows: current mode; columns: system off, CTCSS, DCS; opening off, on; decode on, off.
        const QList<QPair<QString, QStringList>> table{
            {"0", {"0", "2", "4", "0", "0", "0", "0"}}, {"1", {"0", "1", "3", "0", "1", "1", "2"}},
            {"2", {"0", "2", "4", "0", "2", "1", "2"}}, {"3", {"0", "1", "3", "0", "3", "3", "4"}},
            {"4", {"0", "2", "4", "0", "4", "3", "4"}},
        };
        for (const auto &[current, results] : table) {
            for (int control = 0; control < results.size(); ++control)
                QTest::addRow("mode %s, control %d", qPrintable(current), control)
                    << current << control << results[control];
        }
    }
    void toneControlsGiveModes() {
        QFETCH(QString, current);
        QFETCH(int, control);
        QFETCH(QString, result);
        const RadioMemory edited =
            operate(channel(u"+000000"_s, "1" + current + "001", u""_s, u"012"_s), ToneControl(control));
        QCOMPARE(edited.flagsRaw, "1" + result + "001");
    }

    void toneSettersKeepFieldsInStep_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("control"); // -1: the tone-mode picker set to ctcssEnc
        QTest::addColumn<QString>("newFlags");
        QTest::addColumn<QString>("newKind");
        QTest::addColumn<QString>("newCode");
        const int systemCtcss = int(ToneControl::systemCtcss);
        QTest::addRow("mode picker keeps a code")
            << u"10001"_s << u"012"_s << -1 << u"12001"_s << u"0"_s << u"012"_s;
        QTest::addRow("mode picker fills an empty code")
            << u"10001"_s << u""_s << -1 << u"12001"_s << u"0"_s << u"000"_s;
        QTest::addRow("mode picker fills a code without digits")
            << u"10001"_s << u"ab"_s << -1 << u"12001"_s << u"0"_s << u"000"_s;
        QTest::addRow("system CTCSS from DCS keeps code")
            << u"13451"_s << u"007"_s << systemCtcss << u"11001"_s << u"0"_s << u"007"_s;
        QTest::addRow("opening on while off stays off")
            << u"10001"_s << u"012"_s << int(ToneControl::openingOn) << u"10001"_s << u""_s << u"000"_s;
        QTest::addRow("opening off drops the number")
            << u"11001"_s << u"012"_s << int(ToneControl::openingOff) << u"10001"_s << u""_s << u"000"_s;
        QTest::addRow("decode off keeps DCS code")
            << u"13000"_s << u"015"_s << int(ToneControl::decodeOff) << u"14000"_s << u"1"_s << u"015"_s;
        QTest::addRow("single flag digit") << u"1"_s << u"012"_s << -1 << u"02001"_s << u"0"_s << u"012"_s;
    }
    void toneSettersKeepFieldsInStep() {
        QFETCH(QString, flags);
        QFETCH(QString, code);
        QFETCH(int, control);
        QFETCH(QString, newFlags);
        QFETCH(QString, newKind);
        QFETCH(QString, newCode);
        const RadioMemory memory = channel(u"+000000"_s, flags, u"1"_s, code);
        const RadioMemory edited = control < 0 ? withToneSqlMode(memory, FT991AToneSqlOption::ctcssEnc)
                                               : operate(memory, ToneControl(control));
        QCOMPARE(edited.flagsRaw, newFlags);
        QCOMPARE(edited.toneNumberKindRaw, newKind);
        QCOMPARE(edited.toneNumberCode, newCode);
    }

    void toneNumberNormalisedKindFromFlags_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("kind");
        QTest::addRow("one digit") << u"11000"_s << u"1"_s << u"001"_s << u"0"_s;
        QTest::addRow("four digits") << u"11000"_s << u"1234"_s << u"123"_s << u"0"_s;
        QTest::addRow("letters between") << u"11000"_s << u"1ab2"_s << u"012"_s << u"0"_s;
        QTest::addRow("empty") << u"11000"_s << u""_s << u"000"_s << u"0"_s;
        QTest::addRow("beyond the table kept") << u"11000"_s << u"050"_s << u"050"_s << u"0"_s;
        QTest::addRow("DCS mode") << u"13000"_s << u"001"_s << u"001"_s << u"1"_s;
        QTest::addRow("off") << u"10000"_s << u"001"_s << u"001"_s << u""_s;
    }
    void toneNumberNormalisedKindFromFlags() {
        QFETCH(QString, flags);
        QFETCH(QString, code);
        QFETCH(QString, shown);
        QFETCH(QString, kind);
        QCOMPARE(toneNumber(channel(u"+000000"_s, flags, u"0"_s, code)), shown);
        const RadioMemory edited = withToneNumber(channel(u"+000000"_s, flags, u"1"_s), code);
        QCOMPARE(edited.toneNumberCode, shown);
        QCOMPARE(edited.toneNumberKindRaw, kind);
        QCOMPARE(edited.flagsRaw, flags);
    }

    void tonePickerFollowsFlagsNotKind() {
        const RadioMemory ctcssFlagsDcsKind = channel(u"+000000"_s, u"11000"_s, u"1"_s, u"003"_s);
        const auto picker = toneNumberPicker(ctcssFlagsDcsKind);
        QVERIFY(picker);
        QCOMPARE(picker->title, u"CTCSS-Ton"_s);
        QCOMPARE(picker->options->size(), 50);
        QCOMPARE(withOpeningTone(ctcssFlagsDcsKind, true).toneNumberKindRaw, u"0"_s);

        const auto dcs = toneNumberPicker(channel(u"+000000"_s, u"14000"_s, u"1"_s));
        QVERIFY(dcs);
        QCOMPARE(dcs->title, u"DCS-Code"_s);
        QCOMPARE(dcs->options->size(), 104);
        QVERIFY(!toneNumberPicker(channel(u"+000000"_s, u"10000"_s)));
    }

    void toneLabel_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("label");
        QTest::addRow("CTCSS") << u"11000"_s << u"001"_s << u"69.3 Hz"_s;
        QTest::addRow("CTCSS code not in table form") << u"11000"_s << u"1"_s << u"1"_s;
        QTest::addRow("DCS") << u"13000"_s << u"001"_s << u"025"_s;
        QTest::addRow("off") << u"10000"_s << u"001"_s << u"Nicht aktiv"_s;
    }
    void toneLabel() {
        QFETCH(QString, flags);
        QFETCH(QString, code);
        QFETCH(QString, label);
        QCOMPARE(FieldBindings::toneLabel(MemoryDraft(channel(u"+000000"_s, flags, u""_s, code))), label);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(tst_FieldBindings)
#include "tst_fieldbindings.moc"
