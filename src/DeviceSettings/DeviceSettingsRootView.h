#pragma once

#include "Model/RadioModel.h"
#include "Theme/ModelPalette.h"

#include <QWidget>

class AppModel;
class DeviceSettingsHeaderCard;
class DeviceSettingsListCard;
class DeviceSettingsMismatchCard;

// The content of a settings window, made for the window's own radio model: the model's background
// and colours, the header card, the mismatch card while the main window has the other model
// selected, and the list of settings. The cards are built anew when the language changes; when the
// window is shown, the application is brought into line with the window's model.
class DeviceSettingsRootView : public QWidget {
    Q_OBJECT

public:
    DeviceSettingsRootView(AppModel *appModel, RadioModel radioModel, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildCards();
    void rebuildCards();
    void showMismatch();
    // Switches the application to this window's model, or makes sure the setting states belong
    // to the current menu table; values read or edited earlier stay when they do.
    void alignApplicationModel();

    AppModel *m_appModel;
    RadioModel m_radioModel;
    ModelPalette m_palette;
    DeviceSettingsHeaderCard *m_headerCard = nullptr;
    DeviceSettingsMismatchCard *m_mismatchCard = nullptr;
    DeviceSettingsListCard *m_listCard = nullptr;
};
