#include "Model/RadioModeOption.h"

#include "Model/TextOps.h"

#include <array>

namespace {

struct ModeRow {
    RadioModeOption mode;
    const char *code;
    const char *title;
};

constexpr std::array<ModeRow, 14> modeRows{{
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
}};

const ModeRow &rowOf(RadioModeOption mode) {
    return modeRows[static_cast<std::size_t>(mode)];
}

} // namespace

QString rawValue(RadioModeOption mode) {
    return QString::fromLatin1(rowOf(mode).code);
}

QString title(RadioModeOption mode) {
    return QString::fromLatin1(rowOf(mode).title);
}

std::optional<RadioModeOption> radioModeOptionFromRawValue(const QString &raw) {
    for (const ModeRow &row : modeRows) {
        if (raw == QLatin1String(row.code))
            return row.mode;
    }
    return std::nullopt;
}

std::optional<RadioModeOption> radioModeOptionFromCode(const QString &code) {
    return radioModeOptionFromRawValue(TextOps::upperCased(code));
}

const QList<RadioModeOption> &allRadioModeOptions() {
    static const QList<RadioModeOption> all = [] {
        QList<RadioModeOption> list;
        for (const ModeRow &row : modeRows)
            list.append(row.mode);
        return list;
    }();
    return all;
}
