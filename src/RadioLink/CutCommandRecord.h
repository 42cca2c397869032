#pragma once

#include <QSet>
#include <QString>
#include <mutex>

// What the line of each device path may still hold, kept for the whole run, since the next
// connection to a device opens a new port: the head of a command whose rest was dropped or cut off
// by a close, which must be ended before the next command goes out; and an identity query that a
// fence sent and whose answer has not been taken, which may still come in front of the next fence's.
// One record for the process; any thread may use it.
class CutCommandRecord {
public:
    static CutCommandRecord &shared();

    void set(const QString &devicePath, bool cut);
    bool contains(const QString &devicePath) const;

    void setIdentityUnanswered(const QString &devicePath, bool unanswered);
    bool identityUnanswered(const QString &devicePath) const;

private:
    static void mark(QSet<QString> &paths, const QString &devicePath, bool on);

    mutable std::mutex m_lock;
    QSet<QString> m_paths;
    QSet<QString> m_unansweredIdentities;
};
