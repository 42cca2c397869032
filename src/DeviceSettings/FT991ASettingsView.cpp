#include "DeviceSettings/FT991ASettingsView.h"

FT991ASettingsView::FT991ASettingsView(AppModel *appModel, QWidget *parent)
    : DeviceSettingsRootView(appModel, RadioModel::ft991a, parent) {
}
