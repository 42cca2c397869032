#pragma once

#include <QGroupBox>
#include <QString>

class AppModel;
class BusySpinner;
class LogTextView;
class MainViewState;
class QLabel;
class QSlider;

// The activity log under the editors, a group box under its title: the log newest line first in
// one selectable monospaced text, copy and clear buttons, the height of the text area (the
// window's state keeps it), and a spinner while an operation runs.
class ActivityLogPanel : public QGroupBox {
    Q_OBJECT

public:
    ActivityLogPanel(AppModel *model, MainViewState *state, QWidget *parent = nullptr);

private:
    void showHeight();

    AppModel *m_model;
    MainViewState *m_state;
    LogTextView *m_text;
    QSlider *m_heightSlider;
    QLabel *m_heightValue;
    BusySpinner *m_spinner;
};
