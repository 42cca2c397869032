#pragma once

#include "DeviceSettings/DeviceSettingsRootView.h"

// The content of the FT-710's settings window.
class FT710SettingsView : public DeviceSettingsRootView {
    Q_OBJECT

public:
    explicit FT710SettingsView(AppModel *appModel, QWidget *parent = nullptr);
};
