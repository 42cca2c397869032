#include "App/KorvelApp.h"

#include "App/PreferencesPanel.h"
#include "App/QtTranslations.h"
#include "App/SettingsWindows.h"
#include "Localization/L.h"
#include "Localization/LanguageSelection.h"
#include "MainWindow/AppBranding.h"
#include "MainWindow/ContentView.h"
#include "Theme/ModelPalette.h"
#include "Theme/PickerWheelGuard.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QStyleFactory>

KorvelApp::KorvelApp(AppModel::Options options, QObject *parent)
    : QObject(parent)
    , m_model(withClipboard(std::move(options)))
    , m_settingsWindows(new SettingsWindows(&m_model, this)) {
    // The same dark look on every platform, so texts read well on the gradients.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(ModelPalette::forModel(RadioModel::ft710).widgetPalette());
    PickerWheelGuard::install();
    new QtTranslations(this);

    m_mainWindow = new ContentView(&m_model);
    m_mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_mainWindow, &ContentView::settingsWindowRequested, this,
            [this](RadioModel model) { openWindow(SettingsWindows::windowId(model)); });
    // Without its main window the program cannot be used: closing it ends the program.
    connect(m_mainWindow, &QObject::destroyed, qApp, &QApplication::quit, Qt::QueuedConnection);
    buildMenus();
    connect(LanguageSelection::shared(), &LanguageSelection::changed, this, [this] {
        showMenuTexts();
        showMenuSelection();
    });
}

KorvelApp::~KorvelApp() {
    delete m_mainWindow.data();
}

AppModel::Options KorvelApp::withClipboard(AppModel::Options options) {
    if (!options.writeClipboard)
        options.writeClipboard = [](const QString &text) { QGuiApplication::clipboard()->setText(text); };
    return options;
}

ContentView *KorvelApp::mainWindow() const {
    return m_mainWindow;
}

// Built when first asked for: most runs never open it, and start-up stays short.
PreferencesPanel *KorvelApp::preferencesPanel() {
    if (!m_preferences)
        m_preferences = new PreferencesPanel(m_mainWindow);
    return m_preferences;
}

void KorvelApp::show() {
    m_mainWindow->show();
}

QWidget *KorvelApp::openWindow(const QString &id) {
    return m_settingsWindows->open(id);
}

void KorvelApp::openPreferences() {
    PreferencesPanel *panel = preferencesPanel();
    panel->show();
    panel->raise();
    panel->activateWindow();
}

void KorvelApp::buildMenus() {
    QMenuBar *bar = m_mainWindow->menuBar();
    QMenu *appMenu = bar->addMenu(AppBranding::appName());
    appMenu->setObjectName(QStringLiteral("menu.app"));
    m_preferencesAction = appMenu->addAction(QString(), this, &KorvelApp::openPreferences);
    m_preferencesAction->setObjectName(QStringLiteral("action.preferences"));
    m_preferencesAction->setMenuRole(QAction::PreferencesRole);
    m_preferencesAction->setShortcut(QKeySequence::Preferences);

    m_languageMenu = bar->addMenu(QString());
    m_languageMenu->setObjectName(QStringLiteral("menu.language"));
    m_languageActions = new QActionGroup(this);
    m_languageActions->setExclusive(true);
    for (AppLanguage language : allAppLanguages()) {
        QAction *action = m_languageMenu->addAction(displayName(language));
        action->setObjectName(QStringLiteral("menu.language.") + rawValue(language));
        action->setCheckable(true);
        m_languageActions->addAction(action);
        connect(action, &QAction::triggered, this,
                [language] { LanguageSelection::shared()->select(language); });
    }
    showMenuTexts();
    showMenuSelection();
    m_mainWindow->sizeAroundContent();
}

void KorvelApp::showMenuTexts() {
    m_languageMenu->setTitle(loc(QStringLiteral("Sprache")));
    m_preferencesAction->setText(loc(QStringLiteral("Einstellungen")) + QStringLiteral("…"));
}

void KorvelApp::showMenuSelection() {
    const QString stored = LanguageSelection::shared()->value();
    // A stored value that names no language leaves every row unmarked.
    m_languageActions->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *action : m_languageActions->actions())
        action->setChecked(action->objectName() == QStringLiteral("menu.language.") + stored);
    m_languageActions->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
}
