#include "AppModel/AppPreferences.h"

#include "Model/JSONDecodingError.h"
#include "Model/StrictJson.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

namespace {

const QString modelKey = QStringLiteral("selectedRadioModel");
const QString settingsKey = QStringLiteral("savedSettingsByModel");
const QString portKey = QStringLiteral("selectedPort");
const QString baudKey = QStringLiteral("baudRate");

// A JSON number that is a whole number in the range of int (38400 and 38400.0 both count).
int requiredInteger(const QJsonObject &object, const QString &key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        throw JSONDecodingError(JSONDecodingError::Kind::keyNotFound, key);
    const double number = value.toDouble();
    if (!value.isDouble() || std::trunc(number) != number || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        throw JSONDecodingError(JSONDecodingError::Kind::typeMismatch, key, QStringLiteral("integer"));
    return static_cast<int>(number);
}

DeviceSettings decodeDeviceSettings(const QJsonValue &value, const QString &path) {
    const QJsonObject object = StrictJson::object(value, path);
    const int baudRate = requiredInteger(object, baudKey);
    if (!DeviceSettings::offeredBaudRates().contains(baudRate))
        throw JSONDecodingError(JSONDecodingError::Kind::dataCorrupted, baudKey, QString::number(baudRate));
    return DeviceSettings{StrictJson::requiredString(object, portKey), baudRate};
}

} // namespace

const QList<int> &DeviceSettings::offeredBaudRates() {
    static const QList<int> rates{4800, 9600, 19200, 38400, 57600, 115200};
    return rates;
}

QString AppPreferences::encode() const {
    QJsonObject settings;
    for (auto entry = savedSettingsByModel.cbegin(); entry != savedSettingsByModel.cend(); ++entry)
        settings.insert(entry.key(), QJsonObject{{portKey, entry->selectedPort}, {baudKey, entry->baudRate}});
    const QJsonObject record{{modelKey, rawValue(selectedRadioModel)}, {settingsKey, settings}};
    return QString::fromUtf8(QJsonDocument(record).toJson(QJsonDocument::Compact));
}

std::optional<AppPreferences> AppPreferences::decode(const QString &text) {
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    try {
        const QJsonObject record = document.object();
        AppPreferences preferences;
        preferences.selectedRadioModel = StrictJson::requiredRadioModel(record, modelKey);
        const QJsonObject settings = StrictJson::object(record.value(settingsKey), settingsKey);
        for (auto entry = settings.constBegin(); entry != settings.constEnd(); ++entry)
            preferences.savedSettingsByModel.insert(entry.key(),
                                                    decodeDeviceSettings(entry.value(), entry.key()));
        return preferences;
    } catch (const JSONDecodingError &) {
        return std::nullopt;
    }
}
