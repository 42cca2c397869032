#pragma once

#include <QList>
#include <QString>
#include <optional>

// The editors' three-way tone-system choice.
enum class FT991AToneSystem {
    off,
    ctcss,
    dcs,
};

QString rawValue(FT991AToneSystem system);
inline QString id(FT991AToneSystem system) {
    return rawValue(system);
}
// The display name in the current UI language.
QString title(FT991AToneSystem system);
// Exact, lower-case match of "off", "ctcss" or "dcs".
std::optional<FT991AToneSystem> ft991aToneSystemFromRawValue(const QString &raw);
// `off`, `ctcss`, `dcs`.
const QList<FT991AToneSystem> &allFT991AToneSystems();
