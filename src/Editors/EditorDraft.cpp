#include "Editors/EditorDraft.h"

#include "AppModel/AppModel.h"
#include "Model/RadioError.h"

EditorDraft::EditorDraft(AppModel *appModel, QObject *parent)
    : QObject(parent)
    , m_appModel(appModel)
    , m_followedSelection(appModel->selectedMemoryID()) {
    if (const std::optional<RadioMemory> memory = appModel->selectedMemory())
        m_draft = MemoryDraft(*memory);
    rememberStored();
    connect(appModel, &AppModel::selectedMemoryIDChanged, this, [this] {
        followSelection();
        rememberStored();
    });
    connect(appModel, &AppModel::memoriesChanged, this, &EditorDraft::followTable);
    connect(appModel, &AppModel::memoryChanged, this, &EditorDraft::followTable);
    connect(appModel, &AppModel::isBusyChanged, this, [this] {
        if (m_appModel && !m_appModel->isBusy())
            m_writingSlot.reset();
    });
}

void EditorDraft::setDraft(const std::optional<MemoryDraft> &draft) {
    m_draft = draft;
    rememberStored();
    emit draftChanged();
}

bool EditorDraft::draftIsDirty() const {
    return m_appModel && m_draft && m_draft->differs(m_appModel->selectedMemory());
}

void EditorDraft::resetDraft() {
    if (!m_appModel)
        return;
    if (const std::optional<RadioMemory> stored = m_appModel->selectedMemory())
        setDraft(MemoryDraft(*stored));
}

void EditorDraft::commit(const MemoryDraft &channel, bool write) {
    if (!m_appModel)
        return;
    try {
        const RadioMemory valid = channel.validated();
        if (write && m_appModel->alertIfUnsendable(valid))
            return;
        m_appModel->replaceMemory(valid);
        if (!write)
            return;
        m_appModel->writeSelected(valid);
        // A write refused for want of a link brings no read-back.
        if (m_appModel->isBusy())
            m_writingSlot = valid.slot;
    } catch (const RadioError &error) {
        m_appModel->setAlertMessage(error.description());
    }
}

void EditorDraft::followSelection() {
    const std::optional<QString> &id = m_appModel->selectedMemoryID();
    if (id == m_followedSelection)
        return;
    m_followedSelection = id;
    if (const std::optional<RadioMemory> memory = m_appModel->selectedMemory())
        setDraft(MemoryDraft(*memory));
}

void EditorDraft::followTable() {
    if (!m_appModel)
        return;
    const std::optional<RadioMemory> stored = m_appModel->selectedMemory();
    // A draft made from a channel that validation would change (a row left without a frequency)
    // differs from it, yet holds no edit of the user's.
    const bool untouched =
        m_draft && m_stored && (!m_draft->differs(*m_stored) || *m_draft == MemoryDraft(*m_stored));
    const bool ownWrite = m_draft && m_draft->slot == m_writingSlot;
    if (untouched && !ownWrite && stored && *stored != *m_stored && stored->slot == m_draft->slot)
        setDraft(MemoryDraft(*stored));
    rememberStored();
}

void EditorDraft::rememberStored() {
    if (m_appModel)
        m_stored = m_appModel->selectedMemory();
}
