#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>

class AppModel;
class QWidget;

// The program's one alert: shows AppModel's alert message titled "Hinweis" with one "OK"
// button over whichever Korvel window is active, without a nested event loop. Closing it, by
// the button or otherwise, clears the message.
class AlertPresenter : public QObject {
    Q_OBJECT

public:
    // `fallbackParent` carries the alert when no window of the program is active.
    AlertPresenter(AppModel *model, QWidget *fallbackParent);

private:
    void follow();
    QWidget *ownerWindow() const;
    static void showTexts(QMessageBox *box);
    void open(const QString &message, QWidget *owner);

    AppModel *m_model;
    QWidget *m_fallbackParent;
    QPointer<QMessageBox> m_box;
};
