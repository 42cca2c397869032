#include "Editors/FieldBindings.h"

#include "Localization/L.h"
#include "Model/TextOps.h"

namespace FieldBindings {

namespace {

// A mode change rewrites the flags (repeater shift kept) and keeps the number kind and
// tone code in step with the new mode.
template <typename Record> Record withToneState(Record record, FT991AToneSqlOption mode) {
    const ShiftDirectionOption repeater = MemoryDraft::ft991aRepeaterShiftDirection(record.flagsRaw);
    record.flagsRaw = MemoryDraft::composeFT991Flags(record.flagsRaw, mode, repeater);
    record.toneNumberKindRaw = rawValue(numberKind(mode));
    if (numberKind(mode) == FT991AToneNumberKind::none)
        record.toneNumberCode = QStringLiteral("000");
    else if (TextOps::numericCharacters(record.toneNumberCode).isEmpty())
        record.toneNumberCode = MemoryDraft::defaultToneCode(mode);
    return record;
}

QString threeDigitToneCode(const QString &text) {
    return TextOps::fixedDigits(text, 3);
}

} // namespace

QString frequency(const RadioMemory &memory) {
    return MemoryDraft::displayFrequency(memory.frequency);
}

RadioMemory withFrequency(RadioMemory memory, const QString &entry) {
    memory.frequency = MemoryDraft::stripLeadingZeros(TextOps::numericCharacters(entry));
    memory.isEmpty = memory.frequency.isEmpty();
    return memory;
}

template <typename Record> ShiftDirectionOption shiftDirection(const Record &record) {
    return MemoryDraft::shiftDirection(record.shiftRaw);
}

template <typename Record> Record withShiftDirection(Record record, ShiftDirectionOption direction) {
    record.shiftRaw = MemoryDraft::composeShiftRaw(direction, MemoryDraft::shiftAmount(record.shiftRaw));
    return record;
}

template <typename Record> QString shiftAmount(const Record &record) {
    return MemoryDraft::shiftAmount(record.shiftRaw);
}

template <typename Record> Record withShiftAmount(Record record, const QString &amount) {
    ShiftDirectionOption direction = MemoryDraft::shiftDirection(record.shiftRaw);
    // A zero amount decodes as simplex; keeping that direction would swallow every amount
    // typed into a simplex channel, so a new amount starts out as "+".
    if (direction == ShiftDirectionOption::simplex)
        direction = ShiftDirectionOption::plus;
    record.shiftRaw = MemoryDraft::composeShiftRaw(direction, amount);
    return record;
}

template <typename Record> ShiftDirectionOption repeaterShift(const Record &record) {
    return MemoryDraft::ft991aRepeaterShiftDirection(record.flagsRaw);
}

template <typename Record> Record withRepeaterShift(Record record, ShiftDirectionOption direction) {
    record.flagsRaw = MemoryDraft::composeFT991Flags(
        record.flagsRaw, MemoryDraft::ft991aToneSqlMode(record.flagsRaw), direction);
    return record;
}

ShiftDirectionOption tableShift(const RadioMemory &memory, RadioModel shownModel) {
    return shownModel == RadioModel::ft991a ? repeaterShift(memory) : shiftDirection(memory);
}

RadioMemory withTableShift(RadioMemory memory, RadioModel shownModel, ShiftDirectionOption direction) {
    return shownModel == RadioModel::ft991a ? withRepeaterShift(std::move(memory), direction)
                                            : withShiftDirection(std::move(memory), direction);
}

template <typename Record> FT991AToneSqlOption toneSqlMode(const Record &record) {
    return MemoryDraft::ft991aToneSqlMode(record.flagsRaw);
}

template <typename Record> Record withToneSqlMode(Record record, FT991AToneSqlOption mode) {
    return withToneState(std::move(record), mode);
}

template <typename Record> FT991AToneSystem toneSystem(const Record &record) {
    return ::toneSystem(toneSqlMode(record));
}

template <typename Record> Record withToneSystem(Record record, FT991AToneSystem system) {
    const FT991AToneSqlOption current = toneSqlMode(record);
    const bool off = system == FT991AToneSystem::off;
    // Choosing a system while the mode is off starts with its encode-only mode.
    const bool opening =
        !off && (::toneSystem(current) == FT991AToneSystem::off || openingToneEnabled(current));
    const bool decode = !off && squelchDecodeEnabled(current);
    return withToneState(std::move(record), composeFT991AToneSqlOption(system, opening, decode));
}

template <typename Record> bool openingTone(const Record &record) {
    return openingToneEnabled(toneSqlMode(record));
}

template <typename Record> Record withOpeningTone(Record record, bool on) {
    const FT991AToneSqlOption current = toneSqlMode(record);
    return withToneState(std::move(record), composeFT991AToneSqlOption(::toneSystem(current), on,
                                                                       on && squelchDecodeEnabled(current)));
}

template <typename Record> bool squelchDecode(const Record &record) {
    return squelchDecodeEnabled(toneSqlMode(record));
}

template <typename Record> Record withSquelchDecode(Record record, bool on) {
    const FT991AToneSqlOption current = toneSqlMode(record);
    const FT991AToneSystem system = ::toneSystem(current);
    const bool opening = system != FT991AToneSystem::off && (on || openingToneEnabled(current));
    return withToneState(std::move(record), composeFT991AToneSqlOption(system, opening, on));
}

template <typename Record> QString toneNumber(const Record &record) {
    return threeDigitToneCode(record.toneNumberCode);
}

template <typename Record> Record withToneNumber(Record record, const QString &code) {
    record.toneNumberCode = threeDigitToneCode(code);
    record.toneNumberKindRaw = rawValue(numberKind(toneSqlMode(record)));
    return record;
}

template <typename Record> std::optional<ToneNumberPicker> toneNumberPicker(const Record &record) {
    switch (numberKind(toneSqlMode(record))) {
    case FT991AToneNumberKind::ctcss:
        return ToneNumberPicker{loc(QStringLiteral("CTCSS-Ton")), &MemoryDraft::ft991aCtcssOptions()};
    case FT991AToneNumberKind::dcs:
        return ToneNumberPicker{loc(QStringLiteral("DCS-Code")), &MemoryDraft::ft991aDcsOptions()};
    case FT991AToneNumberKind::none:
        break;
    }
    return std::nullopt;
}

QString toneLabel(const MemoryDraft &draft) {
    const FT991AToneSqlOption mode = toneSqlMode(draft);
    if (numberKind(mode) == FT991AToneNumberKind::none)
        return loc(QStringLiteral("Nicht aktiv"));
    return MemoryDraft::ft991aToneLabel(mode, draft.toneNumberCode);
}

#define KORVEL_FIELD_BINDINGS_FOR(Record)                                                                    \
    template ShiftDirectionOption shiftDirection(const Record &);                                            \
    template Record withShiftDirection(Record, ShiftDirectionOption);                                        \
    template QString shiftAmount(const Record &);                                                            \
    template Record withShiftAmount(Record, const QString &);                                                \
    template ShiftDirectionOption repeaterShift(const Record &);                                             \
    template Record withRepeaterShift(Record, ShiftDirectionOption);                                         \
    template FT991AToneSqlOption toneSqlMode(const Record &);                                                \
    template Record withToneSqlMode(Record, FT991AToneSqlOption);                                            \
    template FT991AToneSystem toneSystem(const Record &);                                                    \
    template Record withToneSystem(Record, FT991AToneSystem);                                                \
    template bool openingTone(const Record &);                                                               \
    template Record withOpeningTone(Record, bool);                                                           \
    template bool squelchDecode(const Record &);                                                             \
    template Record withSquelchDecode(Record, bool);                                                         \
    template QString toneNumber(const Record &);                                                             \
    template Record withToneNumber(Record, const QString &);                                                 \
    template std::optional<ToneNumberPicker> toneNumberPicker(const Record &);

KORVEL_FIELD_BINDINGS_FOR(RadioMemory)
KORVEL_FIELD_BINDINGS_FOR(MemoryDraft)

} // namespace FieldBindings
