#pragma once

#include "DeviceSettings/DeviceSettingsCardSurface.h"
#include "Model/RadioModel.h"

#include <QStyle>

class AppModel;
class DeviceSettingsStatusBadge;
class QLabel;
class QProgressBar;
class QPushButton;

// The first card of a settings window: title, model, connection badge, the three actions of a
// settings run and the progress of the current or last run. All it shows is application state.
class DeviceSettingsHeaderCard : public DeviceSettingsCardSurface {
    Q_OBJECT

public:
    DeviceSettingsHeaderCard(AppModel *appModel, RadioModel radioModel, const ModelPalette &palette,
                             QWidget *parent = nullptr);

    // The whole percent of a progress from 0 to 1, cut toward zero.
    static QString percentText(double progress);

private:
    QWidget *makeTitleRow();
    QWidget *makeNote();
    QWidget *makeButtonRow();
    QWidget *makeProgressBlock();
    QPushButton *makeButton(const QString &objectName, const QString &title, QStyle::StandardPixmap icon);
    void showActions();
    void showProgress();

    AppModel *m_appModel;
    RadioModel m_radioModel;
    DeviceSettingsStatusBadge *m_badge = nullptr;
    QPushButton *m_readButton = nullptr;
    QPushButton *m_writeButton = nullptr;
    QPushButton *m_restoreButton = nullptr;
    QWidget *m_progressBlock = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QLabel *m_statusText = nullptr;
    QLabel *m_percentText = nullptr;
};
