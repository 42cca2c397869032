#include "Model/FT991AToneSqlOption.h"

#include "Localization/EnumTable.h"
#include "Localization/L.h"

namespace {

struct ToneSqlRow {
    FT991AToneSqlOption value;
    QString raw;
    QString title;
    FT991AToneSystem system;
    bool openingTone;
    bool squelchDecode;
    FT991AToneNumberKind kind;
};

const EnumTable<FT991AToneSqlOption, ToneSqlRow> &table() {
    static const EnumTable<FT991AToneSqlOption, ToneSqlRow> rows{
        {FT991AToneSqlOption::off, "0", "Aus", FT991AToneSystem::off, false, false,
         FT991AToneNumberKind::none},
        {FT991AToneSqlOption::ctcssEncDec, "1", "CTCSS ENC/DEC", FT991AToneSystem::ctcss, true, true,
         FT991AToneNumberKind::ctcss},
        {FT991AToneSqlOption::ctcssEnc, "2", "CTCSS ENC", FT991AToneSystem::ctcss, true, false,
         FT991AToneNumberKind::ctcss},
        {FT991AToneSqlOption::dcsEncDec, "3", "DCS ENC/DEC", FT991AToneSystem::dcs, true, true,
         FT991AToneNumberKind::dcs},
        {FT991AToneSqlOption::dcsEnc, "4", "DCS ENC", FT991AToneSystem::dcs, true, false,
         FT991AToneNumberKind::dcs},
    };
    return rows;
}

} // namespace

QString rawValue(FT991AToneSqlOption option) {
    return table().rawValue(option);
}

QString title(FT991AToneSqlOption option) {
    return loc(table()[option].title);
}

FT991AToneSystem toneSystem(FT991AToneSqlOption option) {
    return table()[option].system;
}

bool openingToneEnabled(FT991AToneSqlOption option) {
    return table()[option].openingTone;
}

bool squelchDecodeEnabled(FT991AToneSqlOption option) {
    return table()[option].squelchDecode;
}

FT991AToneNumberKind numberKind(FT991AToneSqlOption option) {
    return table()[option].kind;
}

std::optional<FT991AToneSqlOption> ft991aToneSqlOptionFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}

const QList<FT991AToneSqlOption> &allFT991AToneSqlOptions() {
    return table().values();
}

FT991AToneSqlOption composeFT991AToneSqlOption(FT991AToneSystem system, bool openingTone,
                                               bool squelchDecode) {
    if (system == FT991AToneSystem::off || (!openingTone && !squelchDecode))
        return FT991AToneSqlOption::off;
    if (system == FT991AToneSystem::ctcss)
        return squelchDecode ? FT991AToneSqlOption::ctcssEncDec : FT991AToneSqlOption::ctcssEnc;
    return squelchDecode ? FT991AToneSqlOption::dcsEncDec : FT991AToneSqlOption::dcsEnc;
}
