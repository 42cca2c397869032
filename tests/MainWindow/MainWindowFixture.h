#pragma once

#include "AppModel/AppModel.h"
#include "FakeRadio.h"
#include "MainWindow/ContentView.h"
#include "TestSettings.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// One fresh world per test: an empty settings store, German as the system language, a device
// folder whose "ttyUSB0" leads to a fake radio, and the clipboard caught in a list. `openWindow`
// adds an AppModel and a shown main window whose widgets the helpers find by object name.
class MainWindowFixture {
public:
    explicit MainWindowFixture(RadioModel radioModel = RadioModel::ft710);
    ~MainWindowFixture();

    AppModel::Options options();
    QString portPath() const;

    // The countdown's seconds last `step` here.
    void openWindow(std::chrono::milliseconds step);

    template <typename T = QWidget> T *widget(const QString &name) const {
        T *found = view->findChild<T *>(name);
        if (!found)
            qFatal("no widget named %s", qPrintable(name));
        return found;
    }
    QPushButton *button(const QString &name) const { return widget<QPushButton>(name); }
    QString text(const QString &name) const { return widget<QLabel>(name)->text(); }
    // Chooses the item with this data as the user does; false when there is none.
    bool choose(const QString &comboName, const QVariant &data) const;

    FakeRadio radio;
    QStringList clipboard;

private:
    TestSettings m_settings;
    QTemporaryDir m_devices;

public:
    std::unique_ptr<AppModel> model;
    std::unique_ptr<ContentView> view;
};
