#include "DeviceSettings/DeviceSettingsGroupView.h"

#include "DeviceSettings/DeviceSettingRowView.h"
#include "DeviceSettings/DeviceSettingsStyle.h"
#include "Localization/L.h"
#include "Theme/ModelPalette.h"
#include "Theme/TextStyle.h"

#include <QLabel>
#include <QVBoxLayout>

using DeviceSettingsStyle::TextRole;

DeviceSettingsGroupView::DeviceSettingsGroupView(const QString &title,
                                                 const QList<DeviceSettingState> &states,
                                                 const ModelPalette &palette, QWidget *parent)
    : RoundedPanel(18, parent) {
    setFill(withOpacity(Qt::white, 0.03));
    setStroke(withOpacity(Qt::white, 0.08));
    setObjectName(QStringLiteral("settingsGroup:") + title);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(12);

    auto *heading = new QLabel(loc(title), this);
    heading->setObjectName(QStringLiteral("settingsGroup.title"));
    DeviceSettingsStyle::applyFont(heading, TextRole::headline);
    TextStyle::setTextColor(heading, palette.secondary);
    layout->addWidget(heading);

    for (const DeviceSettingState &state : states) {
        auto *row = new DeviceSettingRowView(state, palette, this);
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
