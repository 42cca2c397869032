#include "Editors/MemoryTableView.h"

#include "Editors/MemoryTableModel.h"

#include <QFocusEvent>

MemoryTableView::MemoryTableView(MemoryTableModel *model)
    : m_model(model) {
    connect(model, &MemoryTableModel::switchTurned, this, [this](const QModelIndex &index) {
        if (index == currentIndex() && hasFocus())
            m_walk = index;
    });
}

// A cell left with Tab, a pick or an entry taken goes on walking; Escape ends the walk.
void MemoryTableView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool step =
        hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, step ? QAbstractItemDelegate::NoHint : hint);
    m_walk = hint != QAbstractItemDelegate::RevertModelCache && hasFocus() ? currentIndex() : QModelIndex();
    if (step)
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}

// A picker reached so opens closed. The window marks where the keyboard is, as after Tab anywhere
// else: the style shows a picker's focus only so.
bool MemoryTableView::focusNextPrevChild(bool next) {
    const QModelIndex to =
        hasFocus() && m_walk.isValid() && m_walk == currentIndex() ? control(next) : QModelIndex();
    if (!to.isValid()) {
        m_walk = QModelIndex();
        return QTableView::focusNextPrevChild(next);
    }
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
    // A row entered from its start shows its channel number too.
    if (next && to.row() != currentIndex().row())
        scrollTo(m_model->index(to.row(), 0));
    setCurrentIndex(to);
    if (to.flags() & Qt::ItemIsEditable)
        edit(to);
    else
        m_walk = to;
    return true;
}

// The arrow keys, a click elsewhere or the keyboard leaving the table end the walk.
QModelIndex MemoryTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    m_walk = QModelIndex();
    return QTableView::moveCursor(action, modifiers);
}

void MemoryTableView::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
    QTableView::currentChanged(current, previous);
    if (current != m_walk)
        m_walk = QModelIndex();
}

void MemoryTableView::focusOutEvent(QFocusEvent *event) {
    QTableView::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_walk = QModelIndex();
}

// The next or previous control after the current cell, row by row; none at the table's end.
QModelIndex MemoryTableView::control(bool next) const {
    const int columns = m_model->columnCount();
    const int step = next ? 1 : -1;
    for (int at = currentIndex().row() * columns + currentIndex().column() + step;
         at >= 0 && at < m_model->rowCount() * columns; at += step) {
        const QModelIndex cell = m_model->index(at / columns, at % columns);
        if (m_model->isControl(cell))
            return cell;
    }
    return {};
}
