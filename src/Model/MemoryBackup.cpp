#include "Model/MemoryBackup.h"

#include "Model/JSONDecodingError.h"
#include "Model/StrictJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <stdexcept>

namespace {

const QString radioModelKey = QStringLiteral("radioModel");
const QString memoriesKey = QStringLiteral("memories");
const QString exportedAtKey = QStringLiteral("exportedAt");

// An RFC 3339 internet date-time with a zone. Qt's own ISO parser also takes a date alone, a time
// without zone and other ISO 8601 forms, so the form is checked first.
bool isInternetDateTime(const QString &text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^\d{4}-\d{2}-\d{2}T([01]\d|2[0-3]):[0-5]\d:[0-5]\d(\.\d+)?(Z|[+-]([01]\d|2[0-3]):[0-5]\d)$)"));
    return form.match(text).hasMatch();
}

QDateTime requiredInternetDateTime(const QJsonObject &json, const QString &key) {
    const QString text = StrictJson::requiredString(json, key);
    const QDateTime instant =
        isInternetDateTime(text) ? QDateTime::fromString(text, Qt::ISODateWithMs) : QDateTime();
    if (!instant.isValid())
        throw JSONDecodingError(JSONDecodingError::Kind::dataCorrupted, key,
                                QStringLiteral("\"%1\" (ISO 8601, 2025-03-01T14:05:09Z)").arg(text));
    return instant.toUTC();
}

QList<RadioMemory> requiredMemories(const QJsonObject &json, const QString &key) {
    const QJsonArray array = StrictJson::requiredArray(json, key);
    QList<RadioMemory> memories;
    memories.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        try {
            memories.append(RadioMemory::fromJson(array.at(i)));
        } catch (const JSONDecodingError &error) {
            throw error.nestedIn(QStringLiteral("%1[%2]").arg(key).arg(i));
        }
    }
    return memories;
}

} // namespace

QString MemoryBackup::defaultFileName(RadioModel model) {
    return QStringLiteral("Korvel_%1_backup.json").arg(rawValue(model));
}

QJsonObject MemoryBackup::toJson() const {
    if (!exportedAt.isValid())
        throw std::invalid_argument("the backup's export time is no valid point in time");
    QJsonArray channels;
    for (const RadioMemory &memory : memories)
        channels.append(memory.toJson());
    // The ISO form leaves out the fraction of the second: the time is cut, never rounded.
    return QJsonObject{
        {radioModelKey, rawValue(radioModel)},
        {memoriesKey, channels},
        {exportedAtKey, exportedAt.toUTC().toString(Qt::ISODate)},
    };
}

MemoryBackup MemoryBackup::fromJson(const QJsonValue &value) {
    const QJsonObject json = StrictJson::object(value);
    // Designated initializers run in declaration order: the keys are read in field order.
    return MemoryBackup{
        .radioModel = StrictJson::requiredRadioModel(json, radioModelKey),
        .memories = requiredMemories(json, memoriesKey),
        .exportedAt = requiredInternetDateTime(json, exportedAtKey),
    };
}

QByteArray MemoryBackup::toFileContents() const {
    return QJsonDocument(toJson()).toJson(QJsonDocument::Indented);
}

MemoryBackup MemoryBackup::fromFileContents(const QByteArray &contents) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(contents, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw JSONDecodingError(
            JSONDecodingError::Kind::dataCorrupted, QString(),
            QStringLiteral("JSON: %1 (offset %2)").arg(parseError.errorString()).arg(parseError.offset));
    // A top level that is an array fails as a type mismatch in fromJson.
    return fromJson(document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array()));
}
