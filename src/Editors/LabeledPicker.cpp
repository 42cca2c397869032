#include "Editors/LabeledPicker.h"

#include "Editors/EditorStyle.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

LabeledPicker::LabeledPicker(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_caption(EditorStyle::captionLabel(title))
    , m_combo(new QComboBox) {
    m_combo->setMinimumWidth(260);
    m_caption->setBuddy(m_combo);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_caption);
    layout->addWidget(m_combo);
    connect(m_combo, &QComboBox::activated, this,
            [this](int index) { emit picked(m_combo->itemData(index).toString()); });
}

void LabeledPicker::setItems(const QList<PickerItem> &items) {
    if (items == m_items)
        return;
    m_items = items;
    const QSignalBlocker blocker(m_combo);
    m_combo->clear();
    for (const PickerItem &item : items)
        m_combo->addItem(item.text, item.tag);
}

void LabeledPicker::setCurrentTag(const QString &tag) {
    const QSignalBlocker blocker(m_combo);
    m_combo->setCurrentIndex(PickerItems::indexOfTag(m_items, tag));
}

void LabeledPicker::setTitle(const QString &title) {
    m_caption->setText(title);
}
