#include "Model/StrictJson.h"

#include "Model/JSONDecodingError.h"

namespace StrictJson {

namespace {

QString typeName(QJsonValue::Type type) {
    switch (type) {
    case QJsonValue::Bool:
        return QStringLiteral("boolean");
    case QJsonValue::String:
        return QStringLiteral("string");
    case QJsonValue::Array:
        return QStringLiteral("array");
    case QJsonValue::Object:
        return QStringLiteral("object");
    default:
        return QStringLiteral("number");
    }
}

void requireType(const QJsonValue &value, QJsonValue::Type type, const QString &path) {
    if (value.type() != type)
        throw JSONDecodingError(JSONDecodingError::Kind::typeMismatch, path, typeName(type));
}

QJsonValue requiredValue(const QJsonObject &object, const QString &key, QJsonValue::Type type) {
    const auto found = object.constFind(key);
    if (found == object.constEnd())
        throw JSONDecodingError(JSONDecodingError::Kind::keyNotFound, key);
    if (found->isNull())
        throw JSONDecodingError(JSONDecodingError::Kind::valueNotFound, key, typeName(type));
    requireType(*found, type, key);
    return *found;
}

} // namespace

QJsonObject object(const QJsonValue &value, const QString &path) {
    requireType(value, QJsonValue::Object, path);
    return value.toObject();
}

QString requiredString(const QJsonObject &object, const QString &key) {
    return requiredValue(object, key, QJsonValue::String).toString();
}

std::optional<QString> optionalString(const QJsonObject &object, const QString &key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    requireType(value, QJsonValue::String, key);
    return value.toString();
}

bool requiredBool(const QJsonObject &object, const QString &key) {
    return requiredValue(object, key, QJsonValue::Bool).toBool();
}

QJsonArray requiredArray(const QJsonObject &object, const QString &key) {
    return requiredValue(object, key, QJsonValue::Array).toArray();
}

RadioModel requiredRadioModel(const QJsonObject &object, const QString &key) {
    const QString raw = requiredString(object, key);
    const std::optional<RadioModel> model = radioModelFromRawValue(raw);
    if (!model)
        throw JSONDecodingError(JSONDecodingError::Kind::dataCorrupted, key,
                                QStringLiteral("\"%1\" (FT-710, FT-991A)").arg(raw));
    return *model;
}

} // namespace StrictJson
