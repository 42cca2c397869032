#include "Editors/DraftBinder.h"

#include "Editors/EditorDraft.h"
#include "Editors/EditorStyle.h"
#include "Editors/LabeledField.h"
#include "Editors/LabeledPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

DraftBinder::DraftBinder(EditorDraft *draft, QObject *parent)
    : QObject(parent)
    , m_draft(draft) {
}

void DraftBinder::bindField(LabeledField *field, const QString &objectName, Getter<QString> get,
                            Setter<QString> set) {
    field->lineEdit()->setObjectName(objectName);
    connect(field, &LabeledField::edited, this, [this, set](const QString &text) {
        changeDraft([&](MemoryDraft d) { return set(std::move(d), text); });
    });
    onRefresh([field, get](const MemoryDraft &draft) { field->setText(get(draft)); });
}

void DraftBinder::bindPicker(LabeledPicker *picker, const QString &objectName, Getter<QString> get,
                             Setter<QString> set) {
    picker->comboBox()->setObjectName(objectName);
    connect(picker, &LabeledPicker::picked, this, [this, set](const QString &tag) {
        changeDraft([&](MemoryDraft d) { return set(std::move(d), tag); });
    });
    onRefresh([picker, get](const MemoryDraft &draft) { picker->setCurrentTag(get(draft)); });
}

void DraftBinder::bindSwitch(QCheckBox *box, const QString &objectName, Getter<bool> get, Setter<bool> set) {
    box->setObjectName(objectName);
    QPalette edged;
    EditorStyle::outlineSwitch(edged);
    box->setPalette(edged);
    connect(box, &QCheckBox::clicked, this,
            [this, set](bool on) { changeDraft([&](MemoryDraft d) { return set(std::move(d), on); }); });
    onRefresh([box, get](const MemoryDraft &draft) {
        const QSignalBlocker blocker(box);
        box->setChecked(get(draft));
    });
}

QLabel *DraftBinder::infoLine(const QString &objectName, const Getter<QString> &text) {
    QLabel *label = EditorStyle::captionLabel(QString());
    label->setObjectName(objectName);
    label->setWordWrap(true);
    onRefresh([label, text](const MemoryDraft &draft) { label->setText(text(draft)); });
    return label;
}

void DraftBinder::onRefresh(std::function<void(const MemoryDraft &)> refresh) {
    m_refreshers.push_back(std::move(refresh));
}

void DraftBinder::refresh() {
    if (!m_draft || !m_draft->draft())
        return;
    const MemoryDraft draft = *m_draft->draft();
    for (const auto &refresher : m_refreshers)
        refresher(draft);
}

void DraftBinder::changeDraft(const std::function<MemoryDraft(MemoryDraft)> &change) {
    if (m_draft && m_draft->draft())
        m_draft->setDraft(change(*m_draft->draft()));
}
