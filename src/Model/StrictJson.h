#pragma once

#include "Model/RadioModel.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

// Reading JSON without Qt's silent defaults: a missing key, a null where a value is required,
// a value of another type or an unknown model throws JSONDecodingError instead of turning
// into an empty text, a zero or false.
namespace StrictJson {

QJsonObject object(const QJsonValue &value, const QString &path = QString());
QString requiredString(const QJsonObject &object, const QString &key);
// No value for an absent key or a null; a present value of another type throws.
std::optional<QString> optionalString(const QJsonObject &object, const QString &key);
bool requiredBool(const QJsonObject &object, const QString &key);
QJsonArray requiredArray(const QJsonObject &object, const QString &key);
// A string holding a model's raw value.
RadioModel requiredRadioModel(const QJsonObject &object, const QString &key);

} // namespace StrictJson
