#include "Editors/MemoryColumn.h"

const QList<MemoryColumn> &memoryColumns(RadioModel model) {
    using C = MemoryColumn;
    static const QList<MemoryColumn> ft710{C::slot,  C::name,        C::rx,       C::mode,
                                           C::shift, C::shiftAmount, C::shiftRaw, C::flagsRaw,
                                           C::empty, C::summary,     C::action};
    static const QList<MemoryColumn> ft991a{C::slot,       C::name,
                                            C::rx,         C::mode,
                                            C::shift,      C::shiftRaw,
                                            C::flagsRaw,   C::toneSql,
                                            C::toneSystem, C::openingTone,
                                            C::sqlDecode,  C::toneNumber,
                                            C::clarifier,  C::clarifierAmount,
                                            C::empty,      C::summary,
                                            C::action};
    return model == RadioModel::ft991a ? ft991a : ft710;
}

namespace {

struct ColumnLook {
    const char *title;
    int width;
};

ColumnLook look(MemoryColumn column) {
    switch (column) {
    case MemoryColumn::slot:
        return {"Kanal", 58};
    case MemoryColumn::name:
        return {"Name", 170};
    case MemoryColumn::rx:
        return {"RX", 130};
    case MemoryColumn::mode:
        return {"Mode", 140};
    case MemoryColumn::shift:
        return {"Ablage", 100};
    case MemoryColumn::shiftAmount:
        return {"Ablage-Betrag", 120};
    case MemoryColumn::shiftRaw:
        return {"Shift Raw", 120};
    case MemoryColumn::flagsRaw:
        return {"Flags Raw", 120};
    case MemoryColumn::toneSql:
        return {"Ton/SQL", 150};
    case MemoryColumn::toneSystem:
        return {"Tonsystem", 120};
    case MemoryColumn::openingTone:
        return {"Öffnung", 85};
    case MemoryColumn::sqlDecode:
        return {"SQL-Decode", 95};
    case MemoryColumn::toneNumber:
        return {"CTCSS/DCS", 130};
    case MemoryColumn::clarifier:
        return {"Clarifier", 100};
    case MemoryColumn::clarifierAmount:
        return {"Clarifier Betrag", 120};
    case MemoryColumn::empty:
        return {"Leer", 70};
    case MemoryColumn::summary:
        return {"Zusammenfassung", 320};
    case MemoryColumn::action:
        return {"Aktion", 110};
    }
    return {"", 0};
}

} // namespace

QString titleKey(MemoryColumn column) {
    return QString::fromUtf8(look(column).title);
}

int width(MemoryColumn column) {
    return look(column).width;
}
