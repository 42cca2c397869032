#include "Model/RadioModeOption.h"

#include "Localization/EnumTable.h"
#include "Model/TextOps.h"

namespace {

const EnumTable<RadioModeOption> &table() {
    static const EnumTable<RadioModeOption> rows{
        {RadioModeOption::lsb, "1", "LSB"},
        {RadioModeOption::usb, "2", "USB"},
        {RadioModeOption::cw, "3", "CW"},
        {RadioModeOption::fm, "4", "FM"},
        {RadioModeOption::am, "5", "AM"},
        {RadioModeOption::rttyLsb, "6", "RTTY-LSB"},
        {RadioModeOption::cwR, "7", "CW-R"},
        {RadioModeOption::dataLsb, "8", "DATA-LSB"},
        {RadioModeOption::rttyUsb, "9", "RTTY-USB"},
        {RadioModeOption::dataFm, "A", "DATA-FM"},
        {RadioModeOption::fmN, "B", "FM-N"},
        {RadioModeOption::dataUsb, "C", "DATA-USB"},
        {RadioModeOption::amN, "D", "AM-N"},
        {RadioModeOption::c4fm, "E", "C4FM"},
    };
    return rows;
}

} // namespace

QString rawValue(RadioModeOption mode) {
    return table().rawValue(mode);
}

QString title(RadioModeOption mode) {
    return table()[mode].title;
}

std::optional<RadioModeOption> radioModeOptionFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}

std::optional<RadioModeOption> radioModeOptionFromCode(const QString &code) {
    return radioModeOptionFromRawValue(TextOps::upperCased(code));
}

const QList<RadioModeOption> &allRadioModeOptions() {
    return table().values();
}
