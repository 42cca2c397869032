#pragma once

#include "Model/RadioError.h"
#include "Model/RadioMemory.h"

#include <QList>
#include <QString>
#include <QStringList>

// What of a channel the radio has taken while the commands of its write go out one after the
// other, so that a write stopping half-way says what the channel now holds and what it lacks.
class MemoryWriteProgress {
public:
    // The slot written and every command of its write.
    MemoryWriteProgress(QString slot, const QStringList &commands);

    // The radio has taken this command of the write.
    void taken(const QString &command);
    // The error the write ends with: unchanged while the radio holds nothing new of the channel.
    RadioError failure(const RadioError &error) const;

private:
    QString m_slot;
    QList<MemoryField> m_written;
    QList<MemoryField> m_missing;
};
