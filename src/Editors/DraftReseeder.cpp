#include "Editors/DraftReseeder.h"

#include "AppModel/AppModel.h"
#include "MainWindow/ContentView.h"

DraftReseeder::DraftReseeder(AppModel *appModel, ContentView *window, QObject *parent)
    : QObject(parent)
    , m_appModel(appModel)
    , m_window(window) {
    connect(window, &ContentView::draftChanged, this, &DraftReseeder::rememberOrigin);
    connect(appModel, &AppModel::memoriesChanged, this, &DraftReseeder::onTableChanged);
    connect(appModel, &AppModel::memoryChanged, this, &DraftReseeder::onTableChanged);
    rememberOrigin();
}

void DraftReseeder::onTableChanged() {
    if (!m_appModel || !m_window)
        return;
    const std::optional<MemoryDraft> &draft = m_window->draft();
    const std::optional<RadioMemory> stored = m_appModel->selectedMemory();
    const bool untouched = draft && m_origin && *draft == MemoryDraft(*m_origin);
    if (untouched && stored && *stored != *m_origin && stored->slot == draft->slot)
        m_window->setDraft(MemoryDraft(*stored));
    rememberOrigin();
}

void DraftReseeder::rememberOrigin() {
    if (!m_appModel || !m_window)
        return;
    const std::optional<MemoryDraft> &draft = m_window->draft();
    const std::optional<RadioMemory> stored = m_appModel->selectedMemory();
    if (draft && stored && *draft == MemoryDraft(*stored))
        m_origin = stored;
}
