#include "DeviceSettings/DeviceSettingsRootView.h"

#include "AppModel/AppModel.h"
#include "DeviceSettings/DeviceSettingsHeaderCard.h"
#include "DeviceSettings/DeviceSettingsListCard.h"
#include "DeviceSettings/DeviceSettingsMismatchCard.h"
#include "Localization/LanguageSelection.h"

#include <QPaintEvent>
#include <QPainter>
#include <QShowEvent>
#include <QVBoxLayout>

DeviceSettingsRootView::DeviceSettingsRootView(AppModel *appModel, RadioModel radioModel, QWidget *parent)
    : QWidget(parent)
    , m_appModel(appModel)
    , m_radioModel(radioModel)
    , m_palette(ModelPalette::forModel(radioModel)) {
    setObjectName(QStringLiteral("settings.root"));
    setPalette(m_palette.widgetPalette());
    setMinimumSize(860, 700);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(16);
    buildCards();

    connect(m_appModel, &AppModel::selectedRadioModelChanged, this, &DeviceSettingsRootView::showMismatch);
    // Queued: the change may come from a picker that must not be deleted inside its own signal.
    connect(LanguageSelection::shared(), &LanguageSelection::changed, this,
            &DeviceSettingsRootView::rebuildCards, Qt::QueuedConnection);
}

void DeviceSettingsRootView::buildCards() {
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    m_headerCard = new DeviceSettingsHeaderCard(m_appModel, m_radioModel, m_palette, this);
    m_mismatchCard = new DeviceSettingsMismatchCard(m_appModel, m_radioModel, m_palette, this);
    m_listCard = new DeviceSettingsListCard(m_appModel, m_palette, this);
    layout->addWidget(m_headerCard);
    layout->addWidget(m_mismatchCard);
    layout->addWidget(m_listCard, 1);
    showMismatch();
}

void DeviceSettingsRootView::rebuildCards() {
    const int scrollPosition = m_listCard->scrollPosition();
    delete m_headerCard;
    delete m_mismatchCard;
    delete m_listCard;
    buildCards();
    m_listCard->setScrollPosition(scrollPosition);
}

void DeviceSettingsRootView::showMismatch() {
    m_mismatchCard->setVisible(m_appModel->selectedRadioModel() != m_radioModel);
    update();
}

void DeviceSettingsRootView::alignApplicationModel() {
    if (m_appModel->selectedRadioModel() != m_radioModel) {
        m_appModel->setSelectedRadioModel(m_radioModel);
        return;
    }
    const QList<DeviceSettingState> &states = m_appModel->settingsStates();
    if (states.isEmpty()) {
        m_appModel->resetSettingsStates();
        return;
    }
    const QList<DeviceSettingDefinition> &definitions = m_appModel->currentSettingDefinitions();
    const std::optional<QString> firstDefinition =
        definitions.isEmpty() ? std::nullopt : std::optional(definitions.first().id);
    if (firstDefinition != states.first().id())
        m_appModel->resetSettingsStates();
}

void DeviceSettingsRootView::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // A spontaneous show comes from the window system (un-minimising), not from opening the window.
    if (!event->spontaneous())
        alignApplicationModel();
}

void DeviceSettingsRootView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    m_palette.paintWindowBackground(painter, rect());
    for (DeviceSettingsCardSurface *card : {static_cast<DeviceSettingsCardSurface *>(m_headerCard),
                                            static_cast<DeviceSettingsCardSurface *>(m_mismatchCard),
                                            static_cast<DeviceSettingsCardSurface *>(m_listCard)}) {
        if (card->isVisible())
            card->paintShadow(painter, event->rect());
    }
}
