#pragma once

#include "Model/RadioError.h"
#include "Model/RadioMemory.h"

#include <QList>
#include <QString>
#include <QStringList>

// What of a channel the radio has taken while the commands of its write go out one after the
// other, so that a write stopping half-way says what the channel now holds, may hold and lacks.
class MemoryWriteProgress {
public:
    // The slot written and every command of its write.
    MemoryWriteProgress(QString slot, const QStringList &commands);

    // The radio has taken this command of the write.
    void taken(const QString &command);
    // Some or all of this command went out, but it or its window was cut: the radio may have taken it.
    void perhapsTaken(const QString &command);
    // The error the write ends with: unchanged while the radio holds nothing new of the channel,
    // for certain or perhaps.
    RadioError failure(const RadioError &error) const;

private:
    // Moves the command's fields from those still missing to `to`.
    void moveFields(const QString &command, QList<MemoryField> &to);

    QString m_slot;
    QList<MemoryField> m_written;
    QList<MemoryField> m_perhapsWritten;
    QList<MemoryField> m_missing;
};
