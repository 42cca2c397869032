#pragma once

#include "Model/RadioMemory.h"

#include <QJsonObject>

// A copy of `memory` with the fields named by their JSON keys replaced.
inline RadioMemory withFields(const RadioMemory &memory, const QJsonObject &fields) {
    QJsonObject json = memory.toJson();
    for (auto field = fields.begin(); field != fields.end(); ++field)
        json.insert(field.key(), field.value());
    return RadioMemory::fromJson(json);
}

// The one memory record of the tests: channel 001 on 145.5 MHz FM, shift "-000600", flags "01002"
// (CTCSS ENC/DEC on the FT-991A), tone 008 and the tag DB0XYZ, with the named fields replaced.
inline RadioMemory memoryRecord(RadioModel model, const QJsonObject &fields = {}) {
    const RadioMemory memory{.slot = QStringLiteral("001"),
                             .radioModel = model,
                             .frequency = QStringLiteral("145500000"),
                             .shiftRaw = QStringLiteral("-000600"),
                             .modeCode = QStringLiteral("4"),
                             .flagsRaw = QStringLiteral("01002"),
                             .toneNumberKindRaw = QStringLiteral("0"),
                             .toneNumberCode = QStringLiteral("008"),
                             .tag = QStringLiteral("DB0XYZ"),
                             .isEmpty = false};
    return withFields(memory, fields);
}
