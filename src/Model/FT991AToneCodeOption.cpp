#include "Model/FT991AToneCodeOption.h"

#include "Model/TextOps.h"

#include <QHashFunctions>

QString FT991AToneCodeOption::id() const {
    return rawValue(kind) + QLatin1Char(':') + code;
}

QString FT991AToneCodeOption::title() const {
    const QString separator =
        kind == FT991AToneNumberKind::dcs ? QStringLiteral(" · DCS ") : QStringLiteral(" · ");
    return code + separator + label;
}

bool FT991AToneCodeOption::operator==(const FT991AToneCodeOption &other) const {
    return kind == other.kind && TextOps::canonicallyEqual(code, other.code) &&
           TextOps::canonicallyEqual(label, other.label);
}

size_t qHash(const FT991AToneCodeOption &option, size_t seed) {
    return qHashMulti(seed, qToUnderlying(option.kind), TextOps::canonicalForm(option.code),
                      TextOps::canonicalForm(option.label));
}
