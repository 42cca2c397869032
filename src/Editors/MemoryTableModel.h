#pragma once

#include "Editors/MemoryColumn.h"
#include "Editors/PickerItems.h"
#include "Model/RadioMemory.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>
#include <optional>

class AppModel;
class EditorDraft;

// The memory table: one row per element of AppModel::memories, the columns of the selected
// model. Cells show and edit the raw fields through the field bindings; an edit replaces
// only its own row, and a row changed in the application model repaints only that row.
class MemoryTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Role {
        SlotRole = Qt::UserRole + 1, // the row's slot
        SelectedRole,                // whether the row is the selected channel
        PickerItemsRole,             // QList<PickerItem> of a picker cell
    };
    enum class CellKind { label, text, picker, toggle, action };

    MemoryTableModel(AppModel *appModel, EditorDraft *draft, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    MemoryColumn column(int section) const;
    int section(MemoryColumn column) const; // -1 when the column is not shown
    static CellKind kind(MemoryColumn column);

    // Stores `value` into the cell only while the row still holds the channel `slot`:
    // an edit begun before the table was replaced must not land on another channel.
    bool setCell(int row, const QString &slot, MemoryColumn column, const QVariant &value);
    // Selects the row's channel.
    void selectRow(int row);
    // Selects the row's channel and commits it through the draft object with a write.
    void writeRow(int row);
    // What a click on an enabled switch or "Schreiben" does: turns the switch over or writes the row.
    void press(const QModelIndex &index);
    // Whether Tab through a row stops at the cell: an enabled field, picker, switch or button.
    bool isControl(const QModelIndex &index) const;

signals:
    // press() turned the switch at `index`.
    void switchTurned(const QModelIndex &index);

private:
    bool holds(const QModelIndex &index) const;
    // The model whose columns the table shows.
    RadioModel shownModel() const;
    static QVariant font(MemoryColumn column);
    QVariant shownData(int row, int section) const;
    QVariant displayData(const RadioMemory &memory, MemoryColumn column) const;
    bool isEnabled(const RadioMemory &memory, MemoryColumn column) const;

    void onMemoriesChanged();
    void onMemoryChanged(int row);
    void onSelectionChanged();
    void onRadioModelChanged();
    void onWriteStateChanged();
    void repaintRow(int row);
    void repaintColumn(MemoryColumn column);
    int rowOfSlot(const std::optional<QString> &slot) const;

    QPointer<AppModel> m_appModel;
    QPointer<EditorDraft> m_draft;
    QList<MemoryColumn> m_columns;
    QStringList m_slots;
    std::optional<QString> m_highlightedSlot;
    // What each row's cells show, per row; the window builds the table anew for a new language.
    mutable QList<QList<QVariant>> m_shown;
};
