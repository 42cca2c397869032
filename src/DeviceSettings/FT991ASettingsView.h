#pragma once

#include "DeviceSettings/DeviceSettingsRootView.h"

// The content of the window "ft991a-settings": the settings of the FT-991A.
class FT991ASettingsView : public DeviceSettingsRootView {
    Q_OBJECT

public:
    explicit FT991ASettingsView(AppModel *appModel, QWidget *parent = nullptr);
};
