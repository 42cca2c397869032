#include "Model/ShiftDirectionOption.h"

QString rawValue(ShiftDirectionOption direction) {
    switch (direction) {
    case ShiftDirectionOption::plus:
        return QStringLiteral("+");
    case ShiftDirectionOption::minus:
        return QStringLiteral("-");
    case ShiftDirectionOption::simplex:
        break;
    }
    return QStringLiteral("Simplex");
}

std::optional<ShiftDirectionOption> shiftDirectionOptionFromRawValue(const QString &raw) {
    for (ShiftDirectionOption direction : allShiftDirectionOptions()) {
        if (raw == rawValue(direction))
            return direction;
    }
    return std::nullopt;
}

const QList<ShiftDirectionOption> &allShiftDirectionOptions() {
    static const QList<ShiftDirectionOption> all{ShiftDirectionOption::simplex, ShiftDirectionOption::plus,
                                                 ShiftDirectionOption::minus};
    return all;
}
