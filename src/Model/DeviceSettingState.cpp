#include "Model/DeviceSettingState.h"

DeviceSettingState::DeviceSettingState(DeviceSettingDefinition definition, QString value,
                                       QString originalValue)
    : value(std::move(value))
    , originalValue(std::move(originalValue))
    , m_definition(std::move(definition)) {
}

bool DeviceSettingState::isDirty() const {
    return m_definition.normalizeForWrite(value) != m_definition.normalizeForWrite(originalValue);
}

size_t qHash(const DeviceSettingState &state, size_t seed) {
    return qHashMulti(seed, state.definition(), state.value, state.originalValue);
}
