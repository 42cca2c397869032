#pragma once

#include <QString>
#include <optional>

// Whether a menu-settings run is going on, and which.
enum class SettingsOperationPhase {
    idle,
    reading,
    writing,
};

QString rawValue(SettingsOperationPhase phase);
std::optional<SettingsOperationPhase> settingsOperationPhaseFromRawValue(const QString &raw);
