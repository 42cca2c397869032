#include "DeviceSettings/DeviceSettingsGroupView.h"

#include "DeviceSettings/DeviceSettingRowView.h"
#include "DeviceSettings/DeviceSettingsStyle.h"
#include "Localization/L.h"
#include "Theme/ModelPalette.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

using DeviceSettingsStyle::TextRole;

DeviceSettingsGroupView::DeviceSettingsGroupView(const QString &title,
                                                 const QList<DeviceSettingState> &states,
                                                 const QColor &primary, const QColor &secondary,
                                                 QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("settingsGroup:") + title);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(12);

    auto *heading = new QLabel(loc(title), this);
    heading->setObjectName(QStringLiteral("settingsGroup.title"));
    DeviceSettingsStyle::applyFont(heading, TextRole::headline);
    DeviceSettingsStyle::setTextColor(heading, secondary);
    layout->addWidget(heading);

    for (const DeviceSettingState &state : states) {
        auto *row = new DeviceSettingRowView(state, primary, secondary, this);
        connect(row, &DeviceSettingRowView::valueEdited, this, &DeviceSettingsGroupView::valueChanged);
        m_rows.insert(state.id(), row);
        layout->addWidget(row);
    }
}

void DeviceSettingsGroupView::setStates(const QList<DeviceSettingState> &states) {
    for (const DeviceSettingState &state : states) {
        if (DeviceSettingRowView *row = m_rows.value(state.id()))
            row->setState(state);
    }
}

void DeviceSettingsGroupView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    constexpr qreal radius = 18;
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.fillPath(path, withOpacity(Qt::white, 0.03));
    painter.strokePath(path, QPen(withOpacity(Qt::white, 0.08), 1));
}
