#pragma once

#include "Model/RadioModel.h"

#include <QList>
#include <QString>

// The columns of the memory table. Both models share the head and the tail; the block
// between them is the model's own.
enum class MemoryColumn {
    slot,
    name,
    rx,
    mode,
    shift,
    shiftAmount,
    shiftRaw,
    flagsRaw,
    toneSql,
    toneSystem,
    openingTone,
    sqlDecode,
    toneNumber,
    clarifier,
    clarifierAmount,
    empty,
    summary,
    action,
};

// The columns shown while `model` is selected, left to right.
const QList<MemoryColumn> &memoryColumns(RadioModel model);
// The German title (a translation key).
QString titleKey(MemoryColumn column);
// The column's width in pixels.
int width(MemoryColumn column);
