#include "Model/DeviceSettingState.h"

#include "Model/TextOps.h"

DeviceSettingState::DeviceSettingState(DeviceSettingDefinition definition, QString value,
                                       QString originalValue)
    : value(std::move(value))
    , originalValue(std::move(originalValue))
    , m_definition(std::move(definition)) {
}

bool DeviceSettingState::isDirty() const {
    // An item never read has no value on the radio to match: any value is a change to send.
    if (originalValue.isEmpty())
        return !value.isEmpty();
    return !TextOps::canonicallyEqual(m_definition.normalizeForWrite(value),
                                      m_definition.normalizeForWrite(originalValue));
}

bool operator==(const DeviceSettingState &a, const DeviceSettingState &b) {
    return a.m_definition == b.m_definition && TextOps::canonicallyEqual(a.value, b.value) &&
           TextOps::canonicallyEqual(a.originalValue, b.originalValue);
}

size_t qHash(const DeviceSettingState &state, size_t seed) {
    return qHashMulti(seed, state.definition(), TextOps::canonicalForm(state.value),
                      TextOps::canonicalForm(state.originalValue));
}
