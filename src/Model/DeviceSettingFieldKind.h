#pragma once

#include <QString>
#include <optional>

// How a menu item takes its value: one of its option codes, or a fixed-width decimal number.
enum class DeviceSettingFieldKind {
    choice,
    numeric,
};

QString rawValue(DeviceSettingFieldKind kind);
std::optional<DeviceSettingFieldKind> deviceSettingFieldKindFromRawValue(const QString &raw);
size_t qHash(DeviceSettingFieldKind kind, size_t seed = 0);
