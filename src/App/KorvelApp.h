#pragma once

#include "AppModel/AppModel.h"

#include <QObject>
#include <QPointer>

class ContentView;
class PreferencesPanel;
class QAction;
class QActionGroup;
class QMenu;
class SettingsWindows;

// The application: the one AppModel for the whole run, the main window with the "Sprache" menu
// and the preferences action, the two settings windows and the preferences panel. Every window
// works on the same AppModel.
class KorvelApp : public QObject {
    Q_OBJECT

public:
    // Without a clipboard writer in `options`, the log is copied to the system clipboard.
    explicit KorvelApp(AppModel::Options options = {}, QObject *parent = nullptr);
    ~KorvelApp() override;

    AppModel *appModel() { return &m_model; }
    ContentView *mainWindow() const;
    PreferencesPanel *preferencesPanel();

    void show();
    // Shows the settings window with this id ("ft710-settings", "ft991a-settings").
    QWidget *openWindow(const QString &id);
    void openPreferences();

private:
    static AppModel::Options withClipboard(AppModel::Options options);
    void buildMenus();
    void showMenuTexts();
    void showMenuSelection();

    AppModel m_model;
    QPointer<ContentView> m_mainWindow;
    SettingsWindows *m_settingsWindows;
    QPointer<PreferencesPanel> m_preferences;
    QMenu *m_languageMenu = nullptr;
    QActionGroup *m_languageActions = nullptr;
    QAction *m_preferencesAction = nullptr;
};
