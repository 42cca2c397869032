#include "MainWindow/MainToolbar.h"

#include "AppModel/AppModel.h"
#include "Localization/L.h"
#include "MainWindow/AppBranding.h"
#include "MainWindow/ElidedButton.h"
#include "MainWindow/ElidedLabel.h"
#include "MainWindow/MainViewState.h"
#include "MainWindow/SegmentedControl.h"
#include "MainWindow/TitledControl.h"
#include "Theme/FocusHandOff.h"
#include "Theme/Icons.h"
#include "Theme/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int modePickerWidth = 260;
} // namespace

MainToolbar::MainToolbar(AppModel *model, MainViewState *state, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_state(state) {
    setObjectName(QStringLiteral("toolbar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    // The title block takes the free room, which pushes the controls to the trailing edge and
    // lets the caption show as much as fits.
    layout->addWidget(buildTitleBlock(), 1);

    m_readAll = addButton(loc(QStringLiteral("Alle lesen")), QStringLiteral("toolbar.readAll"));
    connect(m_readAll, &QPushButton::clicked, m_model, &AppModel::readAll);
    m_readSelected =
        addButton(loc(QStringLiteral("Ausgewählten lesen")), QStringLiteral("toolbar.readSelected"));
    connect(m_readSelected, &QPushButton::clicked, m_model, &AppModel::readSelected);
    const QColor ink = palette().color(QPalette::ButtonText);
    ElidedButton *exportButton = addButton(loc(QStringLiteral("Export")), QStringLiteral("toolbar.export"));
    exportButton->setIcon(Icons::exportIcon(ink));
    connect(exportButton, &QPushButton::clicked, this, &MainToolbar::exportRequested);
    m_import = addButton(loc(QStringLiteral("Import")), QStringLiteral("toolbar.import"));
    m_import->setIcon(Icons::importIcon(ink));
    connect(m_import, &QPushButton::clicked, this, &MainToolbar::importRequested);
    ElidedButton *settings =
        addButton(loc(QStringLiteral("Einstellungen")), QStringLiteral("toolbar.settings"));
    settings->setIcon(Icons::settingsIcon(ink));
    connect(settings, &QPushButton::clicked, this,
            [this] { emit settingsWindowRequested(m_model->selectedRadioModel()); });
    m_buttons = {m_readAll, m_readSelected, exportButton, m_import, settings};
    for (ElidedButton *button : m_buttons)
        layout->addWidget(button);

    m_modePicker = new SegmentedControl;
    m_modePicker->setObjectName(QStringLiteral("toolbar.editorMode"));
    for (EditorMode mode : allEditorModes())
        m_modePicker->addSegment(title(mode), QStringLiteral("toolbar.editorMode.") + id(mode));
    connect(m_modePicker, &SegmentedControl::activated, m_state,
            [this](int index) { m_state->setEditorMode(allEditorModes().at(index)); });
    // The width holds the picker's title as well as its segments.
    QWidget *titledPicker = titledControl(loc(QStringLiteral("Bearbeitung")),
                                          QStringLiteral("toolbar.editorMode.title"), m_modePicker);
    titledPicker->setFixedWidth(modePickerWidth);
    layout->addWidget(titledPicker);

    connect(m_model, &AppModel::isConnectedChanged, this, &MainToolbar::showEnabledStates);
    connect(m_model, &AppModel::isBusyChanged, this, &MainToolbar::showEnabledStates);
    connect(m_model, &AppModel::selectedMemoryIDChanged, this, &MainToolbar::showEnabledStates);
    connect(m_model, &AppModel::memoriesChanged, this, &MainToolbar::showEnabledStates);
    connect(m_state, &MainViewState::editorModeChanged, this, &MainToolbar::showEditorMode);
    connect(m_state, &MainViewState::themeChanged, this, &MainToolbar::showTheme);
    showEnabledStates();
    showEditorMode();
    showTheme();
}

QWidget *MainToolbar::buildTitleBlock() {
    auto *block = new QWidget;
    auto *layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *title = new QLabel(AppBranding::appName());
    title->setObjectName(QStringLiteral("toolbar.title"));
    title->setFont(TextStyle::font(title->font(), 1.15, QFont::Bold));
    auto *caption =
        new ElidedLabel(AppBranding::appVersion() + QStringLiteral(" · ") + AppBranding::authorLine());
    caption->setObjectName(QStringLiteral("toolbar.caption"));
    caption->setFont(TextStyle::font(caption->font(), 0.85));
    caption->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(title);
    layout->addWidget(caption);
    return block;
}

ElidedButton *MainToolbar::addButton(const QString &text, const QString &name) {
    auto *button = new ElidedButton(text);
    button->setObjectName(name);
    return button;
}

// The size hint is the width with every button whole and the caption at its least.
void MainToolbar::setLeastWidth(int width) {
    QList<int> whole;
    for (const ElidedButton *button : m_buttons)
        whole << button->sizeHint().width();
    const auto givenUp = [&](int cap) {
        int sum = 0;
        for (int each : whole)
            sum += std::max(0, each - cap);
        return sum;
    };
    const int shortest = *std::ranges::min_element(whole);
    int cap = *std::ranges::max_element(whole);
    while (cap > shortest && givenUp(cap) < sizeHint().width() - width)
        --cap;
    for (qsizetype index = 0; index < m_buttons.size(); ++index)
        m_buttons[index]->setMinimumWidth(std::min(whole[index], cap));
}

void MainToolbar::showEnabledStates() {
    const bool idleLink = m_model->isConnected() && !m_model->isBusy();
    FocusHandOff::setEnabled(m_readAll, idleLink, this);
    FocusHandOff::setEnabled(m_readSelected, idleLink && m_model->selectedMemory().has_value(), this);
    // An import during a read would be overwritten when the read publishes its table.
    FocusHandOff::setEnabled(m_import, !m_model->isBusy(), this);
}

void MainToolbar::showEditorMode() {
    m_modePicker->setCurrentIndex(int(allEditorModes().indexOf(m_state->editorMode())));
}

void MainToolbar::showTheme() {
    m_modePicker->setAccent(m_state->themePrimary());
}
