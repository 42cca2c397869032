#pragma once

#include <QString>
#include <QWidget>

class AppModel;
class BusySpinner;
class ContentView;
class QLabel;
class QPlainTextEdit;
class QSlider;

// The activity log under the editors: the log newest line first in one selectable monospaced
// text, copy and clear buttons, the height of the text area, and a spinner while an operation
// runs. New lines are inserted at the top, so a line costs the same however long the log is.
class ActivityLogPanel : public QWidget {
    Q_OBJECT

public:
    ActivityLogPanel(AppModel *model, ContentView *view, QWidget *parent = nullptr);

private:
    void followLog();
    void showAllLines();
    void insertAtTop(const QString &text);
    void showHeight();

    AppModel *m_model;
    ContentView *m_view;
    QPlainTextEdit *m_text;
    QSlider *m_heightSlider;
    QLabel *m_heightValue;
    BusySpinner *m_spinner;
    // What the text shows: the number of log lines and the newest of them.
    qsizetype m_shownLines = 0;
    QString m_shownNewest;
};
