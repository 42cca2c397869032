#include "Model/DeviceSettingFieldKind.h"

#include <QHashFunctions>

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<DeviceSettingFieldKind, const char *>, 2> kindRows{{
    {DeviceSettingFieldKind::choice, "choice"},
    {DeviceSettingFieldKind::numeric, "numeric"},
}};

} // namespace

QString rawValue(DeviceSettingFieldKind kind) {
    return QString::fromLatin1(kindRows[static_cast<std::size_t>(kind)].second);
}

std::optional<DeviceSettingFieldKind> deviceSettingFieldKindFromRawValue(const QString &raw) {
    for (const auto &[kind, text] : kindRows) {
        if (raw == QLatin1String(text))
            return kind;
    }
    return std::nullopt;
}

size_t qHash(DeviceSettingFieldKind kind, size_t seed) {
    return qHash(static_cast<int>(kind), seed);
}
