#pragma once

#include <QDialog>

class QButtonGroup;
class QLabel;
class QScrollArea;

// The preferences panel: the UI language as a list of choices, writing the stored selection.
class PreferencesPanel : public QDialog {
    Q_OBJECT

public:
    explicit PreferencesPanel(QWidget *parent = nullptr);

protected:
    // Of the 25 choices only a few fit: the panel opens with the chosen one in view and the
    // keyboard on it.
    void showEvent(QShowEvent *event) override;

private:
    void showTexts();
    void showSelection();

    QLabel *m_title;
    QLabel *m_pickerTitle;
    QLabel *m_footnote;
    QButtonGroup *m_choices;
    QScrollArea *m_scroll;
};
