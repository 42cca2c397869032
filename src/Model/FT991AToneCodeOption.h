#pragma once

#include "Model/FT991AToneNumberKind.h"

#include <QString>

// One selectable FT-991A tone number: a row of the CTCSS or the DCS table.
struct FT991AToneCodeOption {
    FT991AToneNumberKind kind;
    // The radio's three-digit tone number, "000" for a table's first row.
    QString code;
    // "67.0 Hz" for a CTCSS tone, "023" for a DCS code.
    QString label;

    // Kind raw value, ":", code: the same code has different identities in the two tables.
    QString id() const;
    // "000 · 67.0 Hz", "000 · DCS 023".
    QString title() const;

    // Kind, code and label; texts compare by canonical equivalence.
    bool operator==(const FT991AToneCodeOption &other) const;
};

// Kind, code and label in this order, the texts in their composed form, as equality has them.
size_t qHash(const FT991AToneCodeOption &option, size_t seed = 0);
