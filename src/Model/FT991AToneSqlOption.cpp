#include "Model/FT991AToneSqlOption.h"

#include "Localization/L.h"

#include <array>

namespace {

struct ToneSqlRow {
    FT991AToneSqlOption option;
    const char *code;
    const char *title;
    FT991AToneSystem system;
    bool openingTone;
    bool squelchDecode;
    FT991AToneNumberKind kind;
};

constexpr std::array<ToneSqlRow, 5> toneSqlRows{{
    {FT991AToneSqlOption::off, "0", "Aus", FT991AToneSystem::off, false, false, FT991AToneNumberKind::none},
    {FT991AToneSqlOption::ctcssEncDec, "1", "CTCSS ENC/DEC", FT991AToneSystem::ctcss, true, true,
     FT991AToneNumberKind::ctcss},
    {FT991AToneSqlOption::ctcssEnc, "2", "CTCSS ENC", FT991AToneSystem::ctcss, true, false,
     FT991AToneNumberKind::ctcss},
    {FT991AToneSqlOption::dcsEncDec, "3", "DCS ENC/DEC", FT991AToneSystem::dcs, true, true,
     FT991AToneNumberKind::dcs},
    {FT991AToneSqlOption::dcsEnc, "4", "DCS ENC", FT991AToneSystem::dcs, true, false,
     FT991AToneNumberKind::dcs},
}};

const ToneSqlRow &rowOf(FT991AToneSqlOption option) {
    return toneSqlRows[static_cast<std::size_t>(option)];
}

} // namespace

QString rawValue(FT991AToneSqlOption option) {
    return QString::fromLatin1(rowOf(option).code);
}

QString title(FT991AToneSqlOption option) {
    return loc(QString::fromLatin1(rowOf(option).title));
}

FT991AToneSystem toneSystem(FT991AToneSqlOption option) {
    return rowOf(option).system;
}

bool openingToneEnabled(FT991AToneSqlOption option) {
    return rowOf(option).openingTone;
}

bool squelchDecodeEnabled(FT991AToneSqlOption option) {
    return rowOf(option).squelchDecode;
}

FT991AToneNumberKind numberKind(FT991AToneSqlOption option) {
    return rowOf(option).kind;
}

std::optional<FT991AToneSqlOption> ft991aToneSqlOptionFromRawValue(const QString &raw) {
    for (const ToneSqlRow &row : toneSqlRows) {
        if (raw == QLatin1String(row.code))
            return row.option;
    }
    return std::nullopt;
}

const QList<FT991AToneSqlOption> &allFT991AToneSqlOptions() {
    static const QList<FT991AToneSqlOption> all = [] {
        QList<FT991AToneSqlOption> list;
        for (const ToneSqlRow &row : toneSqlRows)
            list.append(row.option);
        return list;
    }();
    return all;
}

FT991AToneSqlOption composeFT991AToneSqlOption(FT991AToneSystem system, bool openingTone,
                                               bool squelchDecode) {
    if (system == FT991AToneSystem::off || (!openingTone && !squelchDecode))
        return FT991AToneSqlOption::off;
    if (system == FT991AToneSystem::ctcss)
        return squelchDecode ? FT991AToneSqlOption::ctcssEncDec : FT991AToneSqlOption::ctcssEnc;
    return squelchDecode ? FT991AToneSqlOption::dcsEncDec : FT991AToneSqlOption::dcsEnc;
}
