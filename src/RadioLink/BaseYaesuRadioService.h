#pragma once

#include "RadioLink/RadioServiceProtocol.h"

#include <memory>
#include <optional>

class CATConnection;
class MemoryWriteProgress;

// The memory service of the FT-710, and the memory commands both radios share:
//   memory read   "MR" slot ;            reply "MR" slot, frequency (9), shift (7), mode (1), flags (5) ...
//   tag read      "MT" slot ;            reply "MT" slot, one ignored character, tag (12) ...
//   memory write  "MW" slot, frequency (9), shift (7), mode (1), flags (5) ;
//   tag write     "MT" slot, "1" or "0" (tag present), tag right-padded to 12 ;
class BaseYaesuRadioService : public RadioServiceProtocol {
public:
    RadioModel model() const override { return m_model; }
    ChannelRange memoryRange() const override { return m_memoryRange; }

    QCoro::Task<RadioMemory> readMemory(int channel, CancellationToken cancellation = {}) override;
    // A write that fails once the radio has taken part of the channel names in its error what the
    // channel now holds and what it lacks.
    QCoro::Task<> writeMemory(RadioMemory memory, CancellationToken cancellation = {}) override;
    // Refuses a channel without a frequency (its field on the wire all zeros) first, so that every
    // caller asking whether the radio can take a channel hears it before anything is stored or sent.
    QStringList writeCommands(const RadioMemory &memory) const final;

protected:
    BaseYaesuRadioService(RadioModel model, ChannelRange memoryRange, std::shared_ptr<CATConnection> session);

    CATConnection &session() const { return *m_session; }

    // The commands that write a channel with a frequency.
    virtual QStringList memoryWriteCommands(const RadioMemory &memory) const;
    // Sends the commands of writeCommands() in order, telling `progress` each one the radio took.
    virtual QCoro::Task<> sendWriteCommands(QStringList commands, MemoryWriteProgress &progress);
    // Sends one command of a write and tells `progress` whether the radio took it, or may have:
    // some or all of a command cut off in its window, or before its end, went out.
    QCoro::Task<> sendWriteCommand(QString command, double rejectionWindow, MemoryWriteProgress &progress);

    // The reply, or nothing when the radio rejected the query; other errors pass.
    QCoro::Task<std::optional<QString>> queryUnlessRejected(QString command, double timeout);
    // Whether the radio accepted the set; a rejection is no error here, other errors pass.
    QCoro::Task<bool> setUnlessRejected(QString command, double rejectionWindow);

    // Throws RadioError::invalidResponse with the whole reply unless it is "MR" + slot, at least
    // 22 payload characters and ";".
    RadioMemory parseMRResponse(const QString &response, const QString &slot) const;
    // The tag of a short tag-read reply for the memory's slot; anything else leaves it unchanged.
    static RadioMemory applyMTResponse(const QString &response, RadioMemory memory);
    // The body between "MT" + slot and the final ";", when the reply has that shape.
    static std::optional<QString> tagReplyBody(const QString &response, const QString &slot);

    // The fields as commands carry them, each checked against what the port sends
    // (CATText::requireSendable). The slot as stored:
    static QString slotField(const RadioMemory &memory);
    // Frequency digits (9) and the normalised shift (7): the head of every memory-write payload.
    static QString frequencyAndShift(const RadioMemory &memory);
    // The tag cut or right-padded with blanks to 12 characters.
    static QString tagField(const QString &tag);

private:
    static void requireFrequency(const RadioMemory &memory);
    // The frequency's first nine digits, left-padded with zeros, as the payload carries them.
    static QString frequencyField(const RadioMemory &memory);
    static QString encodeMWPayload(const RadioMemory &memory);

    const RadioModel m_model;
    const ChannelRange m_memoryRange;
    const std::shared_ptr<CATConnection> m_session;
};
