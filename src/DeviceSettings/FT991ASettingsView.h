#pragma once

#include "DeviceSettings/DeviceSettingsRootView.h"

// The content of the FT-991A's settings window.
class FT991ASettingsView : public DeviceSettingsRootView {
    Q_OBJECT

public:
    explicit FT991ASettingsView(AppModel *appModel, QWidget *parent = nullptr);
};
