#include "Model/FT991AToneNumberKind.h"

#include "Localization/EnumTable.h"

namespace {

const EnumTable<FT991AToneNumberKind> &table() {
    static const EnumTable<FT991AToneNumberKind> rows{
        {FT991AToneNumberKind::none, QString()},
        {FT991AToneNumberKind::ctcss, "0"},
        {FT991AToneNumberKind::dcs, "1"},
    };
    return rows;
}

} // namespace

QString rawValue(FT991AToneNumberKind kind) {
    return table().rawValue(kind);
}

std::optional<FT991AToneNumberKind> ft991aToneNumberKindFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}
