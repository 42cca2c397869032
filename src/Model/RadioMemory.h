#pragma once

#include "Model/FT991AToneSqlOption.h"
#include "Model/RadioModel.h"
#include "Model/TextOps.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

// One memory channel, kept in the radio's own CAT text form. It checks nothing and stores any
// text; `MemoryDraft::validated()` and the CAT services normalise what goes in.
struct RadioMemory {
    // Three digits, "001"; the record's identity.
    QString slot;
    RadioModel radioModel = RadioModel::ft710;
    // Hz as decimal digits, at most 9; empty when the channel holds no frequency.
    QString frequency;
    // Sign and six digits: the FT-710 repeater offset, the FT-991A clarifier offset.
    QString shiftRaw;
    // One CAT mode character.
    QString modeCode;
    // Five flag characters; on the FT-991A the 2nd is the tone/squelch mode, the 5th the repeater shift.
    QString flagsRaw;
    // An FT991AToneNumberKind raw value: "", "0" (CTCSS) or "1" (DCS).
    QString toneNumberKindRaw;
    // Three digits indexing the CTCSS or DCS table; "000" when there is no tone number.
    QString toneNumberCode = QStringLiteral("000");
    // At most 12 characters.
    QString tag;
    bool isEmpty = false;

    // No field of a radio comes near this many characters; the table's fields take no more, and a
    // backup with a longer one comes from elsewhere and is refused.
    static constexpr qsizetype maximumFieldLength = 64;

    // The unoccupied channel of a slot (the slot text is taken unchanged).
    static RadioMemory empty(const QString &slot, RadioModel model);
    // A channel number as a three-digit slot ("%03d").
    static QString slotText(int channel);

    QString id() const { return slot; }
    // The mode character and the five padded flag characters of a memory-write payload.
    QString tailRaw() const;
    // The 2nd padded flag character on the FT-991A, "0" on other models.
    QString ft991aToneSqlModeCode() const;
    // The 5th padded flag character on the FT-991A, "0" on other models.
    QString ft991aRepeaterShiftCode() const;
    // `off` when the mode code is no mode.
    FT991AToneSqlOption ft991aToneSqlMode() const;

    // Called on the channel read back, with the one that was written: one line per difference,
    // in the current UI language; empty when the channel was stored as written.
    QStringList verificationMismatches(const RadioMemory &comparedTo) const;
    // Every field equal, the frequencies by value as the verification compares them: "007074000"
    // is the channel "7074000".
    bool sameChannel(const RadioMemory &other) const;

    // One-line descriptions, computed anew in the current UI language at each reading.
    // The whole line, or "Leer" when the channel holds no frequency text.
    QString summary() const;
    // Frequency, mode and shift; on the FT-991A also tone and clarifier when they are on.
    QString compactDetailSummary() const;
    // "145.500000 MHz", with a point whatever the locale; the stored text when its digits are no number.
    QString formattedFrequency() const;
    QString modeDisplayName() const;
    // The repeater shift on the FT-991A, the shift of `shiftRaw` on the FT-710 ("+600", "Simplex").
    QString shiftDisplay() const;
    // Empty on other models than the FT-991A.
    QString ft991aToneSummary() const;
    QString ft991aClarifierSummary() const;

    // All ten keys, empty texts included.
    QJsonObject toJson() const;
    // Strict: throws JSONDecodingError for a non-object, a missing or null required key, a value of
    // another JSON type or an unknown model. The two tone keys may be absent or null.
    static RadioMemory fromJson(const QJsonValue &value);

    // Field by field; texts compare by canonical equivalence.
    bool operator==(const RadioMemory &other) const;
};

// The fields of a channel that a message may name.
enum class MemoryField { slot, frequency, mode, shift, flags, toneKind, toneNumber, tag };
// The field's name in the current UI language ("Frequenz", "Tag" ...).
QString label(MemoryField field);

// The ten fields of two channels or drafts in declaration order; texts by canonical equivalence.
template <typename Left, typename Right> bool sameMemoryFields(const Left &a, const Right &b) {
    using TextOps::canonicallyEqual;
    return canonicallyEqual(a.slot, b.slot) && a.radioModel == b.radioModel &&
           canonicallyEqual(a.frequency, b.frequency) && canonicallyEqual(a.shiftRaw, b.shiftRaw) &&
           canonicallyEqual(a.modeCode, b.modeCode) && canonicallyEqual(a.flagsRaw, b.flagsRaw) &&
           canonicallyEqual(a.toneNumberKindRaw, b.toneNumberKindRaw) &&
           canonicallyEqual(a.toneNumberCode, b.toneNumberCode) && canonicallyEqual(a.tag, b.tag) &&
           a.isEmpty == b.isEmpty;
}
