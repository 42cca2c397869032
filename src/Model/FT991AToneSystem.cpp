#include "Model/FT991AToneSystem.h"

#include "Localization/L.h"

QString rawValue(FT991AToneSystem system) {
    switch (system) {
    case FT991AToneSystem::ctcss:
        return QStringLiteral("ctcss");
    case FT991AToneSystem::dcs:
        return QStringLiteral("dcs");
    case FT991AToneSystem::off:
        break;
    }
    return QStringLiteral("off");
}

QString title(FT991AToneSystem system) {
    switch (system) {
    case FT991AToneSystem::ctcss:
        return loc(QStringLiteral("CTCSS"));
    case FT991AToneSystem::dcs:
        return loc(QStringLiteral("DCS"));
    case FT991AToneSystem::off:
        break;
    }
    return loc(QStringLiteral("Aus"));
}

std::optional<FT991AToneSystem> ft991aToneSystemFromRawValue(const QString &raw) {
    for (FT991AToneSystem system : allFT991AToneSystems()) {
        if (raw == rawValue(system))
            return system;
    }
    return std::nullopt;
}

const QList<FT991AToneSystem> &allFT991AToneSystems() {
    static const QList<FT991AToneSystem> all{FT991AToneSystem::off, FT991AToneSystem::ctcss,
                                             FT991AToneSystem::dcs};
    return all;
}
