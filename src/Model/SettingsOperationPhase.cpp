#include "Model/SettingsOperationPhase.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<SettingsOperationPhase, const char *>, 3> phaseRows{{
    {SettingsOperationPhase::idle, "idle"},
    {SettingsOperationPhase::reading, "reading"},
    {SettingsOperationPhase::writing, "writing"},
}};

} // namespace

QString rawValue(SettingsOperationPhase phase) {
    return QString::fromLatin1(phaseRows[static_cast<std::size_t>(phase)].second);
}

std::optional<SettingsOperationPhase> settingsOperationPhaseFromRawValue(const QString &raw) {
    for (const auto &[phase, text] : phaseRows) {
        if (raw == QLatin1String(text))
            return phase;
    }
    return std::nullopt;
}
