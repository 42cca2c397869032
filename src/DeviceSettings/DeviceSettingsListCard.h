#pragma once

#include "DeviceSettings/DeviceSettingsCardSurface.h"
#include "Model/DeviceSettingState.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <optional>

class AppModel;
class DeviceSettingsGroupView;
class QScrollArea;
class QVBoxLayout;

// The scrolling card that lists the application model's setting states, one group panel per menu
// group. Every edit goes straight into the application model. A published change of the states
// updates the rows in place; only a change of the groups or items builds the panels anew.
class DeviceSettingsListCard : public DeviceSettingsCardSurface {
    Q_OBJECT

public:
    DeviceSettingsListCard(AppModel *appModel, const ModelPalette &palette, QWidget *parent = nullptr);

    // The group names in the order of their first appearance, each once.
    static QStringList settingGroups(const QList<DeviceSettingState> &states);
    // The states of one group, in their order.
    static QList<DeviceSettingState> statesInGroup(const QList<DeviceSettingState> &states,
                                                   const QString &group);

    int scrollPosition() const;
    // Scrolls to the position now or, when the list is still too short, once it is laid out.
    void setScrollPosition(int position);

private:
    // The groups and the ids of their items: what the shown panels were built from.
    using Structure = QList<QPair<QString, QStringList>>;
    static Structure structureOf(const QList<DeviceSettingState> &states);

    void showStates();
    void buildGroups(const QList<DeviceSettingState> &states);
    void applyPendingScrollPosition();

    AppModel *m_appModel;
    QScrollArea *m_scrollArea;
    QVBoxLayout *m_groupsLayout;
    QList<DeviceSettingsGroupView *> m_groups;
    Structure m_structure;
    std::optional<int> m_pendingScrollPosition;
};
