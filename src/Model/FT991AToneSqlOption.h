#pragma once

#include "Model/FT991AToneNumberKind.h"
#include "Model/FT991AToneSystem.h"

#include <QList>
#include <QString>
#include <optional>

// The FT-991A tone/squelch mode: the second of the five flag digits of a memory channel.
enum class FT991AToneSqlOption {
    off,
    ctcssEncDec,
    ctcssEnc,
    dcsEncDec,
    dcsEnc,
};

// "0" to "4".
QString rawValue(FT991AToneSqlOption option);
inline QString code(FT991AToneSqlOption option) {
    return rawValue(option);
}
inline QString id(FT991AToneSqlOption option) {
    return rawValue(option);
}
// The display name in the current UI language.
QString title(FT991AToneSqlOption option);
FT991AToneSystem toneSystem(FT991AToneSqlOption option);
bool openingToneEnabled(FT991AToneSqlOption option);
bool squelchDecodeEnabled(FT991AToneSqlOption option);
FT991AToneNumberKind numberKind(FT991AToneSqlOption option);

// Exact match of "0" to "4"; callers take no value as `off`.
std::optional<FT991AToneSqlOption> ft991aToneSqlOptionFromRawValue(const QString &raw);
inline std::optional<FT991AToneSqlOption> ft991aToneSqlOptionFromCode(const QString &code) {
    return ft991aToneSqlOptionFromRawValue(code);
}
// The five modes in the order of the editors' mode picker.
const QList<FT991AToneSqlOption> &allFT991AToneSqlOptions();

// The mode of the editors' three controls. Squelch decode decides between the encode-and-decode
// and the encode-only mode; with both switches off, or the system off, the mode is `off`.
FT991AToneSqlOption composeFT991AToneSqlOption(FT991AToneSystem system, bool openingTone, bool squelchDecode);
