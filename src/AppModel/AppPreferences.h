#pragma once

#include "Model/RadioModel.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The serial device and baud rate last used with one radio model.
struct DeviceSettings {
    QString selectedPort;
    int baudRate = 0;

    // The rates the sidebar offers and the line can run; a stored rate must be one of them.
    static const QList<int> &offeredBaudRates();

    friend bool operator==(const DeviceSettings &, const DeviceSettings &) = default;
};

// The stored preferences: the selected model and the connection settings per model, keyed by the
// model's raw value. Kept as compact JSON text in the settings store.
struct AppPreferences {
    RadioModel selectedRadioModel = RadioModel::ft710;
    QHash<QString, DeviceSettings> savedSettingsByModel;

    QString encode() const;
    // The record of a stored text; nothing when a key is missing, a value has the wrong type, the
    // model is unknown or a baud rate is not offered, so that a damaged record never yields half of
    // its settings.
    static std::optional<AppPreferences> decode(const QString &text);

    friend bool operator==(const AppPreferences &, const AppPreferences &) = default;
};
