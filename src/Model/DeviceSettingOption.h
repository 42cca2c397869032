#pragma once

#include <QHashFunctions>
#include <QString>

// One selectable value of a choice menu item: the code exchanged with the radio and its label.
struct DeviceSettingOption {
    QString code;
    QString title;

    QString id() const { return code; }

    friend bool operator==(const DeviceSettingOption &, const DeviceSettingOption &) = default;
};

inline size_t qHash(const DeviceSettingOption &option, size_t seed = 0) {
    return qHashMulti(seed, option.code, option.title);
}
