#pragma once

#include "DeviceSettings/DeviceSettingsCardSurface.h"
#include "Model/RadioModel.h"

class AppModel;
class QLabel;

// Shown while the main window has the other radio model selected: says so and offers to switch the
// application back to this window's model.
class DeviceSettingsMismatchCard : public DeviceSettingsCardSurface {
    Q_OBJECT

public:
    DeviceSettingsMismatchCard(AppModel *appModel, RadioModel radioModel, const ModelPalette &palette,
                               QWidget *parent = nullptr);

    static QString message(RadioModel windowModel, RadioModel selectedModel);

private:
    void showMessage();

    AppModel *m_appModel;
    RadioModel m_radioModel;
    QLabel *m_message;
};
