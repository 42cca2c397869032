#pragma once

#include <QWidget>

class AppModel;
class MemoryTableModel;
class QKeyEvent;
class QTableView;
class QWheelEvent;

// The main window's table mode: every channel of the memory table as one editable row,
// under the column titles of the selected model. A click on a row selects its channel.
// The window builds it anew when the language changes.
class MemoryTablePanel : public QWidget {
    Q_OBJECT

public:
    explicit MemoryTablePanel(AppModel *appModel, QWidget *parent = nullptr);

    MemoryTableModel *model() const { return m_model; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool activateCurrentCell(const QKeyEvent &key);
    bool scrollSideways(const QWheelEvent &wheel);
    void applyColumnWidths();

    MemoryTableModel *m_model;
    QTableView *m_view;
};
