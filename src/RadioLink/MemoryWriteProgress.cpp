#include "RadioLink/MemoryWriteProgress.h"

namespace {

// The fields of the channel that a write command brings to the radio; a channel select brings none.
QList<MemoryField> fieldsOf(const QString &command) {
    if (command.startsWith(u"MW"))
        return {MemoryField::frequency, MemoryField::mode, MemoryField::shift, MemoryField::flags};
    if (command.startsWith(u"MT"))
        return {MemoryField::tag};
    if (command.startsWith(u"CN"))
        return {MemoryField::toneNumber};
    return {};
}

} // namespace

MemoryWriteProgress::MemoryWriteProgress(QString slot, const QStringList &commands)
    : m_slot(std::move(slot)) {
    for (const QString &command : commands)
        m_missing.append(fieldsOf(command));
}

void MemoryWriteProgress::taken(const QString &command) {
    moveFields(command, m_written);
}

void MemoryWriteProgress::perhapsTaken(const QString &command) {
    moveFields(command, m_perhapsWritten);
}

void MemoryWriteProgress::moveFields(const QString &command, QList<MemoryField> &to) {
    for (MemoryField field : fieldsOf(command)) {
        m_missing.removeOne(field);
        to.append(field);
    }
}

RadioError MemoryWriteProgress::failure(const RadioError &error) const {
    if (m_written.isEmpty() && m_perhapsWritten.isEmpty())
        return error;
    return error.writtenInPart(m_slot, m_written, m_perhapsWritten, m_missing);
}
