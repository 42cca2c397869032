#pragma once

#include <QWidget>

class AppModel;
class EditorDraft;
class MemoryTableModel;
class MemoryTableView;
class QKeyEvent;
class QModelIndex;
class QWheelEvent;

// The main window's table mode: every channel of the memory table as one editable row,
// under the column titles of the selected model. A click on a row selects its channel; a row's
// "Schreiben" stores and writes it through `draft`. The window builds it anew when the language
// changes.
class MemoryTablePanel : public QWidget {
    Q_OBJECT

public:
    MemoryTablePanel(AppModel *appModel, EditorDraft *draft, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool activateCurrentCell(const QKeyEvent &key);
    void openCell(const QModelIndex &index);
    bool scrollSideways(const QWheelEvent &wheel);
    void applyColumnWidths();
    void showTitlesAsSecondary();

    MemoryTableModel *m_model;
    MemoryTableView *m_view;
};
