#pragma once

#include "Model/DeviceSettingDefinition.h"

#include <optional>

// The menu item of either radio's table with the given id.
inline std::optional<DeviceSettingDefinition> menuItemWithId(const QString &id) {
    for (const auto *table :
         {&DeviceSettingDefinition::ft710Definitions(), &DeviceSettingDefinition::ft991aDefinitions()}) {
        for (const DeviceSettingDefinition &definition : *table) {
            if (definition.id == id)
                return definition;
        }
    }
    return std::nullopt;
}
