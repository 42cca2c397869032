#include "Model/FT991AToneNumberKind.h"

QString rawValue(FT991AToneNumberKind kind) {
    switch (kind) {
    case FT991AToneNumberKind::ctcss:
        return QStringLiteral("0");
    case FT991AToneNumberKind::dcs:
        return QStringLiteral("1");
    case FT991AToneNumberKind::none:
        break;
    }
    return QString();
}

std::optional<FT991AToneNumberKind> ft991aToneNumberKindFromRawValue(const QString &raw) {
    for (FT991AToneNumberKind kind :
         {FT991AToneNumberKind::none, FT991AToneNumberKind::ctcss, FT991AToneNumberKind::dcs}) {
        if (raw == rawValue(kind))
            return kind;
    }
    return std::nullopt;
}
