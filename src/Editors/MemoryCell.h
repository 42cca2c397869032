#pragma once

#include "Editors/MemoryColumn.h"
#include "Editors/PickerItems.h"
#include "Model/RadioMemory.h"

#include <QVariant>
#include <optional>

// What one cell of the memory table shows and how an entry in it changes its row, through the
// field bindings. `shown` is the model whose columns the table shows.
namespace MemoryCell {

// The summary: the channel summary, for an FT-991A channel followed by the tone and clarifier
// lines of the detail editor.
QString enhancedSummary(const RadioMemory &memory);
// The cell's value as an editor takes it: a text, a picker's tag or a switch's state.
QVariant value(const RadioMemory &memory, MemoryColumn column, RadioModel shown);
// The row with `value` entered in the cell; none when the cell takes no entry or not this one.
std::optional<RadioMemory> edited(const RadioMemory &memory, MemoryColumn column, const QVariant &value,
                                  RadioModel shown);
// The text of the entry a picker cell shows, and the entries it offers.
QString pickerText(const RadioMemory &memory, MemoryColumn column, RadioModel shown);
QList<PickerItem> pickerItems(const RadioMemory &memory, MemoryColumn column, RadioModel shown);

} // namespace MemoryCell
