#include "RadioLink/CutCommandRecord.h"

CutCommandRecord &CutCommandRecord::shared() {
    static CutCommandRecord record;
    return record;
}

void CutCommandRecord::set(const QString &devicePath, bool cut) {
    std::lock_guard guard(m_lock);
    if (cut)
        m_paths.insert(devicePath);
    else
        m_paths.remove(devicePath);
}

bool CutCommandRecord::contains(const QString &devicePath) const {
    std::lock_guard guard(m_lock);
    return m_paths.contains(devicePath);
}
