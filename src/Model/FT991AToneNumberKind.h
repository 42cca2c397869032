#pragma once

#include <QString>
#include <optional>

// Which FT-991A table a channel's tone number indexes. The raw value is what
// `RadioMemory::toneNumberKindRaw` holds; the empty text is the valid raw value of `none`.
enum class FT991AToneNumberKind {
    none,
    ctcss,
    dcs,
};

QString rawValue(FT991AToneNumberKind kind);
// What follows "CN0" in the tone-number command; empty for `none` (no tone-number command).
inline QString commandCode(FT991AToneNumberKind kind) {
    return rawValue(kind);
}
// "" gives `none`, "0" `ctcss`, "1" `dcs`; anything else no kind.
std::optional<FT991AToneNumberKind> ft991aToneNumberKindFromRawValue(const QString &raw);
