#include "Model/DeviceSettingFieldKind.h"

#include "Localization/EnumTable.h"

#include <QHashFunctions>

namespace {

const EnumTable<DeviceSettingFieldKind> &table() {
    static const EnumTable<DeviceSettingFieldKind> rows{
        {DeviceSettingFieldKind::choice, "choice"},
        {DeviceSettingFieldKind::numeric, "numeric"},
    };
    return rows;
}

} // namespace

QString rawValue(DeviceSettingFieldKind kind) {
    return table().rawValue(kind);
}

std::optional<DeviceSettingFieldKind> deviceSettingFieldKindFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}

size_t qHash(DeviceSettingFieldKind kind, size_t seed) {
    return qHash(static_cast<int>(kind), seed);
}
