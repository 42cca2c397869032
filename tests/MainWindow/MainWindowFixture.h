#pragma once

#include "AppModel/AppModel.h"
#include "AppModel/AppPreferences.h"
#include "FakeRadio.h"
#include "MainWindow/ContentView.h"
#include "TestSettings.h"

#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// One fresh world per test: an empty settings store, German as the system language, a device
// folder whose "ttyUSB0" leads to a fake FT-710, and the clipboard caught in a list.
// `openWindow` adds an AppModel and a shown main window; the helpers find widgets by object name
// in `window`.
class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();

    AppModel::Options options();
    QString portPath() const;
    // A countdown second lasts 2 ms here.
    void openWindow();

    template <typename T = QWidget> T *widget(const QString &name) const {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no widget named %s", qPrintable(name));
        return found;
    }
    QPushButton *button(const QString &name) const { return widget<QPushButton>(name); }
    // The text of the label or button with this name.
    QString text(const QString &name) const { return widget(name)->property("text").toString(); }
    QString logText() const;
    // Chooses the item with this data as the user does; false when there is none.
    bool choose(const QString &comboName, const QVariant &data) const;
    // Presses the toolbar button ("toolbar.export", "toolbar.import") and picks `path` in its file
    // dialog; false when no dialog opened.
    bool chooseFile(const QString &buttonName, const QString &path) const;
    std::optional<AppPreferences> storedPreferences() const;

    FakeRadio radio;
    QStringList clipboard;

private:
    TestSettings m_settings;
    QTemporaryDir m_devices;

public:
    std::unique_ptr<AppModel> model;
    std::unique_ptr<ContentView> view;
    QWidget *window = nullptr;
};
