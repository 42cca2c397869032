#pragma once

#include <QList>
#include <QString>
#include <optional>

// The CAT operating modes; the raw value is the one-character mode code of the protocol.
enum class RadioModeOption {
    lsb,
    usb,
    cw,
    fm,
    am,
    rttyLsb,
    cwR,
    dataLsb,
    rttyUsb,
    dataFm,
    fmN,
    dataUsb,
    amN,
    c4fm,
};

QString rawValue(RadioModeOption mode);
inline QString code(RadioModeOption mode) {
    return rawValue(mode);
}
inline QString id(RadioModeOption mode) {
    return rawValue(mode);
}
// The display name, the same in every language.
QString title(RadioModeOption mode);
// Exact match of the code: a lower-case letter gives no mode.
std::optional<RadioModeOption> radioModeOptionFromRawValue(const QString &raw);
// The code upper-cased first, then matched exactly: "a" gives `dataFm`.
std::optional<RadioModeOption> radioModeOptionFromCode(const QString &code);
// All 14 modes in declaration order.
const QList<RadioModeOption> &allRadioModeOptions();
