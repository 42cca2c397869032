#include "Model/JSONDecodingError.h"

#include "Localization/L.h"

JSONDecodingError::JSONDecodingError(Kind kind, const QString &path, const QString &detail)
    : m_kind(kind)
    , m_path(path)
    , m_detail(detail) {
}

JSONDecodingError JSONDecodingError::nestedIn(const QString &containerPath) const {
    const QString path = m_path.isEmpty() || m_path.startsWith(QLatin1Char('['))
                             ? containerPath + m_path
                             : containerPath + QLatin1Char('.') + m_path;
    return JSONDecodingError(m_kind, path, m_detail);
}

QString JSONDecodingError::description() const {
    const QString where = m_path.isEmpty() ? QStringLiteral("-") : m_path;
    switch (m_kind) {
    case Kind::keyNotFound:
        return L::text(QStringLiteral("Schlüssel fehlt: "), QStringLiteral("Missing key: ")) + where;
    case Kind::valueNotFound:
        return L::text(QStringLiteral("Wert fehlt (null): "), QStringLiteral("Missing value (null): ")) +
               where;
    case Kind::typeMismatch:
        return L::text(QStringLiteral("Falscher Typ bei %1, erwartet: %2"),
                       QStringLiteral("Wrong type at %1, expected: %2"))
            .arg(where, m_detail);
    case Kind::dataCorrupted:
        break;
    }
    return L::text(QStringLiteral("Ungültige Daten bei %1: %2"), QStringLiteral("Corrupted data at %1: %2"))
        .arg(where, m_detail);
}

const char *JSONDecodingError::what() const noexcept {
    try {
        m_what = description().toUtf8();
    } catch (...) {
        m_what.clear();
    }
    return m_what.constData();
}
