#include "Editors/MemoryCell.h"

#include "Editors/FieldBindings.h"
#include "Localization/L.h"
#include "Model/MemoryDraft.h"

using namespace FieldBindings;

namespace MemoryCell {

QString enhancedSummary(const RadioMemory &memory) {
    QStringList parts{memory.summary()};
    if (memory.radioModel == RadioModel::ft991a) {
        const MemoryDraft draft(memory);
        parts << MemoryDraft::ft991ToneSummary(draft) << MemoryDraft::ft991ClarifierSummary(draft);
    }
    return parts.join(QStringLiteral(" · "));
}

QVariant value(const RadioMemory &memory, MemoryColumn column, RadioModel shown) {
    switch (column) {
    case MemoryColumn::slot:
        return memory.slot;
    case MemoryColumn::name:
        return memory.tag;
    case MemoryColumn::rx:
        return frequency(memory);
    case MemoryColumn::mode:
        return memory.modeCode;
    case MemoryColumn::shift:
        return rawValue(tableShift(memory, shown));
    case MemoryColumn::shiftAmount:
    case MemoryColumn::clarifierAmount:
        return shiftAmount(memory);
    case MemoryColumn::shiftRaw:
        return memory.shiftRaw;
    case MemoryColumn::flagsRaw:
        return memory.flagsRaw;
    case MemoryColumn::toneSql:
        return rawValue(toneSqlMode(memory));
    case MemoryColumn::toneSystem:
        return rawValue(toneSystem(memory));
    case MemoryColumn::openingTone:
        return openingTone(memory);
    case MemoryColumn::sqlDecode:
        return squelchDecode(memory);
    case MemoryColumn::toneNumber:
        return toneNumber(memory);
    case MemoryColumn::clarifier:
        return rawValue(shiftDirection(memory));
    case MemoryColumn::empty:
        return memory.isEmpty;
    case MemoryColumn::summary:
        return enhancedSummary(memory);
    case MemoryColumn::action:
        return {};
    }
    return {};
}

std::optional<RadioMemory> edited(const RadioMemory &memory, MemoryColumn column, const QVariant &value,
                                  RadioModel shown) {
    const QString text = value.toString();
    const auto direction = shiftDirectionOptionFromRawValue(text);
    RadioMemory changed = memory;
    switch (column) {
    case MemoryColumn::name:
        changed.tag = text;
        return changed;
    case MemoryColumn::rx:
        return withFrequency(memory, text);
    case MemoryColumn::mode:
        changed.modeCode = text;
        return changed;
    case MemoryColumn::shift:
        return direction ? std::optional(withTableShift(memory, shown, *direction)) : std::nullopt;
    case MemoryColumn::clarifier:
        return direction ? std::optional(withShiftDirection(memory, *direction)) : std::nullopt;
    case MemoryColumn::shiftAmount:
    case MemoryColumn::clarifierAmount:
        return withShiftAmount(memory, text);
    case MemoryColumn::shiftRaw:
        changed.shiftRaw = text;
        return changed;
    case MemoryColumn::flagsRaw:
        changed.flagsRaw = text;
        return changed;
    case MemoryColumn::toneSql: {
        const auto mode = ft991aToneSqlOptionFromRawValue(text);
        return mode ? std::optional(withToneSqlMode(memory, *mode)) : std::nullopt;
    }
    case MemoryColumn::toneSystem: {
        const auto system = ft991aToneSystemFromRawValue(text);
        return system ? std::optional(withToneSystem(memory, *system)) : std::nullopt;
    }
    case MemoryColumn::openingTone:
        return withOpeningTone(memory, value.toBool());
    case MemoryColumn::sqlDecode:
        return withSquelchDecode(memory, value.toBool());
    case MemoryColumn::toneNumber:
        return withToneNumber(memory, text);
    case MemoryColumn::empty:
        changed.isEmpty = value.toBool();
        return changed;
    case MemoryColumn::slot:
    case MemoryColumn::summary:
    case MemoryColumn::action:
        return std::nullopt;
    }
    return std::nullopt;
}

// Found without making the entries the picker offers.
QString pickerText(const RadioMemory &memory, MemoryColumn column, RadioModel shown) {
    switch (column) {
    case MemoryColumn::toneSql:
        return title(toneSqlMode(memory));
    case MemoryColumn::toneSystem:
        return title(toneSystem(memory));
    case MemoryColumn::toneNumber: {
        const std::optional<ToneNumberPicker> picker = toneNumberPicker(memory);
        if (!picker)
            return loc(QStringLiteral("Nicht aktiv"));
        const QString code = toneNumber(memory);
        const auto entry =
            std::find_if(picker->options->cbegin(), picker->options->cend(),
                         [&](const FT991AToneCodeOption &option) { return option.code == code; });
        return entry == picker->options->cend() ? QString() : entry->title();
    }
    default:
        return PickerItems::textOfTag(pickerItems(memory, column, shown),
                                      value(memory, column, shown).toString());
    }
}

QList<PickerItem> pickerItems(const RadioMemory &memory, MemoryColumn column, RadioModel shown) {
    switch (column) {
    case MemoryColumn::mode:
        return PickerItems::modes(shown);
    case MemoryColumn::shift:
    case MemoryColumn::clarifier:
        return PickerItems::shiftDirections();
    case MemoryColumn::toneSql:
        return PickerItems::toneSqlModes();
    case MemoryColumn::toneSystem:
        return PickerItems::toneSystems();
    case MemoryColumn::toneNumber: {
        const std::optional<ToneNumberPicker> picker = toneNumberPicker(memory);
        return picker ? PickerItems::toneNumbers(*picker->options) : QList<PickerItem>();
    }
    default:
        return {};
    }
}

} // namespace MemoryCell
