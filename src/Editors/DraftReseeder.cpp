#include "Editors/DraftReseeder.h"

#include "AppModel/AppModel.h"
#include "MainWindow/ContentView.h"

namespace {

// Every reseeder alive, so an editor that starts a write reaches those of its application model.
QList<DraftReseeder *> &reseeders() {
    static QList<DraftReseeder *> all;
    return all;
}

} // namespace

DraftReseeder::DraftReseeder(AppModel *appModel, ContentView *window, QObject *parent)
    : QObject(parent)
    , m_appModel(appModel)
    , m_window(window) {
    reseeders().append(this);
    connect(window, &ContentView::draftChanged, this, &DraftReseeder::rememberStored);
    connect(appModel, &AppModel::selectedMemoryIDChanged, this, &DraftReseeder::rememberStored);
    connect(appModel, &AppModel::memoriesChanged, this, &DraftReseeder::onTableChanged);
    connect(appModel, &AppModel::memoryChanged, this, &DraftReseeder::onTableChanged);
    connect(appModel, &AppModel::isBusyChanged, this, &DraftReseeder::onBusyChanged);
    rememberStored();
}

DraftReseeder::~DraftReseeder() {
    reseeders().removeOne(this);
}

void DraftReseeder::writeStarted(AppModel *appModel, const QString &slot) {
    // A write refused for want of a link brings no read-back.
    if (!appModel->isBusy())
        return;
    for (DraftReseeder *reseeder : std::as_const(reseeders())) {
        if (reseeder->m_appModel == appModel)
            reseeder->m_writingSlot = slot;
    }
}

void DraftReseeder::onTableChanged() {
    if (!m_appModel || !m_window)
        return;
    const std::optional<MemoryDraft> &draft = m_window->draft();
    const std::optional<RadioMemory> stored = m_appModel->selectedMemory();
    const bool untouched = draft && m_stored && !draft->differs(*m_stored);
    const bool ownWrite = draft && draft->slot == m_writingSlot;
    if (untouched && !ownWrite && stored && *stored != *m_stored && stored->slot == draft->slot)
        m_window->setDraft(MemoryDraft(*stored));
    rememberStored();
}

void DraftReseeder::onBusyChanged() {
    if (m_appModel && !m_appModel->isBusy())
        m_writingSlot.reset();
}

void DraftReseeder::rememberStored() {
    if (m_appModel)
        m_stored = m_appModel->selectedMemory();
}
