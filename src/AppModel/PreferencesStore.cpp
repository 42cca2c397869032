#include "AppModel/PreferencesStore.h"

#include "Localization/UserDefaults.h"

const QString &PreferencesStore::key() {
    static const QString key = QStringLiteral("Korvel.AppPreferences.v1");
    return key;
}

std::optional<RadioModel> PreferencesStore::load() {
    if (!UserDefaults::value(key()).isValid())
        return std::nullopt;
    const std::optional<QString> stored = UserDefaults::text(key());
    const std::optional<AppPreferences> preferences = stored ? AppPreferences::decode(*stored) : std::nullopt;
    m_savedSettingsByModel =
        preferences ? preferences->savedSettingsByModel : QHash<QString, DeviceSettings>();
    return preferences ? std::optional(preferences->selectedRadioModel) : std::nullopt;
}

std::optional<DeviceSettings> PreferencesStore::saved(RadioModel model) const {
    const auto entry = m_savedSettingsByModel.constFind(rawValue(model));
    return entry == m_savedSettingsByModel.constEnd() ? std::nullopt : std::optional(*entry);
}

void PreferencesStore::remember(RadioModel model, const DeviceSettings &settings) {
    m_savedSettingsByModel.insert(rawValue(model), settings);
}

std::optional<QString> PreferencesStore::save(RadioModel model, const DeviceSettings &settings) {
    remember(model, settings);
    return UserDefaults::setValue(key(), AppPreferences{model, m_savedSettingsByModel}.encode());
}
