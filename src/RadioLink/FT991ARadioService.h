#pragma once

#include "RadioLink/BaseYaesuRadioService.h"

#include "Model/FT991AToneNumberKind.h"

// The FT-991A: channels 1 to 117. Before it reads or writes a channel it makes it current with
// "MC" slot, waits, and drops input not yet cut into lines; it uses the long tag form
//   "MT" slot, payload (22), "0", tag (12)
// and reads and writes the channel's CTCSS or DCS number with "CN00"/"CN01" (+ three digits to
// write), as the tone mode in the flags asks. Its mode character and flags are normalised before
// they are written.
class FT991ARadioService : public BaseYaesuRadioService {
public:
    explicit FT991ARadioService(std::shared_ptr<CATConnection> session);

    // Only the pause after the channel select ends early on cancellation.
    QCoro::Task<RadioMemory> readMemory(int channel, CancellationToken cancellation = {}) override;

protected:
    // The channel select, the memory and tag writes and, as the tone mode asks, the tone number.
    QStringList memoryWriteCommands(const RadioMemory &memory) const override;
    // Cancellation does not stop a write once it has begun. A channel the radio only lets select
    // once it is written is selected again for its tone number; when that is refused too, the
    // write fails before the tone number would go to another channel.
    QCoro::Task<> sendWriteCommands(QStringList commands, MemoryWriteProgress &progress) override;

private:
    // Makes the channel current and pauses for the radio; false when the radio refuses (an empty
    // channel). Only the pause ends early on cancellation.
    QCoro::Task<bool> selectChannel(QString command, CancellationToken cancellation = {});
    // The long tag-read form; the short form as the base service reads it.
    static RadioMemory applyMTResponseCompat(const QString &response, RadioMemory memory);
    // Reads the tone number of the current channel for a CTCSS or DCS kind.
    QCoro::Task<QString> readFT991ToneNumber(FT991AToneNumberKind kind);
    static QString encodeFT991Payload(const RadioMemory &memory);
};
