#pragma once

#include "Model/FT991AToneCodeOption.h"
#include "Model/FT991AToneSqlOption.h"
#include "Model/RadioMemory.h"
#include "Model/RadioModel.h"
#include "Model/ShiftDirectionOption.h"

#include <QList>
#include <QString>
#include <optional>

// The detail editor's working copy of a memory channel: the fields of a RadioMemory as free text,
// exactly as typed. It becomes a channel again only through validated(). Its static operations
// are the field normalisers and codecs that both editing surfaces and the summaries share.
struct MemoryDraft {
    QString slot;
    RadioModel radioModel;
    QString frequency;
    QString shiftRaw;
    QString modeCode;
    QString flagsRaw;
    QString toneNumberKindRaw;
    QString toneNumberCode;
    QString tag;
    bool isEmpty;

    // Every field unchanged except the frequency, which loses its leading zeros.
    explicit MemoryDraft(const RadioMemory &memory);
    // The draft of the empty channel of a slot.
    MemoryDraft(const QString &slot, RadioModel radioModel);

    // The normalised channel; throws RadioError::invalidMemory for a frequency of more than nine
    // digits or of value zero. The draft itself is left as it is.
    RadioMemory validated() const;
    // Whether applying the draft would change the channel: true for no channel and for a draft
    // that does not validate. Leading zeros the radio gives a frequency are no change.
    bool differs(const std::optional<RadioMemory> &from) const;

    // Field by field; texts compare by canonical equivalence.
    bool operator==(const MemoryDraft &other) const;

    // A sign and six digits; "+000000" for no offset. The sign is read after trimming white space.
    static QString normalizeShiftRaw(const QString &text);
    // The numeric characters without leading zeros; "0" for zeros only, empty for no digits.
    static QString stripLeadingZeros(const QString &text);
    // The frequency an editor shows.
    static QString displayFrequency(const QString &text);
    // The tone/squelch mode in the 2nd place of the normalised flags; `off` for no mode code.
    static FT991AToneSqlOption ft991aToneSqlMode(const QString &flags);

    // The 50 CTCSS tones, codes "000" to "049".
    static const QList<FT991AToneCodeOption> &ft991aCtcssOptions();
    // The 104 DCS codes, codes "000" to "103".
    static const QList<FT991AToneCodeOption> &ft991aDcsOptions();
    // The tone number put in when a mode change needs a fresh one.
    static QString defaultToneCode(FT991AToneSqlOption option);
    // The label of the row with exactly this code in the mode's table; the code itself when no
    // row has it (or the mode is `off`).
    static QString ft991aToneLabel(FT991AToneSqlOption mode, const QString &toneNumberCode);

    // Shift text codecs: the direction (simplex for a zero amount), the amount without leading
    // zeros (empty for zero) and the seven-character text composed from both.
    static ShiftDirectionOption shiftDirection(const QString &shiftRaw);
    static QString shiftAmount(const QString &shiftRaw);
    static QString composeShiftRaw(ShiftDirectionOption direction, const QString &amount);
    // FT-991A flags codecs: the repeater shift in the 5th place of the normalised flags, and the
    // flags rebuilt from the first place of the existing ones, the mode, "00" and the shift.
    static ShiftDirectionOption ft991aRepeaterShiftDirection(const QString &flags);
    static QString composeFT991Flags(const QString &existing, FT991AToneSqlOption toneSql,
                                     ShiftDirectionOption repeaterShift);
    // "Clarifier aus", "Clarifier +120", "Clarifier -120".
    static QString ft991ClarifierSummary(const MemoryDraft &draft);
    // "Tonsystem aus" or the mode's prefix and the tone label, in the current UI language.
    static QString ft991ToneSummary(const MemoryDraft &draft);
};
