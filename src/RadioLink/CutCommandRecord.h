#pragma once

#include <QSet>
#include <QString>
#include <mutex>

// The device paths whose line may hold the head of a command whose rest was dropped or cut off by a
// close, kept for the whole run: the next connection to such a device opens a new port, which must
// end that command before its own goes out. One record for the process; any thread may use it.
class CutCommandRecord {
public:
    static CutCommandRecord &shared();

    void set(const QString &devicePath, bool cut);
    bool contains(const QString &devicePath) const;

private:
    mutable std::mutex m_lock;
    QSet<QString> m_paths;
};
