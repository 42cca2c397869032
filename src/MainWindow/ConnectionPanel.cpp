#include "MainWindow/ConnectionPanel.h"

#include "AppModel/AppModel.h"
#include "AppModel/AppPreferences.h"
#include "Localization/L.h"
#include "Localization/LanguageSelection.h"
#include "MainWindow/ConnectionStateBadge.h"
#include "MainWindow/MainViewState.h"
#include "MainWindow/SegmentedControl.h"
#include "MainWindow/TitledControl.h"
#include "Theme/ButtonStyle.h"
#include "Theme/Icons.h"
#include "Theme/ModelPalette.h"
#include "Theme/RoundedPanel.h"
#include "Theme/TextStyle.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel *captionLabel(const QString &text) {
    auto *label = new QLabel(text);
    label->setFont(TextStyle::font(label->font(), 0.85));
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setWordWrap(true);
    return label;
}

// A row of the form: a small semibold label over the row's controls. The label names `named`, a
// control of the row, for a screen reader.
QWidget *formRow(const QString &label, QLayout *controls, QWidget *named = nullptr) {
    auto *row = new QWidget;
    auto *layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    QLabel *caption = captionLabel(label);
    caption->setFont(TextStyle::font(caption->font(), 1.0, QFont::DemiBold));
    caption->setBuddy(named);
    controls->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addLayout(controls);
    return row;
}

QWidget *formRow(const QString &label, QWidget *control) {
    auto *controls = new QVBoxLayout;
    controls->addWidget(control);
    return formRow(label, controls);
}

// Selects the item whose data is `value`; with none, shows the value as a dimmed placeholder.
void selectData(QComboBox *menu, const QVariant &value) {
    const QSignalBlocker blocker(menu);
    const int index = menu->findData(value);
    menu->setPlaceholderText(index < 0 ? value.toString() : QString());
    menu->setCurrentIndex(index);
}

} // namespace

ConnectionPanel::ConnectionPanel(AppModel *model, MainViewState *state, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_state(state) {
    setObjectName(QStringLiteral("sidebar.connection"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    layout->addWidget(buildHeader());
    layout->addWidget(buildModelRow());
    layout->addWidget(buildPortRow());
    layout->addWidget(buildBaudRow());
    layout->addWidget(buildActionRow());
    layout->addWidget(buildLanguageCard());

    connect(m_model, &AppModel::selectedRadioModelChanged, this, &ConnectionPanel::showModel);
    connect(m_model, &AppModel::availablePortsChanged, this, &ConnectionPanel::showPorts);
    connect(m_model, &AppModel::selectedPortChanged, this, &ConnectionPanel::showPorts);
    connect(m_model, &AppModel::baudRateChanged, this, &ConnectionPanel::showBaudRate);
    connect(m_model, &AppModel::isConnectedChanged, this, &ConnectionPanel::showLinkState);
    connect(m_model, &AppModel::isBusyChanged, this, &ConnectionPanel::showLinkState);
    connect(m_state, &MainViewState::themeChanged, this, &ConnectionPanel::showTheme);
    showModel();
    showPorts();
    showBaudRate();
    showLinkState();
    showTheme();
}

QWidget *ConnectionPanel::buildHeader() {
    auto *header = new QWidget;
    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(4);
    auto *title = new QLabel(loc(QStringLiteral("Funkgerät / Verbindung")));
    title->setObjectName(QStringLiteral("sidebar.title"));
    title->setWordWrap(true);
    title->setFont(TextStyle::font(title->font(), 1.0, QFont::Bold));
    titles->addWidget(title);
    titles->addWidget(
        captionLabel(loc(QStringLiteral("Gerät, Port und Verbindung kompakt an einer Stelle."))));
    layout->addLayout(titles, 1);
    m_badge = new ConnectionStateBadge;
    m_badge->setObjectName(QStringLiteral("sidebar.badge"));
    layout->addWidget(m_badge, 0, Qt::AlignTop);
    return header;
}

QWidget *ConnectionPanel::buildModelRow() {
    m_modelPicker = new SegmentedControl;
    m_modelPicker->setObjectName(QStringLiteral("sidebar.model"));
    for (RadioModel model : allRadioModels())
        m_modelPicker->addSegment(rawValue(model), QStringLiteral("sidebar.model.") + rawValue(model));
    connect(m_modelPicker, &SegmentedControl::activated, this,
            [this](int index) { m_model->setSelectedRadioModel(allRadioModels().at(index)); });
    return formRow(loc(QStringLiteral("Funkgerät")),
                   titledControl(loc(QStringLiteral("Funkgerät")), QStringLiteral("sidebar.model.title"),
                                 m_modelPicker));
}

QWidget *ConnectionPanel::buildPortRow() {
    auto *layout = new QHBoxLayout;
    layout->setSpacing(10);
    m_portMenu = new QComboBox;
    m_portMenu->setObjectName(QStringLiteral("sidebar.port"));
    m_portMenu->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_portMenu->setMinimumContentsLength(8);
    connect(m_portMenu, &QComboBox::activated, this,
            [this](int index) { m_model->setSelectedPort(m_portMenu->itemData(index).toString()); });
    auto *refresh = new QToolButton;
    refresh->setObjectName(QStringLiteral("sidebar.refreshPorts"));
    // The button shows only its symbol; a screen reader says what it does.
    refresh->setAccessibleName(
        L::text(QStringLiteral("Ports aktualisieren"), QStringLiteral("Refresh ports")));
    refresh->setIcon(Icons::refreshIcon(palette().color(QPalette::ButtonText)));
    refresh->setAutoRaise(false);
    connect(refresh, &QToolButton::clicked, m_model, &AppModel::refreshPorts);
    layout->addWidget(m_portMenu, 1);
    layout->addWidget(refresh);
    return formRow(loc(QStringLiteral("Port")), layout, m_portMenu);
}

QWidget *ConnectionPanel::buildBaudRow() {
    m_baudMenu = new QComboBox;
    m_baudMenu->setObjectName(QStringLiteral("sidebar.baud"));
    for (int rate : DeviceSettings::offeredBaudRates())
        m_baudMenu->addItem(loc(QString::number(rate)), rate);
    connect(m_baudMenu, &QComboBox::activated, this,
            [this](int index) { m_model->setBaudRate(m_baudMenu->itemData(index).toInt()); });
    return formRow(
        loc(QStringLiteral("Baudrate")),
        titledControl(loc(QStringLiteral("Baud")), QStringLiteral("sidebar.baud.title"), m_baudMenu));
}

QWidget *ConnectionPanel::buildActionRow() {
    auto *controls = new QWidget;
    auto *layout = new QVBoxLayout(controls);
    layout->setContentsMargins(0, 0, 0, 0);
    m_connectButton = new QPushButton(loc(QStringLiteral("Verbinden")));
    m_connectButton->setObjectName(QStringLiteral("sidebar.connect"));
    connect(m_connectButton, &QPushButton::clicked, m_state, &MainViewState::startConnectSplash);
    m_disconnectButton = new QPushButton(loc(QStringLiteral("Trennen")));
    m_disconnectButton->setObjectName(QStringLiteral("sidebar.disconnect"));
    connect(m_disconnectButton, &QPushButton::clicked, m_model, &AppModel::disconnect);
    layout->addWidget(m_connectButton);
    layout->addWidget(m_disconnectButton);
    return formRow(loc(QStringLiteral("Aktion")), controls);
}

QWidget *ConnectionPanel::buildLanguageCard() {
    auto *card = new RoundedPanel(16);
    card->setFill(withOpacity(Qt::white, 0.035));
    card->setStroke(withOpacity(Qt::white, 0.07));
    auto *layout = new QVBoxLayout(card);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);

    auto *heading = new QHBoxLayout;
    auto *globe = new QLabel;
    globe->setPixmap(Icons::globeIcon(palette().color(QPalette::WindowText)).pixmap(16, 16));
    auto *label = new QLabel(loc(QStringLiteral("Sprache")));
    label->setFont(TextStyle::font(label->font(), 1.0, QFont::DemiBold));
    heading->addWidget(globe);
    heading->addWidget(label);
    heading->addStretch(1);
    layout->addLayout(heading);

    auto *menu = new QComboBox;
    menu->setObjectName(QStringLiteral("sidebar.language"));
    for (AppLanguage language : allAppLanguages())
        menu->addItem(displayName(language), rawValue(language));
    selectData(menu, LanguageSelection::shared()->value());
    connect(menu, &QComboBox::activated, this, [menu](int index) {
        if (const auto language = appLanguageFromRawValue(menu->itemData(index).toString()))
            LanguageSelection::shared()->select(*language);
    });
    layout->addWidget(
        titledControl(loc(QStringLiteral("Sprache")), QStringLiteral("sidebar.language.title"), menu));
    layout->addWidget(captionLabel(loc(QStringLiteral("Welche Sprache soll Korvel verwenden?"))));
    return card;
}

void ConnectionPanel::showModel() {
    const QSignalBlocker blocker(m_modelPicker);
    m_modelPicker->setCurrentIndex(int(allRadioModels().indexOf(m_model->selectedRadioModel())));
    showLinkState();
}

void ConnectionPanel::showPorts() {
    const QSignalBlocker blocker(m_portMenu);
    m_portMenu->clear();
    m_portMenu->addItem(loc(QStringLiteral("Bitte wählen")), QString());
    for (const QString &port : m_model->availablePorts())
        m_portMenu->addItem(port, port);
    selectData(m_portMenu, m_model->selectedPort());
}

void ConnectionPanel::showBaudRate() {
    selectData(m_baudMenu, m_model->baudRate());
}

void ConnectionPanel::showLinkState() {
    m_badge->setState(m_model->isConnected(), rawValue(m_model->selectedRadioModel()));
    m_connectButton->setEnabled(!m_model->isBusy());
    m_disconnectButton->setEnabled(m_model->isConnected());
}

void ConnectionPanel::showTheme() {
    const QColor primary = m_state->themePrimary();
    m_modelPicker->setAccent(primary);
    // "Verbinden" is the prominent action: filled with the model's colour.
    ButtonStyle::makeProminent(m_connectButton, primary);
}
