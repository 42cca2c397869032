#pragma once

#include "DeviceSettings/DeviceSettingsRootView.h"

// The content of the window "ft710-settings": the settings of the FT-710.
class FT710SettingsView : public DeviceSettingsRootView {
    Q_OBJECT

public:
    explicit FT710SettingsView(AppModel *appModel, QWidget *parent = nullptr);
};
