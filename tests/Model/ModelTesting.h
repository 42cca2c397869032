#pragma once

// Small fixtures shared by the radio data model tests.

#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/RadioMemory.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

// Stores the user-interface language choice, as the language pickers do.
inline void setLanguage(const QString &language) {
    UserDefaults::setValue(L::userDefaultsLanguageKey(), language);
}

// A copy of `memory` with the fields named by their JSON keys replaced.
inline RadioMemory changed(const RadioMemory &memory, const QJsonObject &fields) {
    QJsonObject json = memory.toJson();
    for (auto field = fields.begin(); field != fields.end(); ++field)
        json.insert(field.key(), field.value());
    return RadioMemory::fromJson(json);
}

// An occupied FM channel with a minus shift, CTCSS tone 008 and a tag.
inline RadioMemory channel(RadioModel model, const QJsonObject &fields = {}) {
    const RadioMemory memory{.slot = u"001"_s,
                             .radioModel = model,
                             .frequency = u"145500000"_s,
                             .shiftRaw = u"-000600"_s,
                             .modeCode = u"4"_s,
                             .flagsRaw = u"01002"_s,
                             .toneNumberKindRaw = u"0"_s,
                             .toneNumberCode = u"008"_s,
                             .tag = u"DB0XYZ"_s,
                             .isEmpty = false};
    return changed(memory, fields);
}
