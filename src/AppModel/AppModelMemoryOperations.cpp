#include "AppModel/AppModel.h"
#include "AppModel/OperationTask.h"

#include "Localization/L.h"
#include "RadioLink/CancellationToken.h"
#include "RadioLink/RadioServiceProtocol.h"

#include <QRegularExpression>
#include <algorithm>

// The memory operations: read all channels, read the selected one, write one with read-back
// verification. Each runs as one task that holds its service, so a request in flight outlives a
// disconnect.

namespace {

// A slot as a channel number: an optional sign and ASCII digits only, 0 for anything else.
int channelOfSlot(const QString &slot) {
    static const QRegularExpression form(QStringLiteral("^[+-]?[0-9]+$"));
    if (!form.match(slot).hasMatch())
        return 0;
    bool ok = false;
    const int channel = slot.toInt(&ok);
    return ok ? channel : 0;
}

QString readFailedLine(const QString &channel, const QString &error) {
    return L::text(QStringLiteral("Lesen fehlgeschlagen für %1: %2").arg(channel, error),
                   QStringLiteral("Read failed for %1: %2").arg(channel, error));
}

} // namespace

void AppModel::readAll() {
    if (!requireService())
        return;
    readAllRun(this, m_radioService, m_selectedRadioModel, beginOperation());
}

QCoro::Task<> AppModel::readAllRun(QPointer<AppModel> self, std::shared_ptr<RadioServiceProtocol> service,
                                   RadioModel model, Token token) {
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
            self->appendLog(readFailedLine(RadioMemory::slotText(channel), *read.failure));
            continue;
        }
        const RadioMemory &memory = *read.value;
        const auto row = std::find_if(working.begin(), working.end(), [&](const RadioMemory &candidate) {
            return candidate.slot == memory.slot;
        });
        if (row != working.end())
            *row = memory;
        if (memory.isEmpty)
            self->appendLog(
                L::text(QStringLiteral("Speicher %1 scheint leer zu sein oder ist auf %2 nicht lesbar")
                            .arg(memory.slot, modelName),
                        QStringLiteral("Memory %1 appears empty or is not readable on %2")
                            .arg(memory.slot, modelName)));
    }
    if (token->isCancelled()) {
        self->appendLog(L::text(QStringLiteral("Alles lesen abgebrochen für ") + modelName,
                                QStringLiteral("Read all cancelled for ") + modelName));
    } else {
        self->setMemories(sortedBySlot(working));
        if (!self->m_selectedMemoryID && !self->m_memories.isEmpty())
            self->setSelectedMemoryID(self->m_memories.first().slot);
        self->appendLog(L::text(QStringLiteral("Fertig mit dem Lesen aller Speicher für ") + modelName,
                                QStringLiteral("Finished reading all memories for ") + modelName));
    }
    self->endOperation(token);
}

void AppModel::readSelected() {
    const std::optional<RadioMemory> selected = selectedMemory();
    if (!selected) {
        alertNotConnected();
        return;
    }
    if (!requireService())
        return;
    readSelectedRun(this, m_radioService, selected->slot, beginOperation());
}

QCoro::Task<> AppModel::readSelectedRun(QPointer<AppModel> self,
                                        std::shared_ptr<RadioServiceProtocol> service, QString slot,
                                        Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    const auto read = co_await outcomeOf(service->readMemory(channelOfSlot(slot), *token));
    if (!self)
        co_return;
    if (!token->isCancelled()) {
        if (read.value)
            self->replaceMemory(*read.value);
        else if (read.failure)
            self->appendLog(readFailedLine(slot, *read.failure));
    }
    self->endOperation(token);
}

void AppModel::writeSelected(const RadioMemory &memory) {
    if (!requireService())
        return;
    writeSelectedRun(this, m_radioService, memory, beginOperation());
}

QCoro::Task<> AppModel::writeSelectedRun(QPointer<AppModel> self,
                                         std::shared_ptr<RadioServiceProtocol> service, RadioMemory memory,
                                         Token token) {
    co_await nextEventLoopTurn();
    if (!self)
        co_return;
    const QString slot = memory.slot;
    const auto write = co_await outcomeOf(service->writeMemory(memory, *token));
    if (!self)
        co_return;
    if (write.cancelled || token->isCancelled()) {
        self->endOperation(token);
        co_return;
    }
    if (write.failure) {
        self->appendLog(
            L::text(QStringLiteral("Schreiben fehlgeschlagen für %1: %2").arg(slot, *write.failure),
                    QStringLiteral("Write failed for %1: %2").arg(slot, *write.failure)));
        self->setAlertMessage(*write.failure);
        self->endOperation(token);
        co_return;
    }

    const QString modelName = rawValue(self->m_selectedRadioModel);
    self->appendLog(
        L::text(QStringLiteral("Schreiben für Speicher %1 über %2 via MW+MT gesendet").arg(slot, modelName),
                QStringLiteral("Write sent for memory %1 via %2 MW+MT").arg(slot, modelName)));
    self->replaceMemory(memory);

    const auto read = co_await outcomeOf(service->readMemory(channelOfSlot(slot), *token));
    if (!self)
        co_return;
    if (!token->isCancelled() && read.value) {
        self->replaceMemory(*read.value);
        const QStringList differences = read.value->verificationMismatches(memory);
        if (differences.isEmpty())
            self->appendLog(L::text(QStringLiteral("Verifikation OK für Speicher ") + slot,
                                    QStringLiteral("Verify OK for memory ") + slot));
        else
            self->appendLog(L::text(QStringLiteral("Verifikationsabweichung für Speicher %1: ").arg(slot),
                                    QStringLiteral("Verify mismatch for memory %1: ").arg(slot)) +
                            differences.join(QStringLiteral(" | ")));
    } else if (!token->isCancelled() && read.failure) {
        self->appendLog(
            L::text(QStringLiteral("Verifikationslesen fehlgeschlagen für %1: %2").arg(slot, *read.failure),
                    QStringLiteral("Verify read failed for %1: %2").arg(slot, *read.failure)));
    }
    self->endOperation(token);
}
