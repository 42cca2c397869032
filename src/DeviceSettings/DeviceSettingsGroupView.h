#pragma once

#include "Model/DeviceSettingState.h"

#include "Theme/RoundedPanel.h"
#include <QColor>
#include <QHash>
#include <QList>

class DeviceSettingRowView;
struct ModelPalette;

// One group of menu items on a rounded panel: the group's name, then one row per item.
class DeviceSettingsGroupView : public RoundedPanel {
    Q_OBJECT

public:
    DeviceSettingsGroupView(const QString &title, const QList<DeviceSettingState> &states,
                            const ModelPalette &palette, QWidget *parent = nullptr);

    // Shows newer states of the same items in place.
    void setStates(const QList<DeviceSettingState> &states);

signals:
    void valueChanged(const QString &id, const QString &value);

private:
    QHash<QString, DeviceSettingRowView *> m_rows;
};
