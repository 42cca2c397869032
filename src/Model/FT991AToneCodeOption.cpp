#include "Model/FT991AToneCodeOption.h"

QString FT991AToneCodeOption::id() const {
    return rawValue(kind) + QLatin1Char(':') + code;
}

QString FT991AToneCodeOption::title() const {
    const QString separator =
        kind == FT991AToneNumberKind::dcs ? QStringLiteral(" · DCS ") : QStringLiteral(" · ");
    return code + separator + label;
}
