#include "Model/MemoryDraft.h"
#include "Model/RadioMemory.h"

#include "Localization/L.h"
#include "Model/TextOps.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

const QString partSeparator = QStringLiteral(" \u00B7 ");

bool isAsciiDigits(const QString &text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString RadioMemory::summary() const {
    return frequency.isEmpty() ? loc(QStringLiteral("Leer")) : compactDetailSummary();
}

QString RadioMemory::compactDetailSummary() const {
    if (frequency.isEmpty())
        return loc(QStringLiteral("Leer"));
    QStringList parts{formattedFrequency(), modeDisplayName(), shiftDisplay()};
    if (radioModel == RadioModel::ft991a) {
        const QString tone = ft991aToneSummary();
        if (!tone.isEmpty() && tone != loc(QStringLiteral("Ton: Aus")))
            parts.append(tone);
        const QString clarifier = ft991aClarifierSummary();
        if (clarifier != loc(QStringLiteral("Clarifier aus")))
            parts.append(clarifier);
    }
    return parts.join(partSeparator);
}

QString RadioMemory::formattedFrequency() const {
    const QString digits = TextOps::numericCharacters(frequency);
    bool isNumber = false;
    const qlonglong hertz = isAsciiDigits(digits) ? digits.toLongLong(&isNumber) : 0;
    if (!isNumber)
        return frequency;
    // As printf's "%.6f" in the C locale: a decimal point whatever the locale, and an exact tie
    // rounded to even, where QString::number would round it up.
    std::array<char, 64> text;
    const std::to_chars_result end = std::to_chars(text.data(), text.data() + text.size(),
                                                   double(hertz) / 1000000.0, std::chars_format::fixed, 6);
    return QString::fromLatin1(text.data(), end.ptr - text.data()) + QStringLiteral(" MHz");
}

QString RadioMemory::modeDisplayName() const {
    if (const std::optional<RadioModeOption> mode = radioModeOptionFromCode(modeCode))
        return title(*mode);
    return L::text(QStringLiteral("Modus "), QStringLiteral("Mode ")) + modeCode;
}

QString RadioMemory::shiftDisplay() const {
    if (radioModel == RadioModel::ft991a) {
        const QString shiftCode = ft991aRepeaterShiftCode();
        if (shiftCode == u"1")
            return loc(QStringLiteral("+ Repeater"));
        if (shiftCode == u"2")
            return loc(QStringLiteral("- Repeater"));
        return loc(QStringLiteral("Simplex"));
    }
    const ShiftDirectionOption direction = MemoryDraft::shiftDirection(shiftRaw);
    const QString amount = MemoryDraft::shiftAmount(shiftRaw);
    if (direction == ShiftDirectionOption::simplex || amount.isEmpty() || amount == u"0")
        return loc(QStringLiteral("Simplex"));
    return rawValue(direction) + amount;
}

QString RadioMemory::ft991aToneSummary() const {
    if (radioModel != RadioModel::ft991a)
        return QString();
    const FT991AToneSqlOption mode = ft991aToneSqlMode();
    const QString tone = MemoryDraft::ft991aToneLabel(mode, toneNumberCode);
    switch (mode) {
    case FT991AToneSqlOption::ctcssEncDec:
        return QStringLiteral("CTCSS SQL ") + tone;
    case FT991AToneSqlOption::ctcssEnc:
        return QStringLiteral("CTCSS ") + tone;
    case FT991AToneSqlOption::dcsEncDec:
        return QStringLiteral("DCS SQL ") + tone;
    case FT991AToneSqlOption::dcsEnc:
        return QStringLiteral("DCS ") + tone;
    case FT991AToneSqlOption::off:
        break;
    }
    return loc(QStringLiteral("Ton: Aus"));
}

QString RadioMemory::ft991aClarifierSummary() const {
    return MemoryDraft::ft991ClarifierSummary(MemoryDraft(*this));
}
