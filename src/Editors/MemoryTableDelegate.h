#pragma once

#include <QStyledItemDelegate>

class MemoryTableModel;

// Paints and edits the memory table's cells: the selected row's highlight, pickers drawn as
// combo boxes and edited in one, text fields, switches, and the per-row "Schreiben" button.
class MemoryTableDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit MemoryTableDelegate(MemoryTableModel *model, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    void paintCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintRowBackground(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const;
    void paintPicker(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintButton(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintToggle(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    // The text an empty field shows: its column's title.
    QString placeholder(const QModelIndex &index) const;

    MemoryTableModel *m_model;
};
