#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A JSON document that does not fit the record read from it. The text names the key path and
// is built when asked for, in the language then in force.
class JSONDecodingError : public std::exception {
public:
    enum class Kind {
        // A required key is absent.
        keyNotFound,
        // A required value is null.
        valueNotFound,
        // A value of another JSON type than the record needs.
        typeMismatch,
        // A value of the right type whose content is not accepted (unknown model, not JSON).
        dataCorrupted,
    };

    // `path` names the offending value ("tag", "memories[3].tag"); `detail` says what was
    // expected (the JSON type, or what is wrong with the content).
    JSONDecodingError(Kind kind, const QString &path, const QString &detail = QString());

    Kind kind() const { return m_kind; }
    const QString &path() const { return m_path; }
    const QString &detail() const { return m_detail; }
    // The same error for a value nested in a container: "memories[3]" + "tag".
    JSONDecodingError nestedIn(const QString &containerPath) const;

    QString description() const;
    // description() as UTF-8, valid until the next call on this object.
    const char *what() const noexcept override;

private:
    Kind m_kind;
    QString m_path;
    QString m_detail;
    mutable QByteArray m_what;
};
