#include "Model/MemoryDraft.h"

#include "Localization/L.h"
#include "Model/TextOps.h"

namespace {

const QString noShift = QStringLiteral("+000000");

QString sixDigitAmount(const QString &text) {
    return TextOps::fixedDigits(text, 6);
}

bool isZeroAmount(const QString &amount) {
    return amount == u"000000";
}

// The sign is the first character once white space and line breaks are trimmed; no sign is plus.
ShiftDirectionOption signDirection(const QString &text) {
    return TextOps::prefix(TextOps::trimmedWhitespacesAndNewlines(text), 1) == u"-"
               ? ShiftDirectionOption::minus
               : ShiftDirectionOption::plus;
}

QString normalizedFlagAt(const QString &flags, qsizetype position) {
    return TextOps::characters(TextOps::fixedDigits(flags, 5)).value(position);
}

QString repeaterShiftDigit(ShiftDirectionOption direction) {
    switch (direction) {
    case ShiftDirectionOption::plus:
        return QStringLiteral("1");
    case ShiftDirectionOption::minus:
        return QStringLiteral("2");
    case ShiftDirectionOption::simplex:
        break;
    }
    return QStringLiteral("0");
}

} // namespace

QString MemoryDraft::normalizeShiftRaw(const QString &text) {
    return composeShiftRaw(signDirection(text), text);
}

ShiftDirectionOption MemoryDraft::shiftDirection(const QString &shiftRaw) {
    return isZeroAmount(sixDigitAmount(shiftRaw)) ? ShiftDirectionOption::simplex : signDirection(shiftRaw);
}

QString MemoryDraft::shiftAmount(const QString &shiftRaw) {
    const QString amount = stripLeadingZeros(sixDigitAmount(shiftRaw));
    return amount == u"0" ? QString() : amount;
}

QString MemoryDraft::composeShiftRaw(ShiftDirectionOption direction, const QString &amount) {
    const QString digits = sixDigitAmount(amount);
    if (direction == ShiftDirectionOption::simplex || isZeroAmount(digits))
        return noShift;
    return (direction == ShiftDirectionOption::minus ? QStringLiteral("-") : QStringLiteral("+")) + digits;
}

ShiftDirectionOption MemoryDraft::ft991aRepeaterShiftDirection(const QString &flags) {
    const QString digit = normalizedFlagAt(flags, 4);
    if (digit == u"1")
        return ShiftDirectionOption::plus;
    if (digit == u"2")
        return ShiftDirectionOption::minus;
    return ShiftDirectionOption::simplex;
}

QString MemoryDraft::composeFT991Flags(const QString &existing, FT991AToneSqlOption toneSql,
                                       ShiftDirectionOption repeaterShift) {
    return normalizedFlagAt(existing, 0) + code(toneSql) + QStringLiteral("00") +
           repeaterShiftDigit(repeaterShift);
}

QString MemoryDraft::ft991ClarifierSummary(const MemoryDraft &draft) {
    const QString shift = normalizeShiftRaw(draft.shiftRaw);
    const QString amount = shiftAmount(shift);
    if (amount.isEmpty())
        return loc(QStringLiteral("Clarifier aus"));
    return QStringLiteral("Clarifier ") + rawValue(shiftDirection(shift)) + amount;
}

QString MemoryDraft::ft991ToneSummary(const MemoryDraft &draft) {
    const FT991AToneSqlOption mode = ft991aToneSqlMode(draft.flagsRaw);
    const QString label = ft991aToneLabel(mode, draft.toneNumberCode);
    switch (mode) {
    case FT991AToneSqlOption::ctcssEncDec:
        return QStringLiteral("CTCSS + SQL · ") + label;
    case FT991AToneSqlOption::ctcssEnc:
        return L::text(QStringLiteral("CTCSS Öffnungston · "), QStringLiteral("CTCSS opening tone · ")) +
               label;
    case FT991AToneSqlOption::dcsEncDec:
        return QStringLiteral("DCS + SQL · ") + label;
    case FT991AToneSqlOption::dcsEnc:
        return L::text(QStringLiteral("DCS Öffnungston · "), QStringLiteral("DCS opening tone · ")) + label;
    case FT991AToneSqlOption::off:
        break;
    }
    return loc(QStringLiteral("Tonsystem aus"));
}
