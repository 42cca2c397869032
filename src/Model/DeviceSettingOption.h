#pragma once

#include "Model/TextOps.h"

#include <QHashFunctions>
#include <QString>

// One selectable value of a choice menu item: the code exchanged with the radio and its label.
struct DeviceSettingOption {
    QString code;
    QString title;

    QString id() const { return code; }

    // Texts compare by canonical equivalence.
    friend bool operator==(const DeviceSettingOption &a, const DeviceSettingOption &b) {
        return TextOps::canonicallyEqual(a.code, b.code) && TextOps::canonicallyEqual(a.title, b.title);
    }
};

inline size_t qHash(const DeviceSettingOption &option, size_t seed = 0) {
    return qHashMulti(seed, TextOps::canonicalForm(option.code), TextOps::canonicalForm(option.title));
}
