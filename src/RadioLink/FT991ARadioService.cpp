#include "RadioLink/FT991ARadioService.h"

#include "Model/CATText.h"
#include "Model/RadioError.h"
#include "Model/TextOps.h"
#include "RadioLink/CATConnection.h"
#include "RadioLink/MemoryWriteProgress.h"
#include "RadioLink/Sleep.h"

namespace {

constexpr qsizetype longTagBodyLength = 35;

QString toneNumberCommand(FT991AToneNumberKind kind) {
    return QStringLiteral("CN0") + commandCode(kind);
}

// The upper-cased mode's first character that is numeric or "A" to "E"; "4" without one.
QString normalizedModeCode(const QString &modeCode) {
    for (const QString &character : TextOps::characters(TextOps::upperCased(modeCode))) {
        if (TextOps::isNumeric(character) ||
            (character.size() == 1 && character >= u"A" && character <= u"E"))
            return character;
    }
    return QStringLiteral("4");
}

} // namespace

FT991ARadioService::FT991ARadioService(std::shared_ptr<CATConnection> session)
    : BaseYaesuRadioService(RadioModel::ft991a, ::memoryRange(RadioModel::ft991a), std::move(session)) {
}

QCoro::Task<RadioMemory> FT991ARadioService::readMemory(int channel, CancellationToken cancellation) {
    const QString slot = RadioMemory::slotText(channel);
    session().flushInputBuffer();
    const bool selected = co_await selectChannel(QStringLiteral("MC") + slot, cancellation);
    if (!selected)
        co_return RadioMemory::empty(slot, model());
    session().flushInputBuffer();
    const std::optional<QString> reply = co_await queryUnlessRejected(
        QStringLiteral("MR") + slot, LinkTiming::waits().ft991aMemoryReadTimeout);
    if (!reply)
        co_return RadioMemory::empty(slot, model());
    RadioMemory memory = parseMRResponse(*reply, slot);
    co_await sleepFor(LinkTiming::waits().ft991aTagReadPause);
    const std::optional<QString> tagReply =
        co_await queryUnlessRejected(QStringLiteral("MT") + slot, LinkTiming::waits().ft991aTagReadTimeout);
    if (tagReply)
        memory = applyMTResponseCompat(*tagReply, memory);
    const FT991AToneNumberKind kind = numberKind(memory.ft991aToneSqlMode());
    if (kind == FT991AToneNumberKind::none)
        co_return memory;
    try {
        memory.toneNumberCode = co_await readFT991ToneNumber(kind);
        memory.toneNumberKindRaw = rawValue(kind);
    } catch (const RadioError &) {
        // A channel without its tone number is still worth showing.
    }
    co_return memory;
}

QCoro::Task<> FT991ARadioService::sendWriteCommands(QStringList commands, MemoryWriteProgress &progress) {
    const QString &select = commands.first();
    session().flushInputBuffer();
    // The radio refuses to select an empty channel, which is no reason not to write it.
    const bool selected = co_await selectChannel(select);
    session().flushInputBuffer();
    for (const QString &command : commands.sliced(1, 2))
        co_await sendWriteCommand(command, LinkTiming::waits().ft991aSetWindow, progress);
    if (commands.size() == 3)
        co_return;
    // The tone number carries no slot and goes to the current channel, so a channel that was empty
    // must now be selected, which writing it has made possible; a refusal now ends the write.
    if (!selected) {
        co_await session().set(select, LinkTiming::waits().ft991aSelectWindow);
        co_await sleepFor(LinkTiming::waits().ft991aSelectPause);
    }
    co_await sendWriteCommand(commands.last(), LinkTiming::waits().ft991aSetWindow, progress);
}

QCoro::Task<bool> FT991ARadioService::selectChannel(QString command, CancellationToken cancellation) {
    const bool accepted = co_await setUnlessRejected(command, LinkTiming::waits().ft991aSelectWindow);
    if (accepted)
        co_await sleepFor(LinkTiming::waits().ft991aSelectPause, cancellation);
    co_return accepted;
}

QStringList FT991ARadioService::memoryWriteCommands(const RadioMemory &memory) const {
    const QString slot = slotField(memory);
    const QString payload = encodeFT991Payload(memory);
    QStringList commands{QStringLiteral("MC") + slot, QStringLiteral("MW") + slot + payload,
                         QStringLiteral("MT") + slot + payload + u'0' + tagField(memory.tag)};
    const FT991AToneNumberKind kind = numberKind(memory.ft991aToneSqlMode());
    if (kind != FT991AToneNumberKind::none)
        commands << toneNumberCommand(kind) +
                        CATText::requireSendable(TextOps::fixedDigits(memory.toneNumberCode, 3),
                                                 MemoryField::toneNumber);
    return commands;
}

RadioMemory FT991ARadioService::applyMTResponseCompat(const QString &response, RadioMemory memory) {
    const std::optional<QString> body = tagReplyBody(response, memory.slot);
    if (body && body->size() >= longTagBodyLength) {
        memory.tag = TextOps::trimmedWhitespaces(body->sliced(23, 12));
        return memory;
    }
    return applyMTResponse(response, memory);
}

QCoro::Task<QString> FT991ARadioService::readFT991ToneNumber(FT991AToneNumberKind kind) {
    const QString command = toneNumberCommand(kind);
    const QString reply = co_await session().query(command, LinkTiming::waits().ft991aToneReadTimeout);
    if (!reply.startsWith(command) || !reply.endsWith(u';') || reply.size() - command.size() - 1 < 3)
        throw RadioError::invalidResponse(reply);
    co_return reply.sliced(command.size(), 3);
}

QString FT991ARadioService::encodeFT991Payload(const RadioMemory &memory) {
    return frequencyAndShift(memory) +
           CATText::requireSendable(normalizedModeCode(memory.modeCode), MemoryField::mode) +
           CATText::requireSendable(TextOps::fixedDigits(memory.flagsRaw, 5), MemoryField::flags);
}
