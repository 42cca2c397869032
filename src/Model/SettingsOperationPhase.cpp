#include "Model/SettingsOperationPhase.h"

#include "Localization/EnumTable.h"

namespace {

const EnumTable<SettingsOperationPhase> &table() {
    static const EnumTable<SettingsOperationPhase> rows{
        {SettingsOperationPhase::idle, "idle"},
        {SettingsOperationPhase::reading, "reading"},
        {SettingsOperationPhase::writing, "writing"},
    };
    return rows;
}

} // namespace

QString rawValue(SettingsOperationPhase phase) {
    return table().rawValue(phase);
}

std::optional<SettingsOperationPhase> settingsOperationPhaseFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}
