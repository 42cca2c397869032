#pragma once

#include "Model/DeviceSettingState.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QWidget>

class DeviceSettingRowView;

// One group of menu items on a rounded panel: the group's name, then one row per item.
class DeviceSettingsGroupView : public QWidget {
    Q_OBJECT

public:
    DeviceSettingsGroupView(const QString &title, const QList<DeviceSettingState> &states,
                            const QColor &primary, const QColor &secondary, QWidget *parent = nullptr);

    // Shows newer states of the same items in place.
    void setStates(const QList<DeviceSettingState> &states);

signals:
    void valueChanged(const QString &id, const QString &value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QHash<QString, DeviceSettingRowView *> m_rows;
};
