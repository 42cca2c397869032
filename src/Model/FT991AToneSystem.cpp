#include "Model/FT991AToneSystem.h"

#include "Localization/EnumTable.h"
#include "Localization/L.h"

namespace {

const EnumTable<FT991AToneSystem> &table() {
    static const EnumTable<FT991AToneSystem> rows{
        {FT991AToneSystem::off, "off", "Aus"},
        {FT991AToneSystem::ctcss, "ctcss", "CTCSS"},
        {FT991AToneSystem::dcs, "dcs", "DCS"},
    };
    return rows;
}

} // namespace

QString rawValue(FT991AToneSystem system) {
    return table().rawValue(system);
}

QString title(FT991AToneSystem system) {
    return loc(table()[system].title);
}

std::optional<FT991AToneSystem> ft991aToneSystemFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}

const QList<FT991AToneSystem> &allFT991AToneSystems() {
    return table().values();
}
