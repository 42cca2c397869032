#include "RadioLink/BaseYaesuRadioService.h"

#include "Model/CATText.h"
#include "Model/MemoryDraft.h"
#include "Model/RadioError.h"
#include "Model/TextOps.h"
#include "RadioLink/CATConnection.h"
#include "RadioLink/MemoryWriteProgress.h"

#include <algorithm>

namespace {

constexpr qsizetype memoryPayloadLength = 22;
constexpr qsizetype shortTagBodyLength = 13;

// The reply text between `head` and the final ";", when the reply has that shape.
std::optional<QString> bodyBetween(const QString &response, const QString &head) {
    if (!response.startsWith(head) || !response.endsWith(u';'))
        return std::nullopt;
    return response.sliced(head.size()).chopped(1);
}

} // namespace

BaseYaesuRadioService::BaseYaesuRadioService(RadioModel model, ChannelRange memoryRange,
                                             std::shared_ptr<CATConnection> session)
    : m_model(model)
    , m_memoryRange(memoryRange)
    , m_session(std::move(session)) {
}

QCoro::Task<RadioMemory> BaseYaesuRadioService::readMemory(int channel, CancellationToken) {
    const QString slot = RadioMemory::slotText(channel);
    const std::optional<QString> reply =
        co_await queryUnlessRejected(QStringLiteral("MR") + slot, LinkTiming::waits().queryTimeout);
    if (!reply)
        co_return RadioMemory::empty(slot, m_model);
    RadioMemory memory = parseMRResponse(*reply, slot);
    const std::optional<QString> tagReply =
        co_await queryUnlessRejected(QStringLiteral("MT") + slot, LinkTiming::waits().ft710TagReadTimeout);
    co_return tagReply ? applyMTResponse(*tagReply, memory) : memory;
}

QCoro::Task<> BaseYaesuRadioService::writeMemory(RadioMemory memory, CancellationToken) {
    const QStringList commands = writeCommands(memory);
    MemoryWriteProgress progress(memory.slot, commands);
    try {
        co_await sendWriteCommands(commands, progress);
    } catch (const RadioError &error) {
        throw progress.failure(error);
    }
}

QCoro::Task<> BaseYaesuRadioService::sendWriteCommands(QStringList commands, MemoryWriteProgress &progress) {
    for (const QString &command : commands)
        co_await sendWriteCommand(command, LinkTiming::waits().rejectionWindow, progress);
}

QCoro::Task<> BaseYaesuRadioService::sendWriteCommand(QString command, double rejectionWindow,
                                                      MemoryWriteProgress &progress) {
    try {
        co_await m_session->set(command, rejectionWindow);
    } catch (const RadioError &error) {
        if (error.commandWentOut())
            progress.perhapsTaken(command);
        throw;
    }
    progress.taken(command);
}

QStringList BaseYaesuRadioService::writeCommands(const RadioMemory &memory) const {
    requireFrequency(memory);
    return memoryWriteCommands(memory);
}

QStringList BaseYaesuRadioService::memoryWriteCommands(const RadioMemory &memory) const {
    const QString slot = slotField(memory);
    const QString tagPresent = memory.tag.isEmpty() ? QStringLiteral("0") : QStringLiteral("1");
    return {QStringLiteral("MW") + slot + encodeMWPayload(memory),
            QStringLiteral("MT") + slot + tagPresent + tagField(memory.tag)};
}

QCoro::Task<std::optional<QString>> BaseYaesuRadioService::queryUnlessRejected(QString command,
                                                                               double timeout) {
    try {
        co_return co_await m_session->query(command, timeout);
    } catch (const RadioError &error) {
        if (error.kind() != RadioError::Kind::rejected)
            throw;
    }
    co_return std::nullopt;
}

QCoro::Task<bool> BaseYaesuRadioService::setUnlessRejected(QString command, double rejectionWindow) {
    try {
        co_await m_session->set(command, rejectionWindow);
        co_return true;
    } catch (const RadioError &error) {
        if (error.kind() != RadioError::Kind::rejected)
            throw;
    }
    co_return false;
}

RadioMemory BaseYaesuRadioService::parseMRResponse(const QString &response, const QString &slot) const {
    const std::optional<QString> payload = bodyBetween(response, QStringLiteral("MR") + slot);
    if (!payload || payload->size() < memoryPayloadLength)
        throw RadioError::invalidResponse(response);
    RadioMemory memory;
    memory.slot = slot;
    memory.radioModel = m_model;
    memory.frequency = payload->sliced(0, 9);
    memory.shiftRaw = payload->sliced(9, 7);
    memory.modeCode = payload->sliced(16, 1);
    memory.flagsRaw = payload->sliced(17, 5);
    return memory;
}

RadioMemory BaseYaesuRadioService::applyMTResponse(const QString &response, RadioMemory memory) {
    const std::optional<QString> body = tagReplyBody(response, memory.slot);
    if (body && body->size() >= shortTagBodyLength)
        memory.tag = TextOps::trimmedWhitespaces(body->sliced(1, 12));
    return memory;
}

std::optional<QString> BaseYaesuRadioService::tagReplyBody(const QString &response, const QString &slot) {
    return bodyBetween(response, QStringLiteral("MT") + slot);
}

void BaseYaesuRadioService::requireFrequency(const RadioMemory &memory) {
    // A field of zeros would set the radio's channel to 0 Hz: an empty text, "0" or no digit at all.
    const QString field = frequencyField(memory);
    if (std::all_of(field.cbegin(), field.cend(), [](QChar c) { return c == u'0'; }))
        throw RadioError::invalidMemory(
            QStringLiteral("Leerer Speicher kann nicht ohne Frequenz geschrieben werden."));
}

QString BaseYaesuRadioService::slotField(const RadioMemory &memory) {
    return CATText::requireSendable(memory.slot, MemoryField::slot);
}

QString BaseYaesuRadioService::frequencyField(const RadioMemory &memory) {
    return TextOps::fixedDigits(memory.frequency, 9);
}

QString BaseYaesuRadioService::frequencyAndShift(const RadioMemory &memory) {
    return CATText::requireSendable(frequencyField(memory), MemoryField::frequency) +
           CATText::requireSendable(MemoryDraft::normalizeShiftRaw(memory.shiftRaw), MemoryField::shift);
}

QString BaseYaesuRadioService::tagField(const QString &tag) {
    return CATText::requireSendable(TextOps::paddingRight(tag, 12, QStringLiteral(" ")), MemoryField::tag);
}

QString BaseYaesuRadioService::encodeMWPayload(const RadioMemory &memory) {
    const QString tail = memory.tailRaw();
    const QString mode = TextOps::prefix(tail, 1);
    return frequencyAndShift(memory) + CATText::requireSendable(mode, MemoryField::mode) +
           CATText::requireSendable(tail.sliced(mode.size()), MemoryField::flags);
}
