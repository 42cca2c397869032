#include "DeviceSettings/DeviceSettingsMismatchCard.h"

#include "AppModel/AppModel.h"
#include "DeviceSettings/DeviceSettingsStyle.h"
#include "Localization/L.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

DeviceSettingsMismatchCard::DeviceSettingsMismatchCard(AppModel *appModel, RadioModel radioModel,
                                                       const ModelPalette &palette, QWidget *parent)
    : DeviceSettingsCardSurface(palette, parent)
    , m_appModel(appModel)
    , m_radioModel(radioModel) {
    setObjectName(QStringLiteral("settings.mismatch"));
    auto *icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(iconSize, iconSize));

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("settings.mismatchText"));
    m_message->setWordWrap(true);
    DeviceSettingsStyle::applyFont(m_message, DeviceSettingsStyle::TextRole::body);

    auto *synchronize = new QPushButton(loc(QStringLiteral("Synchronisieren")), this);
    synchronize->setObjectName(QStringLiteral("settings.synchronize"));
    DeviceSettingsStyle::tintButton(synchronize, palette.primary);
    connect(synchronize, &QPushButton::clicked, this,
            [this] { m_appModel->setSelectedRadioModel(m_radioModel); });

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);
    layout->addWidget(icon);
    layout->addWidget(m_message, 1);
    layout->addWidget(synchronize);

    connect(m_appModel, &AppModel::selectedRadioModelChanged, this, &DeviceSettingsMismatchCard::showMessage);
    showMessage();
}

QString DeviceSettingsMismatchCard::message(RadioModel windowModel, RadioModel selectedModel) {
    const QString window = rawValue(windowModel);
    const QString selected = rawValue(selectedModel);
    return L::text(QStringLiteral("Dieses Fenster ist für ") + window +
                       QStringLiteral(". Im Hauptfenster ist aktuell ") + selected +
                       QStringLiteral(" ausgewählt. Mit einem Klick wird wieder synchronisiert."),
                   QStringLiteral("This window is for ") + window +
                       QStringLiteral(". The main window currently has ") + selected +
                       QStringLiteral(" selected. A click will sync it again."));
}

void DeviceSettingsMismatchCard::showMessage() {
    m_message->setText(message(m_radioModel, m_appModel->selectedRadioModel()));
}
