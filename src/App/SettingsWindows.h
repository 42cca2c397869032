#pragma once

#include "Model/RadioModel.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class AppModel;
class QWidget;

// The two settings windows, "ft710-settings" and "ft991a-settings": at most one of each, made
// on first request and brought to the front on every further one.
class SettingsWindows : public QObject {
    Q_OBJECT

public:
    SettingsWindows(AppModel *model, QObject *parent = nullptr);
    ~SettingsWindows() override;

    static QString windowId(RadioModel model);

    // Shows the window with this id (creating it once); nullptr for an unknown id.
    QWidget *open(const QString &id);

private:
    // The window with this id if it was made.
    QWidget *window(const QString &id) const;
    QWidget *create(RadioModel model);
    void showTitles();

    AppModel *m_model;
    QHash<QString, QPointer<QWidget>> m_windows;
};
