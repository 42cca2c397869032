#include "DeviceSettings/DeviceSettingsHeaderCard.h"

#include "AppModel/AppModel.h"
#include "DeviceSettings/DeviceSettingsStatusBadge.h"
#include "DeviceSettings/DeviceSettingsStyle.h"
#include "Localization/L.h"
#include "Theme/FocusHandOff.h"
#include "Theme/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using DeviceSettingsStyle::TextRole;

namespace {
constexpr int progressSteps = 1000;
} // namespace

DeviceSettingsHeaderCard::DeviceSettingsHeaderCard(AppModel *appModel, RadioModel radioModel,
                                                   const ModelPalette &palette, QWidget *parent)
    : DeviceSettingsCardSurface(palette, parent)
    , m_appModel(appModel)
    , m_radioModel(radioModel) {
    setObjectName(QStringLiteral("settings.header"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(12);
    layout->addWidget(makeTitleRow());
    layout->addWidget(makeNote());
    layout->addWidget(makeButtonRow());
    layout->addWidget(makeProgressBlock());

    connect(m_appModel, &AppModel::isConnectedChanged, this, &DeviceSettingsHeaderCard::showActions);
    connect(m_appModel, &AppModel::isBusyChanged, this, &DeviceSettingsHeaderCard::showActions);
    connect(m_appModel, &AppModel::selectedRadioModelChanged, this, &DeviceSettingsHeaderCard::showActions);
    connect(m_appModel, &AppModel::settingsStatesChanged, this, &DeviceSettingsHeaderCard::showActions);
    connect(m_appModel, &AppModel::settingsPhaseChanged, this, &DeviceSettingsHeaderCard::showProgress);
    connect(m_appModel, &AppModel::settingsProgressChanged, this, &DeviceSettingsHeaderCard::showProgress);
    connect(m_appModel, &AppModel::settingsStatusTextChanged, this, &DeviceSettingsHeaderCard::showProgress);
    showActions();
    showProgress();
}

QString DeviceSettingsHeaderCard::percentText(double progress) {
    return QString::number(static_cast<int>(progress * 100)) + QStringLiteral(" %");
}

QWidget *DeviceSettingsHeaderCard::makeTitleRow() {
    auto *row = new QWidget(this);
    auto *title = new QLabel(loc(QStringLiteral("Geräteeinstellungen")), row);
    title->setObjectName(QStringLiteral("settings.title"));
    DeviceSettingsStyle::applyFont(title, TextRole::title);
    auto *model = new QLabel(rawValue(m_radioModel), row);
    model->setObjectName(QStringLiteral("settings.model"));
    DeviceSettingsStyle::applyFont(model, TextRole::headline);
    TextStyle::setTextColor(model, modelPalette().secondary);
    m_badge = new DeviceSettingsStatusBadge(row);
    m_badge->setObjectName(QStringLiteral("settings.statusBadge"));

    auto *titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(title);
    titles->addWidget(model);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(titles);
    layout->addStretch(1);
    layout->addWidget(m_badge, 0, Qt::AlignTop);
    return row;
}

QWidget *DeviceSettingsHeaderCard::makeNote() {
    // Kept as one key: the note has no translations and reads in German everywhere.
    auto *note = new QLabel(
        loc(QStringLiteral("CAT-dokumentierte Menüeinträge werden in einem separaten Fenster gelesen und "
                           "geschrieben. Änderungen an CAT-/Schnittstellenparametern können eine "
                           "Neuverbindung erforderlich machen.")),
        this);
    note->setObjectName(QStringLiteral("settings.note"));
    note->setWordWrap(true);
    DeviceSettingsStyle::applyFont(note, TextRole::body);
    DeviceSettingsStyle::setSecondaryTextColor(note);
    return note;
}

QWidget *DeviceSettingsHeaderCard::makeButtonRow() {
    auto *row = new QWidget(this);
    m_readButton =
        makeButton(QStringLiteral("settings.read"), QStringLiteral("Settings lesen"), QStyle::SP_ArrowDown);
    DeviceSettingsStyle::tintButton(m_readButton, modelPalette().primary);
    m_writeButton = makeButton(QStringLiteral("settings.writeChanged"), QStringLiteral("Geänderte schreiben"),
                               QStyle::SP_ArrowUp);
    m_restoreButton =
        makeButton(QStringLiteral("settings.restore"), QStringLiteral("Zurücksetzen"), QStyle::SP_ArrowBack);
    connect(m_readButton, &QPushButton::clicked, m_appModel, &AppModel::readSettings);
    connect(m_writeButton, &QPushButton::clicked, m_appModel, &AppModel::writeSettings);
    connect(m_restoreButton, &QPushButton::clicked, m_appModel, &AppModel::restoreSettingsToOriginal);

    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    for (QPushButton *button : {m_readButton, m_writeButton, m_restoreButton})
        layout->addWidget(button);
    layout->addStretch(1);
    return row;
}

QPushButton *DeviceSettingsHeaderCard::makeButton(const QString &objectName, const QString &title,
                                                  QStyle::StandardPixmap icon) {
    auto *button = new QPushButton(style()->standardIcon(icon), loc(title));
    button->setObjectName(objectName);
    return button;
}

QWidget *DeviceSettingsHeaderCard::makeProgressBlock() {
    m_progressBlock = new QWidget(this);
    m_progressBlock->setObjectName(QStringLiteral("settings.progress"));
    m_progressBar = new QProgressBar(m_progressBlock);
    m_progressBar->setObjectName(QStringLiteral("settings.progressBar"));
    m_progressBar->setRange(0, progressSteps);
    m_progressBar->setTextVisible(false);
    QPalette barPalette = m_progressBar->palette();
    barPalette.setColor(QPalette::Highlight, modelPalette().primary);
    m_progressBar->setPalette(barPalette);

    m_statusText = new QLabel(m_progressBlock);
    m_statusText->setObjectName(QStringLiteral("settings.statusText"));
    m_percentText = new QLabel(m_progressBlock);
    m_percentText->setObjectName(QStringLiteral("settings.percent"));
    for (QLabel *label : {m_statusText, m_percentText}) {
        DeviceSettingsStyle::applyFont(label, TextRole::caption);
        DeviceSettingsStyle::setSecondaryTextColor(label);
    }

    auto *line = new QHBoxLayout;
    line->addWidget(m_statusText);
    line->addStretch(1);
    line->addWidget(m_percentText);
    auto *layout = new QVBoxLayout(m_progressBlock);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_progressBar);
    layout->addLayout(line);
    return m_progressBlock;
}

void DeviceSettingsHeaderCard::showActions() {
    const bool ownModel = m_appModel->selectedRadioModel() == m_radioModel;
    const bool connected = m_appModel->isConnected();
    const bool busy = m_appModel->isBusy();
    const bool dirty = m_appModel->hasDirtySettings();
    m_badge->setConnected(connected);
    FocusHandOff::setEnabled(m_readButton, connected && !busy && ownModel, this);
    FocusHandOff::setEnabled(m_writeButton, connected && !busy && dirty && ownModel, this);
    FocusHandOff::setEnabled(m_restoreButton, !busy && dirty && ownModel, this);
}

void DeviceSettingsHeaderCard::showProgress() {
    const double progress = m_appModel->settingsProgress();
    m_progressBlock->setVisible(m_appModel->settingsPhase() != SettingsOperationPhase::idle || progress > 0);
    m_progressBar->setValue(static_cast<int>(progress * progressSteps));
    m_statusText->setText(m_appModel->settingsStatusText());
    m_percentText->setText(percentText(progress));
}
