#pragma once

#include <QPersistentModelIndex>
#include <QTableView>

class MemoryTableModel;

// The memory table's view. Tab on the table passes it, but Tab from a cell being edited or just
// changed goes on through the row's controls, as through a form's, and on to the next row: the walk.
class MemoryTableView : public QTableView {
public:
    explicit MemoryTableView(MemoryTableModel *model);

protected:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool focusNextPrevChild(bool next) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QModelIndex control(bool next) const;

    MemoryTableModel *m_model;
    QPersistentModelIndex m_walk;
};
