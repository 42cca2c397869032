#include "Model/ShiftDirectionOption.h"

#include "Localization/EnumTable.h"

namespace {

const EnumTable<ShiftDirectionOption> &table() {
    static const EnumTable<ShiftDirectionOption> rows{
        {ShiftDirectionOption::simplex, "Simplex"},
        {ShiftDirectionOption::plus, "+"},
        {ShiftDirectionOption::minus, "-"},
    };
    return rows;
}

} // namespace

QString rawValue(ShiftDirectionOption direction) {
    return table().rawValue(direction);
}

std::optional<ShiftDirectionOption> shiftDirectionOptionFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}

const QList<ShiftDirectionOption> &allShiftDirectionOptions() {
    return table().values();
}
