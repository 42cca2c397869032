#include "App/KorvelApp.h"
#include "App/PreferencesPanel.h"
#include "Localization/L.h"
#include "Localization/LanguageSelection.h"
#include "Localization/UserDefaults.h"
#include "MainWindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// The application shell: the language menu, the preferences panel, the settings windows and
// the one alert over whichever window is active.
class KorvelAppTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowFixture> w;
    std::unique_ptr<KorvelApp> m_app;

    QAction *action(const QString &name) { return w->widget<QAction>(name); }
    QRadioButton *preferencesChoice(const QString &language) {
        return m_app->preferencesPanel()->findChild<QRadioButton *>(u"preferences.language."_s + language);
    }
    std::optional<QString> storedLanguage() { return UserDefaults::text(L::userDefaultsLanguageKey()); }
    QWidgetList windowsNamed(const QString &name) {
        QWidgetList found = QApplication::topLevelWidgets();
        found.removeIf([&](QWidget *window) { return window->objectName() != name; });
        return found;
    }
    // The controls, switch cells and painted marks a screen reader finds no name for. A combo box
    // says its value as its name, so it needs a title: on Linux that comes, as for any control,
    // through the label relation of the label it is the buddy of.
    static QStringList namelessControls(QAccessibleInterface *element) {
        using A = QAccessible;
        static const QList<A::Role> controls{A::Button,   A::CheckBox,     A::RadioButton,
                                             A::ComboBox, A::EditableText, A::Slider,
                                             A::SpinBox,  A::ButtonMenu,   A::Table};
        const bool cell = element->role() == A::Cell; // one scrolled out of view is there all the same
        if (element->state().invisible && !cell)
            return {};
        QString name = element->text(A::Name);
        if (element->role() == A::ComboBox && name == element->text(A::Value))
            name.clear();
        for (const auto &[label, relation] : element->relations(A::Label))
            name += label->text(A::Name);
        const QObject *object = element->object();
        const bool paintedMark = element->role() == A::Client && element->childCount() == 0 &&
                                 !object->objectName().startsWith(u"qt_"_s);
        QStringList found;
        if (name.isEmpty() &&
            (controls.contains(element->role()) || paintedMark || (cell && element->state().checkable)))
            found << (object ? object->objectName() : u"a switch cell"_s);
        for (int child = 0; child < element->childCount(); ++child)
            found << namelessControls(element->child(child));
        return found;
    }

private slots:
    void init() {
        w = std::make_unique<MainWindowFixture>();
        m_app = std::make_unique<KorvelApp>(w->options());
        m_app->show();
        w->window = m_app->mainWindow();
    }
    void cleanup() {
        m_app.reset();
        w.reset();
    }

    void freshStartFollowsTheSystemLanguage() {
        auto *menu = w->widget<QMenu>(u"menu.language"_s);
        QCOMPARE(menu->title(), u"Sprache"_s);
        QCOMPARE(menu->actions().size(), 25);
        QCOMPARE(menu->actions().first()->text(), u"System"_s);
        QVERIFY(action(u"menu.language.system"_s)->isChecked());
        QVERIFY(preferencesChoice(u"system"_s)->isChecked());
        QCOMPARE(w->window->windowTitle(), u"Korvel"_s);
        QCOMPARE(m_app->mainWindow()->centralWidget()->size(), QSize(1320, 820));
    }

    void languageMenuSwitchesEveryWindow() {
        m_app->openWindow(u"ft710-settings"_s);
        action(u"menu.language.en"_s)->trigger();
        QCOMPARE(storedLanguage(), std::optional<QString>(u"en"_s));
        QTRY_COMPARE(w->button(u"sidebar.connect"_s)->text(), u"Connect"_s);
        QCOMPARE(w->widget<QMenu>(u"menu.language"_s)->title(), u"Language"_s);
        QVERIFY(action(u"menu.language.en"_s)->isChecked());
        QVERIFY(!action(u"menu.language.system"_s)->isChecked());
        QVERIFY(preferencesChoice(u"en"_s)->isChecked());
        QCOMPARE(windowsNamed(u"ft710-settings"_s).value(0)->windowTitle(), u"FT-710 Einstellungen"_s);
    }

    void preferencesPanelChoosesTheLanguage() {
        QAction *preferences = action(u"action.preferences"_s);
        QCOMPARE(preferences->menuRole(), QAction::PreferencesRole);
        preferences->trigger();
        QTRY_VERIFY(m_app->preferencesPanel()->isVisible());
        QCOMPARE(m_app->preferencesPanel()->size(), QSize(360, 220));
        preferencesChoice(u"de"_s)->click();
        QCOMPARE(storedLanguage(), std::optional<QString>(u"de"_s));
        QVERIFY(action(u"menu.language.de"_s)->isChecked());
    }

    void unknownStoredLanguageMarksNoChoice() {
        UserDefaults::setValue(L::userDefaultsLanguageKey(), u"tlh"_s);
        KorvelApp app(w->options());
        for (QAction *language : app.mainWindow()->findChild<QMenu *>(u"menu.language"_s)->actions())
            QVERIFY2(!language->isChecked(), qPrintable(language->objectName()));
        for (auto *choice : app.preferencesPanel()->findChildren<QRadioButton *>())
            QVERIFY2(!choice->isChecked(), qPrintable(choice->objectName()));
    }

    // "Einstellungen" opens the selected model's window; asked again, the same one comes back and
    // nothing is called again: an edit of a setting stays.
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
        w->button(u"toolbar.settings"_s)->click();
        QCOMPARE(windowsNamed(id).size(), 1);
        QWidget *settings = windowsNamed(id).first();
        QVERIFY(settings->isVisible());
        QCOMPARE(settings->windowTitle(), title);
        QCOMPARE(settings->size(), QSize(920, 760));
        AppModel *model = m_app->appModel();
        model->setSettingValue(model->settingsStates().first().id(), u"12"_s);
        QSignalSpy publications(model, &AppModel::settingsStatesChanged);
        settings->close();
        w->button(u"toolbar.settings"_s)->click();
        QCOMPARE(windowsNamed(id), QList<QWidget *>{settings});
        QVERIFY(settings->isVisible());
        QCOMPARE(settings->findChildren<QWidget *>(u"settings.root"_s).size(), 1);
        QCOMPARE(publications.size(), 0);
        QCOMPARE(model->settingsStates().first().value, u"12"_s);
        QVERIFY(!m_app->openWindow(u"no-such-window"_s));
    }

    void everyControlHasAnAccessibleName_data() {
        QTest::addColumn<QString>("window");
        for (const char *window : {"table", "detail", "preferences", "ft710-settings", "ft991a-settings"})
            QTest::addRow("%s", window) << QString::fromLatin1(window);
    }
    void everyControlHasAnAccessibleName() {
        QFETCH(QString, window);
        QWidget *shown = m_app->mainWindow();
        if (window == u"detail"_s) {
            m_app->appModel()->setSelectedRadioModel(RadioModel::ft991a); // the larger field set
            m_app->mainWindow()->setEditorMode(EditorMode::detail);
        } else if (window == u"preferences"_s) {
            m_app->openPreferences();
            shown = m_app->preferencesPanel();
        } else if (window != u"table"_s) {
            shown = m_app->openWindow(window);
        }
        QCoreApplication::processEvents(); // rows added to a shown window show on the next turn
        const QStringList nameless = namelessControls(QAccessible::queryAccessibleInterface(shown));
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u", "_s)));
    }

    // Qt's own dialogs and buttons take the chosen language where Qt has it, English elsewhere.
    void qtsOwnTextsFollowTheLanguage_data() {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("cancel");
        QTest::addRow("system, German") << AppLanguage::system << u"Abbrechen"_s;
        QTest::addRow("French") << AppLanguage::fr << u"Annuler"_s;
        QTest::addRow("Swedish, which Qt lacks") << AppLanguage::sv << u"Cancel"_s;
    }
    void qtsOwnTextsFollowTheLanguage() {
        QFETCH(AppLanguage, language);
        QFETCH(QString, cancel);
        LanguageSelection::shared()->select(language);
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(), cancel);
    }

    // A message of a run in the settings window must not stay hidden behind it.
    void alertFollowsTheActiveWindow() {
        QApplication::setActiveWindow(m_app->mainWindow());
        m_app->appModel()->setAlertMessage(u"first"_s);
        QTRY_VERIFY(m_app->mainWindow()->findChild<QMessageBox *>(u"alert"_s));
        QWidget *settings = m_app->openWindow(u"ft991a-settings"_s);
        QVERIFY(m_app->mainWindow()->isVisible() && settings->isVisible());
        QApplication::setActiveWindow(settings);
        m_app->appModel()->setAlertMessage(u"second"_s);
        auto *box = settings->findChild<QMessageBox *>(u"alert"_s);
        QVERIFY(box && box->informativeText().contains(u"second"_s));
        QTRY_VERIFY(!m_app->mainWindow()->findChild<QMessageBox *>(u"alert"_s));
        box->findChild<QPushButton *>(u"alert.ok"_s)->click();
        QVERIFY(!m_app->appModel()->alertMessage());
    }
};

QTEST_MAIN(KorvelAppTest)
#include "tst_korvelapp.moc"
