#include "Model/RadioError.h"

#include "Localization/L.h"
#include "Model/RadioMemory.h"

namespace {

QString labels(const QList<MemoryField> &fields) {
    QStringList names;
    for (MemoryField field : fields)
        names.append(label(field));
    return names.join(QStringLiteral(", "));
}

// " Caption: field, field." for fields, nothing for none.
QString fieldSentence(const QString &caption, const QList<MemoryField> &fields) {
    return fields.isEmpty() ? QString() : u' ' + caption + QStringLiteral(": ") + labels(fields) + u'.';
}

} // namespace

RadioError::RadioError(Kind kind, const QString &detail)
    : m_kind(kind)
    , m_detail(detail) {
}

RadioError RadioError::portOpenFailed(const QString &path) {
    return {Kind::portOpenFailed, path};
}
RadioError RadioError::portWriteFailed(const QString &command) {
    return {Kind::portWriteFailed, command};
}
RadioError RadioError::timeout(const QString &command) {
    return {Kind::timeout, command};
}
RadioError RadioError::rejected(const QString &command) {
    return {Kind::rejected, command};
}
RadioError RadioError::invalidResponse(const QString &reply) {
    return {Kind::invalidResponse, reply};
}
RadioError RadioError::invalidMemory(const QString &message) {
    return {Kind::invalidMemory, message};
}
RadioError RadioError::notConnected() {
    return {Kind::notConnected, QString()};
}
RadioError RadioError::busy() {
    return {Kind::busy, QString()};
}
RadioError RadioError::portInUse(const QString &path) {
    return {Kind::portInUse, path};
}
RadioError RadioError::connectionLost(const QString &command) {
    return {Kind::connectionLost, command};
}

RadioError RadioError::writtenInPart(const QString &slot, const QList<MemoryField> &written,
                                     const QList<MemoryField> &perhapsWritten,
                                     const QList<MemoryField> &missing) const {
    RadioError error = *this;
    error.m_partialWrite = PartialWrite{slot, written, perhapsWritten, missing};
    return error;
}

RadioError RadioError::afterCommandWentOut() const {
    return withCommandReach(CommandReach::wentOut);
}

RadioError RadioError::beforeCommandWentOut() const {
    return withCommandReach(CommandReach::unsent);
}

RadioError RadioError::withCommandReach(CommandReach reach) const {
    RadioError error = *this;
    error.m_commandReach = reach;
    return error;
}

QString RadioError::errorDescription() const {
    return kindDescription() + partialWriteDescription();
}

QString RadioError::kindDescription() const {
    switch (m_kind) {
    case Kind::portOpenFailed:
        return L::text(QStringLiteral("Port konnte nicht geöffnet werden: "),
                       QStringLiteral("Could not open port: ")) +
               m_detail;
    case Kind::portWriteFailed:
        return L::text(QStringLiteral("CAT-Befehl konnte nicht geschrieben werden: "),
                       QStringLiteral("Could not write CAT command: ")) +
               m_detail;
    case Kind::timeout:
        return L::text(QStringLiteral("Zeitüberschreitung bei CAT-Befehl: "),
                       QStringLiteral("Timed out waiting for CAT command: ")) +
               m_detail;
    case Kind::rejected:
        return L::text(QStringLiteral("Funkgerät hat CAT-Befehl abgelehnt: "),
                       QStringLiteral("Radio rejected CAT command: ")) +
               m_detail;
    case Kind::invalidResponse:
        return L::text(QStringLiteral("Ungültige CAT-Antwort: "), QStringLiteral("Invalid CAT response: ")) +
               m_detail;
    case Kind::invalidMemory:
        return L::text(QStringLiteral("Ungültiger Speicherinhalt: "),
                       QStringLiteral("Invalid memory content: ")) +
               m_detail;
    case Kind::notConnected:
        return L::text(QStringLiteral("Keine aktive CAT-Verbindung."),
                       QStringLiteral("No active CAT connection."));
    case Kind::portInUse:
        return L::text(QStringLiteral("Port ") + m_detail +
                           QStringLiteral(" wird von einem anderen Programm verwendet."),
                       QStringLiteral("Port ") + m_detail + QStringLiteral(" is in use by another program."));
    case Kind::connectionLost:
        return L::text(QStringLiteral("Verbindung verloren bei CAT-Befehl: "),
                       QStringLiteral("Connection lost during CAT command: ")) +
               m_detail;
    case Kind::busy:
        break;
    }
    return L::text(QStringLiteral("Die CAT-Verbindung ist gerade beschäftigt."),
                   QStringLiteral("The CAT connection is currently busy."));
}

QString RadioError::partialWriteDescription() const {
    if (!m_partialWrite)
        return QString();
    const PartialWrite &part = *m_partialWrite;
    const QString extent =
        part.written.isEmpty()
            ? L::text(QStringLiteral(" – Speicher %1 ist möglicherweise zum Teil geschrieben."),
                      QStringLiteral(" – memory %1 may be written in part."))
            : L::text(QStringLiteral(" – Speicher %1 ist nur zum Teil geschrieben."),
                      QStringLiteral(" – memory %1 is written only in part."));
    return extent.arg(part.slot) +
           fieldSentence(L::text(QStringLiteral("Im Funkgerät"), QStringLiteral("In the radio")),
                         part.written) +
           fieldSentence(
               L::text(QStringLiteral("Möglicherweise geschrieben"), QStringLiteral("Perhaps written")),
               part.perhapsWritten) +
           fieldSentence(L::text(QStringLiteral("Nicht geschrieben"), QStringLiteral("Not written")),
                         part.missing) +
           L::text(QStringLiteral(" Bitte den Speicher erneut schreiben."),
                   QStringLiteral(" Please write the memory again."));
}

const char *RadioError::what() const noexcept {
    try {
        m_what = errorDescription().toUtf8();
    } catch (...) {
        m_what.clear();
    }
    return m_what.constData();
}
