#include "AppModel/MemoryOperations.h"

#include "AppModel/OperationFrame.h"
#include "AppModel/OperationTask.h"
#include "Localization/L.h"
#include "Model/RadioError.h"
#include "Model/TextOps.h"
#include "RadioLink/CancellationToken.h"
#include "RadioLink/RadioServiceProtocol.h"

#include <QSet>
#include <algorithm>

namespace {

// The channel of one of the model's slots: three ASCII digits within its range. No other text is
// read or imported as a channel, so none ends up as another channel ("000").
std::optional<int> channelOfSlot(const QString &slot, RadioModel model) {
    const bool digits = slot.size() == 3 && std::all_of(slot.cbegin(), slot.cend(), [](QChar character) {
                            return character >= u'0' && character <= u'9';
                        });
    if (!digits || !memoryRange(model).contains(slot.toInt()))
        return std::nullopt;
    return slot.toInt();
}

QList<RadioMemory> sortedBySlot(QList<RadioMemory> memories) {
    std::stable_sort(memories.begin(), memories.end(),
                     [](const RadioMemory &a, const RadioMemory &b) { return a.slot < b.slot; });
    return memories;
}

QString readFailedLine(const QString &channel, const QString &error) {
    return L::text(QStringLiteral("Lesen fehlgeschlagen für %1: %2").arg(channel, error),
                   QStringLiteral("Read failed for %1: %2").arg(channel, error));
}

QString writeFailedLine(const QString &channel, const QString &error) {
    return L::text(QStringLiteral("Schreiben fehlgeschlagen für %1: %2").arg(channel, error),
                   QStringLiteral("Write failed for %1: %2").arg(channel, error));
}

// Said of a write none of whose channel went out: the radio holds nothing of it.
QString notWrittenText(const QString &channel) {
    return L::text(QStringLiteral(" – Speicher %1 ist nicht geschrieben."),
                   QStringLiteral(" – memory %1 is not written."))
        .arg(channel);
}

// The verification's lines, one under the other: what was written is not what the radio holds, which
// the table now shows.
QString verifyMismatchAlert(const QString &channel, const QStringList &differences) {
    return L::text(QStringLiteral("Speicher %1 ist nicht wie geschrieben gespeichert – die Tabelle zeigt, "
                                  "was das Funkgerät hält:\n")
                       .arg(channel),
                   QStringLiteral("Memory %1 is not stored as written – the table shows what the radio "
                                  "holds:\n")
                       .arg(channel)) +
           differences.join(u'\n');
}

QString invalidSlotText() {
    return L::text(QStringLiteral("kein gültiger Speicherplatz"), QStringLiteral("not a valid memory slot"));
}

// The first text field of the channel longer than any radio field.
std::optional<MemoryField> overlongField(const RadioMemory &memory) {
    const std::pair<MemoryField, const QString &> fields[] = {
        {MemoryField::frequency, memory.frequency},
        {MemoryField::shift, memory.shiftRaw},
        {MemoryField::mode, memory.modeCode},
        {MemoryField::flags, memory.flagsRaw},
        {MemoryField::toneKind, memory.toneNumberKindRaw},
        {MemoryField::toneNumber, memory.toneNumberCode},
        {MemoryField::tag, memory.tag}};
    for (const auto &[field, text] : fields) {
        if (text.size() > RadioMemory::maximumFieldLength)
            return field;
    }
    return std::nullopt;
}

// A slot as an alert may show it: a file can hold one of any length. Whole characters only, and
// only the head of the text is looked at.
QString shownSlot(const QString &slot) {
    if (slot.size() <= RadioMemory::maximumFieldLength)
        return slot;
    return TextOps::prefix(slot.first(RadioMemory::maximumFieldLength + 1), RadioMemory::maximumFieldLength) +
           QStringLiteral("…");
}

} // namespace

MemoryOperations::MemoryOperations(OperationFrame &frame)
    : m_frame(frame) {
}

void MemoryOperations::setMemories(const QList<RadioMemory> &memories) {
    m_memories = memories;
    emit memoriesChanged();
}

void MemoryOperations::setSelectedMemoryID(const std::optional<QString> &id) {
    m_selectedMemoryID = id;
    emit selectedMemoryIDChanged();
}

std::optional<RadioMemory> MemoryOperations::selectedMemory() const {
    if (!m_selectedMemoryID)
        return std::nullopt;
    for (const RadioMemory &memory : m_memories) {
        if (memory.slot == *m_selectedMemoryID)
            return memory;
    }
    return std::nullopt;
}

void MemoryOperations::setMemoryAt(int row, const RadioMemory &memory) {
    if (row < 0 || row >= m_memories.size())
        return;
    m_memories[row] = memory;
    emit memoryChanged(row);
}

void MemoryOperations::replaceMemory(const RadioMemory &memory) {
    for (int row = 0; row < m_memories.size(); ++row) {
        if (m_memories[row].slot == memory.slot) {
            setMemoryAt(row, memory);
            return;
        }
    }
    QList<RadioMemory> rows = m_memories;
    rows.append(memory);
    setMemories(sortedBySlot(rows));
}

void MemoryOperations::rebuildEmptyMemories(RadioModel model) {
    const ChannelRange range = memoryRange(model);
    QList<RadioMemory> rows;
    rows.reserve(range.count());
    for (int channel = range.lowerBound; channel <= range.upperBound; ++channel)
        rows.append(RadioMemory::empty(RadioMemory::slotText(channel), model));
    setMemories(rows);
    setSelectedMemoryID(rows.first().slot);
}

void MemoryOperations::readAll() {
    if (const std::shared_ptr<RadioServiceProtocol> service = m_frame.serviceOrAlert())
        readAllRun(this, service, m_frame.selectedRadioModel(), m_frame.beginOperation());
}

QCoro::Task<> MemoryOperations::readAllRun(QPointer<MemoryOperations> self,
                                           std::shared_ptr<RadioServiceProtocol> service, RadioModel model,
                                           Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    const QString modelName = rawValue(model);
    QList<RadioMemory> working = self->m_memories;
    const ChannelRange range = service->memoryRange();
    for (int channel = range.lowerBound; channel <= range.upperBound; ++channel) {
        if (token->isCancelled())
            break;
        const auto read = co_await outcomeOf(service->readMemory(channel, *token));
        if (!self)
            co_return;
        if (read.cancelled || (read.failure && token->isCancelled()))
            break;
        if (read.failure) {
            self->m_frame.appendLog(readFailedLine(RadioMemory::slotText(channel), *read.failure));
            continue;
        }
        const RadioMemory &memory = *read.value;
        const auto row = std::find_if(working.begin(), working.end(), [&](const RadioMemory &candidate) {
            return candidate.slot == memory.slot;
        });
        if (row != working.end())
            *row = memory;
        if (memory.isEmpty)
            self->m_frame.appendLog(
                L::text(QStringLiteral("Speicher %1 scheint leer zu sein oder ist auf %2 nicht lesbar")
                            .arg(memory.slot, modelName),
                        QStringLiteral("Memory %1 appears empty or is not readable on %2")
                            .arg(memory.slot, modelName)));
    }
    if (token->isCancelled()) {
        self->m_frame.appendLog(L::text(QStringLiteral("Alles lesen abgebrochen für ") + modelName,
                                        QStringLiteral("Read all cancelled for ") + modelName));
    } else {
        self->setMemories(sortedBySlot(working));
        if (!self->m_selectedMemoryID && !self->m_memories.isEmpty())
            self->setSelectedMemoryID(self->m_memories.first().slot);
        self->m_frame.appendLog(
            L::text(QStringLiteral("Fertig mit dem Lesen aller Speicher für ") + modelName,
                    QStringLiteral("Finished reading all memories for ") + modelName));
    }
    self->m_frame.endOperation(token);
}

void MemoryOperations::readSelected() {
    const std::optional<RadioMemory> selected = selectedMemory();
    if (!selected) {
        m_frame.alertNotConnected();
        return;
    }
    const std::shared_ptr<RadioServiceProtocol> service = m_frame.serviceOrAlert();
    if (!service)
        return;
    const std::optional<int> channel = channelOfSlot(selected->slot, m_frame.selectedRadioModel());
    if (!channel) {
        m_frame.appendLog(readFailedLine(selected->slot, invalidSlotText()));
        return;
    }
    readSelectedRun(this, service, selected->slot, *channel, m_frame.beginOperation());
}

QCoro::Task<> MemoryOperations::readSelectedRun(QPointer<MemoryOperations> self,
                                                std::shared_ptr<RadioServiceProtocol> service, QString slot,
                                                int channel, Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    const auto read = co_await outcomeOf(service->readMemory(channel, *token));
    if (!self)
        co_return;
    if (!token->isCancelled()) {
        if (read.value)
            self->replaceMemory(*read.value);
        else if (read.failure)
            self->m_frame.appendLog(readFailedLine(slot, *read.failure));
    }
    self->m_frame.endOperation(token);
}

void MemoryOperations::writeSelected(const RadioMemory &memory) {
    const std::shared_ptr<RadioServiceProtocol> service = m_frame.serviceOrAlert();
    if (!service)
        return;
    const std::optional<int> channel = channelOfSlot(memory.slot, service->model());
    if (!channel) {
        m_frame.appendLog(writeFailedLine(memory.slot, invalidSlotText()));
        m_frame.setAlertMessage(invalidSlotText());
        return;
    }
    writeSelectedRun(this, service, memory, *channel, m_frame.beginOperation());
}

bool MemoryOperations::alertIfUnsendable(const RadioMemory &memory) {
    const std::shared_ptr<RadioServiceProtocol> service = m_frame.radioService();
    if (!service)
        return false;
    try {
        service->writeCommands(memory);
    } catch (const RadioError &error) {
        m_frame.setAlertMessage(error.description());
        return true;
    }
    return false;
}

QCoro::Task<> MemoryOperations::writeSelectedRun(QPointer<MemoryOperations> self,
                                                 std::shared_ptr<RadioServiceProtocol> service,
                                                 RadioMemory memory, int channel, Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    const QString slot = memory.slot;
    const auto write = co_await outcomeOf(service->writeMemory(memory, *token));
    if (!self)
        co_return;
    // Losing the device cancels the run, but the write it cut short still ends with its failure. A
    // write the user's disconnect cut says in the log what the radio may hold of the channel; the
    // user chose to end it, so there is no alert.
    const bool endedByUser = token->isCancelled() && !write.connectionLost;
    if (write.cancelled) {
        self->m_frame.appendLog(
            L::text(QStringLiteral("Schreiben abgebrochen für "), QStringLiteral("Write cancelled for ")) +
            slot + notWrittenText(slot));
        self->m_frame.endOperation(token);
        co_return;
    }
    if (write.failure) {
        const bool notWritten = !write.writtenInPart && (endedByUser || write.commandUnsent);
        const QString failure = notWritten ? *write.failure + notWrittenText(slot) : *write.failure;
        self->m_frame.appendLog(writeFailedLine(slot, failure));
        if (!endedByUser)
            self->m_frame.setAlertMessage(failure);
        self->m_frame.endOperation(token);
        co_return;
    }

    // A write done before the run was cancelled went to the radio of its service; the table may be
    // another model's by now, so nothing is stored or read back.
    const QString modelName = rawValue(service->model());
    self->m_frame.appendLog(
        L::text(QStringLiteral("Schreiben für Speicher %1 über %2 via MW+MT gesendet").arg(slot, modelName),
                QStringLiteral("Write sent for memory %1 via %2 MW+MT").arg(slot, modelName)));
    if (token->isCancelled()) {
        self->m_frame.endOperation(token);
        co_return;
    }
    self->replaceMemory(memory);

    const auto read = co_await outcomeOf(service->readMemory(channel, *token));
    if (!self)
        co_return;
    if (!token->isCancelled() && read.value) {
        self->replaceMemory(*read.value);
        const QStringList differences = read.value->verificationMismatches(memory);
        if (differences.isEmpty()) {
            self->m_frame.appendLog(L::text(QStringLiteral("Verifikation OK für Speicher ") + slot,
                                            QStringLiteral("Verify OK for memory ") + slot));
        } else {
            self->m_frame.appendLog(
                L::text(QStringLiteral("Verifikationsabweichung für Speicher %1: ").arg(slot),
                        QStringLiteral("Verify mismatch for memory %1: ").arg(slot)) +
                differences.join(QStringLiteral(" | ")));
            self->m_frame.setAlertMessage(verifyMismatchAlert(slot, differences));
        }
    } else if ((!token->isCancelled() || read.connectionLost) && read.failure) {
        self->m_frame.appendLog(
            L::text(QStringLiteral("Verifikationslesen fehlgeschlagen für %1: %2").arg(slot, *read.failure),
                    QStringLiteral("Verify read failed for %1: %2").arg(slot, *read.failure)));
    }
    self->m_frame.endOperation(token);
}

std::optional<QString> MemoryOperations::backupFault(const MemoryBackup &backup) {
    const QString model = rawValue(backup.radioModel);
    QSet<QString> seen;
    for (qsizetype index = 0; index < backup.memories.size(); ++index) {
        const RadioMemory &memory = backup.memories[index];
        QString german;
        QString english;
        if (!channelOfSlot(memory.slot, backup.radioModel)) {
            german = QStringLiteral("ist kein Speicherplatz des ") + model;
            english = QStringLiteral("is not a memory slot of the ") + model;
        } else if (seen.contains(memory.slot)) {
            german = QStringLiteral("kommt doppelt vor");
            english = QStringLiteral("appears twice");
        } else if (memory.radioModel != backup.radioModel) {
            const QString other = rawValue(memory.radioModel);
            german = QStringLiteral("gehört zum %1, nicht zum %2").arg(other, model);
            english = QStringLiteral("belongs to the %1, not the %2").arg(other, model);
        } else if (const std::optional<MemoryField> field = overlongField(memory)) {
            const QString name = label(*field);
            const QString limit = QString::number(RadioMemory::maximumFieldLength);
            german = QStringLiteral("hat im Feld „%1“ mehr als %2 Zeichen").arg(name, limit);
            english = QStringLiteral("has more than %2 characters in the field \"%1\"").arg(name, limit);
        } else {
            seen.insert(memory.slot);
            continue;
        }
        const QString position = QString::number(index + 1);
        const QString slot = shownSlot(memory.slot);
        return L::text(
            QStringLiteral("Backup nicht importiert: Eintrag %1 (Speicherplatz „%2“) %3.")
                .arg(position, slot, german),
            QStringLiteral("Backup not imported: entry %1 (slot \"%2\") %3.").arg(position, slot, english));
    }
    return std::nullopt;
}

void MemoryOperations::takeBackup(const MemoryBackup &backup) {
    setMemories(sortedBySlot(backup.memories));
    setSelectedMemoryID(m_memories.isEmpty() ? std::nullopt
                                             : std::optional<QString>(m_memories.first().slot));
    const QString count = QString::number(backup.memories.size());
    m_frame.appendLog(L::text(QStringLiteral("Backup mit %1 Speichern importiert").arg(count),
                              QStringLiteral("Imported backup with %1 memories").arg(count)));
}
