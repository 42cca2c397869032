#include "RadioLink/CutCommandRecord.h"

CutCommandRecord &CutCommandRecord::shared() {
    static CutCommandRecord record;
    return record;
}

void CutCommandRecord::mark(QSet<QString> &paths, const QString &devicePath, bool on) {
    if (on)
        paths.insert(devicePath);
    else
        paths.remove(devicePath);
}

void CutCommandRecord::set(const QString &devicePath, bool cut) {
    std::lock_guard guard(m_lock);
    mark(m_paths, devicePath, cut);
}

bool CutCommandRecord::contains(const QString &devicePath) const {
    std::lock_guard guard(m_lock);
    return m_paths.contains(devicePath);
}

void CutCommandRecord::setIdentityUnanswered(const QString &devicePath, bool unanswered) {
    std::lock_guard guard(m_lock);
    mark(m_unansweredIdentities, devicePath, unanswered);
}

bool CutCommandRecord::identityUnanswered(const QString &devicePath) const {
    std::lock_guard guard(m_lock);
    return m_unansweredIdentities.contains(devicePath);
}
