#include "AppModel/AppPreferences.h"

#include "Model/JSONDecodingError.h"
#include "Model/StrictJson.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace {

const QString modelKey = QStringLiteral("selectedRadioModel");
const QString settingsKey = QStringLiteral("savedSettingsByModel");
const QString portKey = QStringLiteral("selectedPort");
const QString baudKey = QStringLiteral("baudRate");

// A JSON number that is a whole number in the range of a 64-bit integer (38400 and 38400.0 both count).
qint64 requiredInteger(const QJsonObject &object, const QString &key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        throw JSONDecodingError(JSONDecodingError::Kind::keyNotFound, key);
    // 2^63: the first whole number above the range.
    constexpr double beyondRange = 9223372036854775808.0;
    const double number = value.toDouble();
    if (!value.isDouble() || std::trunc(number) != number || number < -beyondRange || number >= beyondRange)
        throw JSONDecodingError(JSONDecodingError::Kind::typeMismatch, key, QStringLiteral("integer"));
    return static_cast<qint64>(number);
}

// One odd rate must not cost the model its port, nor the other models their settings.
int lineBaudRate(qint64 stored) {
    const QList<int> &offered = DeviceSettings::offeredBaudRates();
    const auto found = std::find(offered.cbegin(), offered.cend(), stored);
    return found == offered.cend() ? DeviceSettings::defaultBaudRate : *found;
}

DeviceSettings decodeDeviceSettings(const QJsonValue &value, const QString &path) {
    const QJsonObject object = StrictJson::object(value, path);
    const int baudRate = lineBaudRate(requiredInteger(object, baudKey));
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
