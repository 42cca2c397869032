#include "App/KorvelApp.h"
#include "App/LanguageSelection.h"
#include "App/PreferencesPanel.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "MainWindow/ContentView.h"
#include "MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

// The application shell: the language menu, the preferences panel, the settings windows and
// the one alert over whichever window is active.
class KorvelAppTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowFixture> m_world;
    std::unique_ptr<KorvelApp> m_app;

    ContentView *window() { return m_app->mainWindow(); }
    QAction *action(const QString &name) {
        auto *found = window()->findChild<QAction *>(name);
        if (!found)
            qFatal("no action named %s", qPrintable(name));
        return found;
    }
    QPushButton *button(const QString &name) { return window()->findChild<QPushButton *>(name); }
    QList<QWidget *> windowsNamed(const QString &name) {
        QList<QWidget *> found;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == name)
                found.append(widget);
        }
        return found;
    }

private slots:
    void init() {
        m_world = std::make_unique<MainWindowFixture>();
        m_app = std::make_unique<KorvelApp>(m_world->options());
        m_app->show();
    }
    void cleanup() {
        m_app.reset();
        m_world.reset();
    }

    void freshStartFollowsTheSystemLanguage() {
        auto *menu = window()->findChild<QMenu *>(QStringLiteral("menu.language"));
        QCOMPARE(menu->title(), QStringLiteral("Sprache"));
        QCOMPARE(menu->actions().size(), 25);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("System"));
        QVERIFY(action(QStringLiteral("menu.language.system"))->isChecked());
        auto *panel = m_app->preferencesPanel();
        QVERIFY(panel->findChild<QRadioButton *>(QStringLiteral("preferences.language.system"))->isChecked());
        QCOMPARE(window()->windowTitle(), QStringLiteral("Korvel"));
        QCOMPARE(window()->centralWidget()->size(), QSize(1320, 820));
    }

    void languageMenuSwitchesEveryWindow() {
        m_app->openWindow(QStringLiteral("ft710-settings"));
        action(QStringLiteral("menu.language.en"))->trigger();
        QCOMPARE(UserDefaults::text(L::userDefaultsLanguageKey()),
                 std::optional<QString>(QStringLiteral("en")));
        QTRY_COMPARE(button(QStringLiteral("sidebar.connect"))->text(), QStringLiteral("Connect"));
        QCOMPARE(window()->findChild<QMenu *>(QStringLiteral("menu.language"))->title(),
                 QStringLiteral("Language"));
        QVERIFY(action(QStringLiteral("menu.language.en"))->isChecked());
        QVERIFY(!action(QStringLiteral("menu.language.system"))->isChecked());
        QVERIFY(m_app->preferencesPanel()
                    ->findChild<QRadioButton *>(QStringLiteral("preferences.language.en"))
                    ->isChecked());
        QCOMPARE(windowsNamed(QStringLiteral("ft710-settings")).value(0)->windowTitle(),
                 QStringLiteral("FT-710 Einstellungen"));
    }

    void preferencesPanelChoosesTheLanguage() {
        QAction *preferences = action(QStringLiteral("action.preferences"));
        QCOMPARE(preferences->menuRole(), QAction::PreferencesRole);
        preferences->trigger();
        PreferencesPanel *panel = m_app->preferencesPanel();
        QTRY_VERIFY(panel->isVisible());
        QCOMPARE(panel->size(), QSize(360, 220));
        panel->findChild<QRadioButton *>(QStringLiteral("preferences.language.de"))->click();
        QCOMPARE(UserDefaults::text(L::userDefaultsLanguageKey()),
                 std::optional<QString>(QStringLiteral("de")));
        QVERIFY(action(QStringLiteral("menu.language.de"))->isChecked());
    }

    void unknownStoredLanguageMarksNoChoice() {
        UserDefaults::setValue(L::userDefaultsLanguageKey(), QStringLiteral("tlh"));
        KorvelApp app(m_world->options());
        for (QAction *language :
             app.mainWindow()->findChild<QMenu *>(QStringLiteral("menu.language"))->actions())
            QVERIFY2(!language->isChecked(), qPrintable(language->objectName()));
        for (auto *choice : app.preferencesPanel()->findChildren<QRadioButton *>())
            QVERIFY2(!choice->isChecked(), qPrintable(choice->objectName()));
    }

    void settingsWindowOpenedTwiceStaysOne_data() {
        QTest::addColumn<RadioModel>("radioModel");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("title");
        QTest::addRow("FT-710") << RadioModel::ft710 << "ft710-settings"
                                << "FT-710 Einstellungen";
        QTest::addRow("FT-991A") << RadioModel::ft991a << "ft991a-settings"
                                 << "FT-991A Einstellungen";
    }
    void settingsWindowOpenedTwiceStaysOne() {
        QFETCH(RadioModel, radioModel);
        QFETCH(QString, id);
        QFETCH(QString, title);
        m_app->appModel()->setSelectedRadioModel(radioModel);
        button(QStringLiteral("toolbar.settings"))->click();
        QCOMPARE(windowsNamed(id).size(), 1);
        QWidget *settings = windowsNamed(id).first();
        QVERIFY(settings->isVisible());
        QCOMPARE(settings->windowTitle(), title);
        QCOMPARE(settings->size(), QSize(920, 760));
        settings->close();
        button(QStringLiteral("toolbar.settings"))->click();
        QCOMPARE(windowsNamed(id), QList<QWidget *>{settings});
        QVERIFY(settings->isVisible());
    }

    void bothSettingsWindowsOpenTogether() {
        QWidget *first = m_app->openWindow(QStringLiteral("ft710-settings"));
        QWidget *second = m_app->openWindow(QStringLiteral("ft991a-settings"));
        QVERIFY(first && second && first != second);
        QVERIFY(first->isVisible() && second->isVisible());
        QVERIFY(!m_app->openWindow(QStringLiteral("no-such-window")));
    }

    void alertAppearsOverTheActiveWindow() {
        QWidget *settings = m_app->openWindow(QStringLiteral("ft991a-settings"));
        QApplication::setActiveWindow(settings);
        m_app->appModel()->setAlertMessage(QStringLiteral("Keine aktive CAT-Verbindung."));
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = settings->findChild<QMessageBox *>(QStringLiteral("alert"))));
        QCOMPARE(box->windowTitle(), QStringLiteral("Hinweis"));
        box->findChild<QPushButton *>(QStringLiteral("alert.ok"))->click();
        QVERIFY(!m_app->appModel()->alertMessage());
    }

    // A message of a run in the settings window must not stay behind it in the main window.
    void newMessageFollowsTheActiveWindow() {
        QApplication::setActiveWindow(window());
        m_app->appModel()->setAlertMessage(QStringLiteral("first"));
        QTRY_VERIFY(window()->findChild<QMessageBox *>(QStringLiteral("alert")));
        QWidget *settings = m_app->openWindow(QStringLiteral("ft710-settings"));
        QApplication::setActiveWindow(settings);
        m_app->appModel()->setAlertMessage(QStringLiteral("second"));
        QMessageBox *box = settings->findChild<QMessageBox *>(QStringLiteral("alert"));
        QVERIFY(box);
        QVERIFY(box->informativeText().contains(QStringLiteral("second")));
        QTRY_VERIFY(!window()->findChild<QMessageBox *>(QStringLiteral("alert")));
        QCOMPARE(m_app->appModel()->alertMessage(), std::optional<QString>(QStringLiteral("second")));
    }
};

QTEST_MAIN(KorvelAppTest)
#include "tst_korvelapp.moc"
