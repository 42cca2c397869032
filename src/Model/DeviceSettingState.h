#pragma once

#include "Model/DeviceSettingDefinition.h"

#include <QString>

// One menu item in the settings editor: the value shown and edited, and the value last read from
// or written to the radio.
class DeviceSettingState {
public:
    explicit DeviceSettingState(DeviceSettingDefinition definition, QString value = {},
                                QString originalValue = {});

    const DeviceSettingDefinition &definition() const { return m_definition; }
    QString id() const { return m_definition.id; }
    // Changed when the two values differ after normalisation, so that blanks, missing leading
    // zeros or an unknown choice against the first code count as no change. An item not read
    // (empty original value) is changed by any value.
    bool isDirty() const;

    QString value;
    QString originalValue;

    // Definition, value and original value; texts compare by canonical equivalence.
    friend bool operator==(const DeviceSettingState &a, const DeviceSettingState &b);

private:
    DeviceSettingDefinition m_definition;
};

size_t qHash(const DeviceSettingState &state, size_t seed = 0);
