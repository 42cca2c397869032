#pragma once

#include "AppModel/AppPreferences.h"

#include <QHash>
#include <QString>
#include <optional>

// The port and baud rate last used with each radio model, kept in memory and stored with the
// selected model as one record in the settings store. Read once at start; each save writes the
// whole record.
class PreferencesStore {
public:
    // The settings key of the record.
    static const QString &key();

    // The stored model, and the saved settings, when a readable record is stored. An unreadable
    // record leaves no saved settings and stays in the store until the next save.
    std::optional<RadioModel> load();

    std::optional<DeviceSettings> saved(RadioModel model) const;
    // Keeps the model's settings in memory; the store is left alone.
    void remember(RadioModel model, const DeviceSettings &settings);
    // Keeps the model's settings and stores the record with it as the selected model. Returns the
    // settings file when the store could not write it; the settings are kept in memory all the same.
    std::optional<QString> save(RadioModel model, const DeviceSettings &settings);

private:
    QHash<QString, DeviceSettings> m_savedSettingsByModel;
};
