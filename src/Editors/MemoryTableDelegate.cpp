#include "Editors/MemoryTableDelegate.h"

#include "Editors/EditorStyle.h"
#include "Editors/MemoryTableModel.h"
#include "Localization/L.h"
#include "Theme/ModelPalette.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace {

// The channel an editor was opened on; its edit lands only while the row still holds it.
const char *const slotProperty = "korvelSlot";
// The column the editor was opened in, kept for the same reason.
const char *const columnProperty = "korvelColumn";
// Set when the user picked an entry: a picker writes back nothing else.
const char *const pickedProperty = "korvelPicked";

MemoryTableModel::CellKind cellKind(const MemoryTableModel *model, const QModelIndex &index) {
    return MemoryTableModel::kind(model->column(index.column()));
}

QStyle *styleOf(const QStyleOptionViewItem &option) {
    return option.widget ? option.widget->style() : QApplication::style();
}

QRect controlRect(const QRect &cell) {
    return cell.adjusted(3, 4, -3, -4);
}

// A switch's box, in the middle of its cell.
QRect toggleBox(const QStyleOptionViewItem &option) {
    QStyleOptionButton check;
    check.QStyleOption::operator=(option);
    QRect box(QPoint(),
              styleOf(option)->subElementRect(QStyle::SE_CheckBoxIndicator, &check, option.widget).size());
    box.moveCenter(option.rect.center());
    return box;
}

} // namespace

MemoryTableDelegate::MemoryTableDelegate(MemoryTableModel *model, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_model(model) {
}

void MemoryTableDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const {
    paintRowBackground(painter, option, index);
    paintCell(painter, option, index);
    // The keyboard's place in the table.
    if (option.state & QStyle::State_HasFocus) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(option.palette.color(QPalette::Highlight).lighter(130), 2));
        painter->drawRoundedRect(QRectF(option.rect).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
        painter->restore();
    }
}

void MemoryTableDelegate::paintCell(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const {
    switch (cellKind(m_model, index)) {
    case MemoryTableModel::CellKind::picker:
        paintPicker(painter, option, index);
        return;
    case MemoryTableModel::CellKind::action:
        paintButton(painter, option, index);
        return;
    case MemoryTableModel::CellKind::toggle:
        paintToggle(painter, option, index);
        return;
    case MemoryTableModel::CellKind::text:
    case MemoryTableModel::CellKind::label:
        break;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    // The row's own highlight stands for the selection.
    item.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    item.backgroundBrush = Qt::NoBrush;
    if (cellKind(m_model, index) == MemoryTableModel::CellKind::text) {
        QStyleOptionFrame frame;
        frame.QStyleOption::operator=(option);
        frame.rect = controlRect(option.rect);
        frame.lineWidth = 1;
        frame.state = option.state & QStyle::State_Enabled;
        styleOf(option)->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, painter, option.widget);
        item.rect = frame.rect.adjusted(4, 0, -4, 0);
        // An empty field shows what belongs in it, as its open editor does.
        if (item.text.isEmpty()) {
            item.text = placeholder(index);
            item.palette.setColor(QPalette::Text, option.palette.color(QPalette::PlaceholderText));
        }
    } else if (m_model->column(index.column()) == MemoryColumn::summary) {
        item.features |= QStyleOptionViewItem::WrapText;
        item.palette.setColor(QPalette::Text,
                              EditorStyle::secondaryText(option.palette, option.palette.currentColorGroup()));
    }
    styleOf(option)->drawControl(QStyle::CE_ItemViewItem, &item, painter, option.widget);
}

QString MemoryTableDelegate::placeholder(const QModelIndex &index) const {
    return loc(titleKey(m_model->column(index.column())));
}

void MemoryTableDelegate::paintRowBackground(QPainter *painter, const QStyleOptionViewItem &option,
                                             const QModelIndex &index) const {
    const bool selected = index.data(MemoryTableModel::SelectedRole).toBool();
    QColor accent = option.palette.color(QPalette::Highlight);
    QColor fill = selected ? accent : QColor(Qt::white);
    fill.setAlphaF(selected ? 0.14f : 0.03f);
    painter->fillRect(option.rect, fill);
    if (selected) {
        accent.setAlphaF(0.45f);
        painter->setPen(accent);
        painter->drawLine(option.rect.topLeft(), option.rect.topRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    }
}

void MemoryTableDelegate::paintPicker(QPainter *painter, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!(index.flags() & Qt::ItemIsEditable)) {
        // The tone cell of a channel without tone: a quiet caption instead of a picker.
        painter->save();
        painter->setFont(EditorStyle::caption());
        painter->setPen(option.palette.color(QPalette::PlaceholderText));
        painter->drawText(option.rect.adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
        painter->restore();
        return;
    }
    QStyleOptionComboBox combo;
    combo.QStyleOption::operator=(option);
    combo.rect = controlRect(option.rect);
    combo.currentText = text;
    combo.state = (option.state & QStyle::State_Enabled) | QStyle::State_Active;
    QStyle *style = styleOf(option);
    style->drawComplexControl(QStyle::CC_ComboBox, &combo, painter, option.widget);
    style->drawControl(QStyle::CE_ComboBoxLabel, &combo, painter, option.widget);
}

void MemoryTableDelegate::paintButton(QPainter *painter, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const {
    const QRect face = controlRect(option.rect);
    const QString text = index.data(Qt::DisplayRole).toString();
    // Disabled also while the whole table is, under the countdown card.
    if (!(index.flags() & Qt::ItemIsEnabled) || !(option.state & QStyle::State_Enabled)) {
        QStyleOptionButton button;
        button.QStyleOption::operator=(option);
        button.rect = face;
        button.text = text;
        button.state = QStyle::State_Raised;
        styleOf(option)->drawControl(QStyle::CE_PushButton, &button, painter, option.widget);
        return;
    }
    // Filled in the model's colour like "Verbinden", dark enough for the white text to read: the
    // style would lighten the fill again.
    const QColor accent = option.palette.color(QPalette::Highlight);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(accent, 1));
    painter->setBrush(fillForWhiteText(accent));
    painter->drawRoundedRect(QRectF(face).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    painter->setPen(Qt::white);
    painter->drawText(face, Qt::AlignCenter, text);
    painter->restore();
}

void MemoryTableDelegate::paintToggle(QPainter *painter, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const {
    QStyleOptionButton check;
    check.QStyleOption::operator=(option);
    EditorStyle::outlineSwitch(check.palette);
    check.rect = toggleBox(option);
    const bool on = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    check.state = (on ? QStyle::State_On : QStyle::State_Off) |
                  (index.flags() & Qt::ItemIsEnabled ? QStyle::State_Enabled : QStyle::State_None);
    styleOf(option)->drawPrimitive(QStyle::PE_IndicatorCheckBox, &check, painter, option.widget);
}

bool MemoryTableDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                      const QStyleOptionViewItem &option, const QModelIndex &index) {
    const MemoryTableModel::CellKind kind = cellKind(m_model, index);
    if (kind != MemoryTableModel::CellKind::toggle && kind != MemoryTableModel::CellKind::action)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    // A switch turns only on its box; elsewhere in its cell a click just selects the row.
    const QRect target = kind == MemoryTableModel::CellKind::toggle ? toggleBox(option) : option.rect;
    const bool click = event->type() == QEvent::MouseButtonRelease &&
                       static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
                       target.contains(static_cast<QMouseEvent *>(event)->position().toPoint());
    if (click)
        m_model->press(index);
    // Presses and double clicks on a switch or button open no editor.
    return event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick;
}

QWidget *MemoryTableDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                           const QModelIndex &index) const {
    QWidget *editor = nullptr;
    switch (cellKind(m_model, index)) {
    case MemoryTableModel::CellKind::text: {
        auto *field = new QLineEdit(parent);
        field->setMaxLength(RadioMemory::maximumFieldLength);
        field->setPlaceholderText(placeholder(index));
        field->setFont(index.data(Qt::FontRole).value<QFont>());
        editor = field;
        break;
    }
    case MemoryTableModel::CellKind::picker: {
        auto *picker = new QComboBox(parent);
        for (const PickerItem &item :
             index.data(MemoryTableModel::PickerItemsRole).value<QList<PickerItem>>())
            picker->addItem(item.text, item.tag);
        connect(picker, &QComboBox::activated, this, [this, picker] {
            picker->setProperty(pickedProperty, true);
            emit const_cast<MemoryTableDelegate *>(this)->commitData(picker);
            emit const_cast<MemoryTableDelegate *>(this)->closeEditor(picker);
        });
        editor = picker;
        break;
    }
    default:
        return nullptr;
    }
    editor->setObjectName(QStringLiteral("memoryTable.editor"));
    editor->setProperty(slotProperty, index.data(MemoryTableModel::SlotRole));
    editor->setProperty(columnProperty, int(m_model->column(index.column())));
    return editor;
}

void MemoryTableDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const {
    const QSignalBlocker blocker(editor);
    if (auto *field = qobject_cast<QLineEdit *>(editor)) {
        // A refresh of the row must not overwrite what the user is typing.
        if (!field->isModified())
            field->setText(index.data(Qt::EditRole).toString());
    } else if (auto *picker = qobject_cast<QComboBox *>(editor)) {
        picker->setCurrentIndex(picker->findData(index.data(Qt::EditRole).toString()));
    }
}

void MemoryTableDelegate::setModelData(QWidget *editor, QAbstractItemModel *,
                                       const QModelIndex &index) const {
    const QString slot = editor->property(slotProperty).toString();
    const auto column = MemoryColumn(editor->property(columnProperty).toInt());
    if (auto *field = qobject_cast<QLineEdit *>(editor)) {
        if (field->isModified())
            m_model->setCell(index.row(), slot, column, field->text());
    } else if (auto *picker = qobject_cast<QComboBox *>(editor)) {
        if (picker->property(pickedProperty).toBool() && picker->currentIndex() >= 0)
            m_model->setCell(index.row(), slot, column, picker->currentData());
    }
}

void MemoryTableDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                               const QModelIndex &) const {
    editor->setGeometry(controlRect(option.rect));
}
