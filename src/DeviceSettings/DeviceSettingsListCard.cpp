#include "DeviceSettings/DeviceSettingsListCard.h"

#include "AppModel/AppModel.h"
#include "DeviceSettings/DeviceSettingsGroupView.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QVBoxLayout>

DeviceSettingsListCard::DeviceSettingsListCard(AppModel *appModel, const ModelPalette &palette,
                                               QWidget *parent)
    : DeviceSettingsCardSurface(palette, parent)
    , m_appModel(appModel) {
    setObjectName(QStringLiteral("settings.list"));
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("settings.scroll"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The rows' controls take the keyboard; a stop on the area itself would be one without a name.
    m_scrollArea->setFocusPolicy(Qt::NoFocus);

    auto *content = new QWidget;
    m_groupsLayout = new QVBoxLayout(content);
    m_groupsLayout->setContentsMargins(2, 2, 2, 2);
    m_groupsLayout->setSpacing(18);
    m_groupsLayout->addStretch(1);
    m_scrollArea->setWidget(content);
    // The card's surface shows through the scrolling area.
    m_scrollArea->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->addWidget(m_scrollArea);

    connect(m_scrollArea->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &DeviceSettingsListCard::applyPendingScrollPosition);
    // Once the user scrolls, a position still waiting for the layout no longer matters.
    connect(m_scrollArea->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_pendingScrollPosition.reset(); });
    connect(m_appModel, &AppModel::settingsStatesChanged, this, &DeviceSettingsListCard::showStates);
    showStates();
}

QStringList DeviceSettingsListCard::settingGroups(const QList<DeviceSettingState> &states) {
    QStringList groups;
    QSet<QString> seen;
    for (const DeviceSettingState &state : states) {
        const QString &group = state.definition().group;
        if (!seen.contains(group)) {
            seen.insert(group);
            groups.append(group);
        }
    }
    return groups;
}

QList<DeviceSettingState> DeviceSettingsListCard::statesInGroup(const QList<DeviceSettingState> &states,
                                                                const QString &group) {
    QList<DeviceSettingState> result;
    std::copy_if(states.cbegin(), states.cend(), std::back_inserter(result),
                 [&](const DeviceSettingState &state) { return state.definition().group == group; });
    return result;
}

DeviceSettingsListCard::Structure
DeviceSettingsListCard::structureOf(const QList<DeviceSettingState> &states) {
    Structure structure;
    for (const QString &group : settingGroups(states)) {
        QStringList ids;
        for (const DeviceSettingState &state : statesInGroup(states, group))
            ids.append(state.id());
        structure.append({group, ids});
    }
    return structure;
}

void DeviceSettingsListCard::showStates() {
    const QList<DeviceSettingState> states = m_appModel->settingsStates();
    const Structure structure = structureOf(states);
    if (structure != m_structure) {
        buildGroups(states);
        m_structure = structure;
        return;
    }
    for (int index = 0; index < m_groups.size(); ++index)
        m_groups.at(index)->setStates(statesInGroup(states, structure.at(index).first));
}

void DeviceSettingsListCard::buildGroups(const QList<DeviceSettingState> &states) {
    qDeleteAll(m_groups);
    m_groups.clear();
    for (const QString &group : settingGroups(states)) {
        auto *view = new DeviceSettingsGroupView(group, statesInGroup(states, group), modelPalette(),
                                                 m_scrollArea->widget());
        connect(view, &DeviceSettingsGroupView::valueChanged, m_appModel, &AppModel::setSettingValue);
        m_groupsLayout->insertWidget(m_groupsLayout->count() - 1, view);
        m_groups.append(view);
    }
}

int DeviceSettingsListCard::scrollPosition() const {
    return m_scrollArea->verticalScrollBar()->value();
}

void DeviceSettingsListCard::setScrollPosition(int position) {
    // New panels are laid out later; the position is taken as soon as the list is long enough.
    m_pendingScrollPosition = position;
    applyPendingScrollPosition();
}

void DeviceSettingsListCard::applyPendingScrollPosition() {
    if (!m_pendingScrollPosition)
        return;
    QScrollBar *bar = m_scrollArea->verticalScrollBar();
    bar->setValue(*m_pendingScrollPosition);
    if (bar->value() == *m_pendingScrollPosition)
        m_pendingScrollPosition.reset();
}
