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

    // The rate of a model without saved settings, and the one the line runs at for a rate it cannot.
    static constexpr int defaultBaudRate = 38400;

    // The rates the sidebar offers and the line can run.
    static const QList<int> &offeredBaudRates();

    friend bool operator==(const DeviceSettings &, const DeviceSettings &) = default;
};

// The stored preferences: the selected model and the connection settings per model, keyed by the
// model's raw value. Kept as compact JSON text in the settings store.
struct AppPreferences {
    RadioModel selectedRadioModel = RadioModel::ft710;
    QHash<QString, DeviceSettings> savedSettingsByModel;

    QString encode() const;
    // The record of a stored text; nothing when a key is missing, a value has the wrong type or the
    // model is unknown, so that a damaged record never yields half of its settings. A baud rate the
    // line cannot run at is read as the default rate, which the line would run at instead.
    static std::optional<AppPreferences> decode(const QString &text);

    friend bool operator==(const AppPreferences &, const AppPreferences &) = default;
};
