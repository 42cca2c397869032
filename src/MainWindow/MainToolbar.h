#pragma once

#include "Model/RadioModel.h"

#include <QWidget>

class AppModel;
class ElidedButton;
class MainViewState;
class SegmentedControl;

// The panel at the top of the detail column: the program's title, the read, export, import
// and settings buttons, and the picker between the channel table and the detail editor (the
// editor mode of the window's state, in the colour of the selected model).
class MainToolbar : public QWidget {
    Q_OBJECT

public:
    MainToolbar(AppModel *model, MainViewState *state, QWidget *parent = nullptr);

    // Lets the toolbar be as narrow as `width` where its whole texts need more: the longest
    // buttons give up width first, down to the shortest one's, their texts ending in "…". Where
    // the whole texts fit, the buttons keep them.
    void setLeastWidth(int width);

signals:
    // "Export" and "Import": the file dialogs are the window's.
    void exportRequested();
    void importRequested();
    // "Einstellungen": the settings window of the selected model is to be shown.
    void settingsWindowRequested(RadioModel model);

private:
    QWidget *buildTitleBlock();
    ElidedButton *addButton(const QString &text, const QString &name);
    void showEnabledStates();
    void showEditorMode();
    void showTheme();

    AppModel *m_model;
    MainViewState *m_state;
    QList<ElidedButton *> m_buttons;
    ElidedButton *m_readAll = nullptr;
    ElidedButton *m_readSelected = nullptr;
    ElidedButton *m_import = nullptr;
    SegmentedControl *m_modePicker = nullptr;
};
