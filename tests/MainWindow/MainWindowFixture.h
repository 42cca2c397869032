#pragma once

#include "AppModel/AppModel.h"
#include "FakeRadio.h"
#include "TestSettings.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class ContentView;
class QWidget;

// One fresh world per test: an empty settings store, German as the system language, a device
// folder whose "ttyUSB0" leads to a fake radio, and the clipboard caught in a list.
class MainWindowFixture {
public:
    explicit MainWindowFixture(RadioModel radioModel = RadioModel::ft710);
    ~MainWindowFixture();

    AppModel::Options options();
    QString portPath() const;

    // A widget of `root` found by object name; fails the test when it is missing.
    template <typename T> static T *find(QWidget *root, const QString &name);

    FakeRadio radio;
    QStringList clipboard;

private:
    TestSettings m_settings;
    QTemporaryDir m_devices;
};

#include <QTest>
#include <QWidget>

template <typename T> T *MainWindowFixture::find(QWidget *root, const QString &name) {
    T *widget = root->findChild<T *>(name);
    if (!widget)
        qWarning("no widget named %s", qPrintable(name));
    return widget;
}
