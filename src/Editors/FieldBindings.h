#pragma once

#include "Model/MemoryDraft.h"
#include "Model/RadioMemory.h"

#include <QString>
#include <optional>

// The two-way field bindings of both memory editors. Each control shows a decoded value
// (get: record -> shown value) and stores a change in the radio's raw text form
// (set: record + entry -> new record). One definition serves the table rows
// (RadioMemory) and the detail editor's draft (MemoryDraft): both carry the same fields.
namespace FieldBindings {

// --- frequency (table rows; the draft edits its frequency raw) ---
QString frequency(const RadioMemory &memory);
// Keeps the digits, drops leading zeros; the empty mark follows whether any are left.
RadioMemory withFrequency(RadioMemory memory, const QString &entry);

// --- shift or clarifier in shiftRaw: direction and amount share one field ---
template <typename Record> ShiftDirectionOption shiftDirection(const Record &record);
template <typename Record> Record withShiftDirection(Record record, ShiftDirectionOption direction);
template <typename Record> QString shiftAmount(const Record &record);
template <typename Record> Record withShiftAmount(Record record, const QString &amount);

// --- FT-991A repeater shift, the last flag digit ---
template <typename Record> ShiftDirectionOption repeaterShift(const Record &record);
template <typename Record> Record withRepeaterShift(Record record, ShiftDirectionOption direction);

// The table's "Ablage" column: the repeater shift while the FT-991A columns are shown,
// the offset direction otherwise.
ShiftDirectionOption tableShift(const RadioMemory &memory, RadioModel shownModel);
RadioMemory withTableShift(RadioMemory memory, RadioModel shownModel, ShiftDirectionOption direction);

// --- FT-991A tone state: mode digit in the flags, number kind and code ---
template <typename Record> FT991AToneSqlOption toneSqlMode(const Record &record);
template <typename Record> Record withToneSqlMode(Record record, FT991AToneSqlOption mode);
template <typename Record> FT991AToneSystem toneSystem(const Record &record);
template <typename Record> Record withToneSystem(Record record, FT991AToneSystem system);
template <typename Record> bool openingTone(const Record &record);
template <typename Record> Record withOpeningTone(Record record, bool on);
template <typename Record> bool squelchDecode(const Record &record);
template <typename Record> Record withSquelchDecode(Record record, bool on);
template <typename Record> QString toneNumber(const Record &record);
template <typename Record> Record withToneNumber(Record record, const QString &code);

// The tone-number picker of the current mode: its title and the table it offers.
struct ToneNumberPicker {
    QString title;
    const QList<FT991AToneCodeOption> *options;
};
template <typename Record> std::optional<ToneNumberPicker> toneNumberPicker(const Record &record);
// The label of the record's tone number, "Nicht aktiv" when its mode uses none.
QString toneLabel(const MemoryDraft &draft);

} // namespace FieldBindings
