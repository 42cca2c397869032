#include "Editors/MemoryTableModel.h"

#include "AppModel/AppModel.h"
#include "Editors/EditorDraft.h"
#include "Editors/EditorStyle.h"
#include "Editors/FieldBindings.h"
#include "Editors/MemoryCell.h"
#include "Localization/L.h"
#include "Model/MemoryDraft.h"

using namespace FieldBindings;

MemoryTableModel::MemoryTableModel(AppModel *appModel, EditorDraft *draft, QObject *parent)
    : QAbstractTableModel(parent)
    , m_appModel(appModel)
    , m_draft(draft)
    , m_columns(memoryColumns(appModel->selectedRadioModel()))
    , m_highlightedSlot(appModel->selectedMemoryID()) {
    for (const RadioMemory &memory : appModel->memories())
        m_slots.append(memory.slot);
    connect(appModel, &AppModel::memoriesChanged, this, &MemoryTableModel::onMemoriesChanged);
    connect(appModel, &AppModel::memoryChanged, this, &MemoryTableModel::onMemoryChanged);
    connect(appModel, &AppModel::selectedMemoryIDChanged, this, &MemoryTableModel::onSelectionChanged);
    connect(appModel, &AppModel::selectedRadioModelChanged, this, &MemoryTableModel::onRadioModelChanged);
    connect(appModel, &AppModel::isConnectedChanged, this, &MemoryTableModel::onWriteStateChanged);
    connect(appModel, &AppModel::isBusyChanged, this, &MemoryTableModel::onWriteStateChanged);
}

int MemoryTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || !m_appModel ? 0 : int(m_appModel->memories().size());
}

int MemoryTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

// An index made before the table or its columns changed may point past either.
bool MemoryTableModel::holds(const QModelIndex &index) const {
    return index.isValid() && index.model() == this && index.row() < rowCount() &&
           index.column() < columnCount();
}

RadioModel MemoryTableModel::shownModel() const {
    return m_appModel->selectedRadioModel();
}

MemoryColumn MemoryTableModel::column(int section) const {
    return m_columns.at(section);
}

int MemoryTableModel::section(MemoryColumn column) const {
    return int(m_columns.indexOf(column));
}

MemoryTableModel::CellKind MemoryTableModel::kind(MemoryColumn column) {
    switch (column) {
    case MemoryColumn::slot:
    case MemoryColumn::summary:
        return CellKind::label;
    case MemoryColumn::name:
    case MemoryColumn::rx:
    case MemoryColumn::shiftAmount:
    case MemoryColumn::shiftRaw:
    case MemoryColumn::flagsRaw:
    case MemoryColumn::clarifierAmount:
        return CellKind::text;
    case MemoryColumn::mode:
    case MemoryColumn::shift:
    case MemoryColumn::toneSql:
    case MemoryColumn::toneSystem:
    case MemoryColumn::toneNumber:
    case MemoryColumn::clarifier:
        return CellKind::picker;
    case MemoryColumn::openingTone:
    case MemoryColumn::sqlDecode:
    case MemoryColumn::empty:
        return CellKind::toggle;
    case MemoryColumn::action:
        return CellKind::action;
    }
    return CellKind::label;
}

QVariant MemoryTableModel::data(const QModelIndex &index, int role) const {
    if (!holds(index))
        return {};
    const RadioMemory &memory = m_appModel->memories().at(index.row());
    const MemoryColumn col = column(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return shownData(index.row(), index.column());
    case Qt::EditRole:
        return MemoryCell::value(memory, col, shownModel());
    case Qt::CheckStateRole:
        if (kind(col) != CellKind::toggle)
            return {};
        return MemoryCell::value(memory, col, shownModel()).toBool() ? Qt::Checked : Qt::Unchecked;
    case Qt::AccessibleTextRole:
        // A switch shows no text of its own; a screen reader names it by its column.
        return kind(col) == CellKind::toggle ? loc(titleKey(col)) : QVariant();
    case Qt::FontRole:
        return font(col);
    case SlotRole:
        return memory.slot;
    case SelectedRole:
        return m_highlightedSlot == memory.slot;
    case PickerItemsRole:
        return kind(col) == CellKind::picker
                   ? QVariant::fromValue(MemoryCell::pickerItems(memory, col, shownModel()))
                   : QVariant();
    default:
        return {};
    }
}

QVariant MemoryTableModel::font(MemoryColumn column) {
    switch (column) {
    case MemoryColumn::slot:
    case MemoryColumn::rx:
    case MemoryColumn::shiftAmount:
    case MemoryColumn::shiftRaw:
    case MemoryColumn::flagsRaw:
    case MemoryColumn::clarifierAmount:
        return EditorStyle::monospaced();
    case MemoryColumn::summary:
        return EditorStyle::caption();
    default:
        return {};
    }
}

// The cells' texts of a row are made together, once, and kept until the row changes.
QVariant MemoryTableModel::shownData(int row, int section) const {
    if (m_shown.size() != rowCount())
        m_shown.resize(rowCount());
    QList<QVariant> &cells = m_shown[row];
    if (cells.isEmpty()) {
        const RadioMemory &memory = m_appModel->memories().at(row);
        for (MemoryColumn each : m_columns)
            cells.append(displayData(memory, each));
    }
    return cells.at(section);
}

QVariant MemoryTableModel::displayData(const RadioMemory &memory, MemoryColumn column) const {
    switch (kind(column)) {
    case CellKind::toggle:
        return {};
    case CellKind::action:
        return loc(QStringLiteral("Schreiben"));
    case CellKind::picker:
        return MemoryCell::pickerText(memory, column, shownModel());
    case CellKind::label:
        return column == MemoryColumn::slot ? memory.slot : MemoryCell::enhancedSummary(memory);
    case CellKind::text:
        return MemoryCell::value(memory, column, shownModel());
    }
    return {};
}

bool MemoryTableModel::isEnabled(const RadioMemory &memory, MemoryColumn column) const {
    switch (column) {
    case MemoryColumn::sqlDecode:
        return toneSystem(memory) != FT991AToneSystem::off;
    case MemoryColumn::action:
        return m_appModel->isConnected() && !m_appModel->isBusy();
    default:
        return true;
    }
}

Qt::ItemFlags MemoryTableModel::flags(const QModelIndex &index) const {
    if (!holds(index))
        return Qt::NoItemFlags;
    const RadioMemory &memory = m_appModel->memories().at(index.row());
    const MemoryColumn col = column(index.column());
    Qt::ItemFlags result = Qt::ItemIsSelectable;
    if (isEnabled(memory, col))
        result |= Qt::ItemIsEnabled;
    switch (kind(col)) {
    case CellKind::text:
        result |= Qt::ItemIsEditable;
        break;
    case CellKind::picker:
        if (col != MemoryColumn::toneNumber || toneNumberPicker(memory))
            result |= Qt::ItemIsEditable;
        break;
    case CellKind::toggle:
        result |= Qt::ItemIsUserCheckable;
        break;
    case CellKind::label:
    case CellKind::action:
        break;
    }
    return result;
}

QVariant MemoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    // The tooltip shows a title the column is too narrow for in full.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return loc(titleKey(column(section)));
    return {};
}

bool MemoryTableModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!holds(index))
        return false;
    const MemoryColumn col = column(index.column());
    const bool fits = kind(col) == CellKind::toggle ? role == Qt::CheckStateRole : role == Qt::EditRole;
    if (!fits || !(flags(index) & Qt::ItemIsEnabled))
        return false;
    const QVariant stored =
        role == Qt::CheckStateRole ? QVariant(value.value<Qt::CheckState>() == Qt::Checked) : value;
    return setCell(index.row(), m_appModel->memories().at(index.row()).slot, col, stored);
}

bool MemoryTableModel::setCell(int row, const QString &slot, MemoryColumn column, const QVariant &value) {
    if (!m_appModel || row < 0 || row >= rowCount() || m_appModel->memories().at(row).slot != slot)
        return false;
    const std::optional<RadioMemory> changed =
        MemoryCell::edited(m_appModel->memories().at(row), column, value, shownModel());
    if (!changed)
        return false;
    m_appModel->setMemoryAt(row, *changed);
    return true;
}

void MemoryTableModel::selectRow(int row) {
    if (m_appModel && row >= 0 && row < rowCount())
        m_appModel->setSelectedMemoryID(m_appModel->memories().at(row).slot);
}

void MemoryTableModel::writeRow(int row) {
    if (!m_appModel || !m_draft || row < 0 || row >= rowCount())
        return;
    const RadioMemory memory = m_appModel->memories().at(row);
    m_appModel->setSelectedMemoryID(memory.slot);
    m_draft->commit(MemoryDraft(memory), true);
}

void MemoryTableModel::press(const QModelIndex &index) {
    if (!holds(index) || !(flags(index) & Qt::ItemIsEnabled))
        return;
    const CellKind cell = kind(column(index.column()));
    if (cell == CellKind::action)
        writeRow(index.row());
    else if (cell == CellKind::toggle &&
             setData(index, data(index, Qt::CheckStateRole) == Qt::Checked ? Qt::Unchecked : Qt::Checked,
                     Qt::CheckStateRole))
        emit switchTurned(index);
}

bool MemoryTableModel::isControl(const QModelIndex &index) const {
    const Qt::ItemFlags cell = flags(index);
    if (!(cell & Qt::ItemIsEnabled))
        return false;
    const CellKind shown = kind(column(index.column()));
    return (cell & Qt::ItemIsEditable) || shown == CellKind::toggle || shown == CellKind::action;
}

void MemoryTableModel::onMemoriesChanged() {
    QStringList tableSlots;
    for (const RadioMemory &memory : m_appModel->memories())
        tableSlots.append(memory.slot);
    m_shown.clear();
    if (tableSlots == m_slots) {
        // The same channels with new contents: repaint, keep open editors and scroll position.
        if (!m_slots.isEmpty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    m_slots = tableSlots;
    endResetModel();
}

void MemoryTableModel::onMemoryChanged(int row) {
    if (row < 0 || row >= rowCount())
        return;
    m_slots[row] = m_appModel->memories().at(row).slot;
    if (row < m_shown.size())
        m_shown[row].clear();
    repaintRow(row);
}

void MemoryTableModel::onSelectionChanged() {
    const int previous = rowOfSlot(m_highlightedSlot);
    m_highlightedSlot = m_appModel->selectedMemoryID();
    const int current = rowOfSlot(m_highlightedSlot);
    if (previous != current) {
        repaintRow(previous);
        repaintRow(current);
    }
}

void MemoryTableModel::onRadioModelChanged() {
    beginResetModel();
    m_columns = memoryColumns(shownModel());
    m_shown.clear();
    endResetModel();
}

void MemoryTableModel::onWriteStateChanged() {
    repaintColumn(MemoryColumn::action);
}

void MemoryTableModel::repaintRow(int row) {
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void MemoryTableModel::repaintColumn(MemoryColumn column) {
    const int at = section(column);
    if (at >= 0 && rowCount() > 0)
        emit dataChanged(index(0, at), index(rowCount() - 1, at));
}

int MemoryTableModel::rowOfSlot(const std::optional<QString> &slot) const {
    if (!slot)
        return -1;
    return int(m_slots.indexOf(*slot));
}
