#include "DeviceSettings/FT710SettingsView.h"

FT710SettingsView::FT710SettingsView(AppModel *appModel, QWidget *parent)
    : DeviceSettingsRootView(appModel, RadioModel::ft710, parent) {
}
