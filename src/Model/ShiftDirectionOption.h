#pragma once

#include <QList>
#include <QString>
#include <optional>

// The direction of a repeater shift or of the FT-991A clarifier offset. The raw value is also
// the label the direction pickers show, in every language.
enum class ShiftDirectionOption {
    simplex,
    plus,
    minus,
};

QString rawValue(ShiftDirectionOption direction);
inline QString id(ShiftDirectionOption direction) {
    return rawValue(direction);
}
// Exact match of "Simplex", "+" or "-".
std::optional<ShiftDirectionOption> shiftDirectionOptionFromRawValue(const QString &raw);
// `simplex`, `plus`, `minus`: the order of the direction pickers.
const QList<ShiftDirectionOption> &allShiftDirectionOptions();
