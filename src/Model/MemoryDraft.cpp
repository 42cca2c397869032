#include "Model/MemoryDraft.h"

#include "Localization/L.h"
#include "Model/RadioError.h"
#include "Model/TextOps.h"

#include <algorithm>

namespace {

constexpr int maximumFrequencyDigits = 9;
constexpr int maximumTagLength = 12;

// A plain decimal parse over the ASCII digits gives zero only for a run of "0" characters.
bool readsAsZero(const QString &digits) {
    return !digits.isEmpty() &&
           std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c == u'0'; });
}

bool isModeLetter(const QString &character) {
    const QString normalized = TextOps::canonicalForm(character);
    return normalized >= QStringLiteral("A") && normalized <= QStringLiteral("E");
}

// The first numeric character or letter from "A" to "E" of the upper-cased code; "4" when none.
QString normalizedModeCode(const QString &modeCode) {
    for (const QString &character : TextOps::characters(TextOps::upperCased(modeCode))) {
        if (TextOps::isNumeric(character) || isModeLetter(character))
            return character;
    }
    return QStringLiteral("4");
}

FT991AToneNumberKind toneNumberKind(RadioModel model, const QString &flags) {
    return model == RadioModel::ft991a ? numberKind(MemoryDraft::ft991aToneSqlMode(flags))
                                       : FT991AToneNumberKind::none;
}

} // namespace

MemoryDraft::MemoryDraft(const RadioMemory &memory)
    : slot(memory.slot)
    , radioModel(memory.radioModel)
    , frequency(displayFrequency(memory.frequency))
    , shiftRaw(memory.shiftRaw)
    , modeCode(memory.modeCode)
    , flagsRaw(memory.flagsRaw)
    , toneNumberKindRaw(memory.toneNumberKindRaw)
    , toneNumberCode(memory.toneNumberCode)
    , tag(memory.tag)
    , isEmpty(memory.isEmpty) {
}

MemoryDraft::MemoryDraft(const QString &slot, RadioModel radioModel)
    : MemoryDraft(RadioMemory::empty(slot, radioModel)) {
}

RadioMemory MemoryDraft::validated() const {
    const QString digits = TextOps::numericCharacters(frequency);
    if (TextOps::characterCount(digits) > maximumFrequencyDigits) {
        throw RadioError::invalidMemory(L::text(QStringLiteral("Frequenz darf höchstens 9 Ziffern haben."),
                                                QStringLiteral("Frequency may contain at most 9 digits.")));
    }
    if (isEmpty && digits.isEmpty())
        return RadioMemory::empty(slot, radioModel);
    if (readsAsZero(digits)) {
        throw RadioError::invalidMemory(
            L::text(QStringLiteral("Frequenz 0 ist ungültig."), QStringLiteral("Frequency 0 is invalid.")));
    }
    const QString flags = TextOps::fixedDigits(flagsRaw, 5);
    const FT991AToneNumberKind kind = toneNumberKind(radioModel, flags);
    return RadioMemory{.slot = slot,
                       .radioModel = radioModel,
                       .frequency = TextOps::ifEmpty(stripLeadingZeros(digits), QStringLiteral("0")),
                       .shiftRaw = normalizeShiftRaw(shiftRaw),
                       .modeCode = normalizedModeCode(modeCode),
                       .flagsRaw = flags,
                       .toneNumberKindRaw = rawValue(kind),
                       .toneNumberCode = kind == FT991AToneNumberKind::none
                                             ? QStringLiteral("000")
                                             : TextOps::fixedDigits(toneNumberCode, 3),
                       .tag = TextOps::prefix(tag, maximumTagLength),
                       .isEmpty = digits.isEmpty()};
}

bool MemoryDraft::differs(const std::optional<RadioMemory> &from) const {
    if (!from)
        return true;
    try {
        return !validated().sameChannel(*from);
    } catch (const RadioError &) {
        return true;
    }
}

bool MemoryDraft::operator==(const MemoryDraft &other) const {
    return sameMemoryFields(*this, other);
}

QString MemoryDraft::stripLeadingZeros(const QString &text) {
    const QStringList digits = TextOps::characters(TextOps::numericCharacters(text));
    if (digits.isEmpty())
        return QString();
    const auto firstNonZero =
        std::find_if(digits.cbegin(), digits.cend(), [](const QString &digit) { return digit != u"0"; });
    if (firstNonZero == digits.cend())
        return QStringLiteral("0");
    return QStringList(firstNonZero, digits.cend()).join(QString());
}

// Leading zeros of a stored frequency never reach an editor.
QString MemoryDraft::displayFrequency(const QString &text) {
    return stripLeadingZeros(text);
}

FT991AToneSqlOption MemoryDraft::ft991aToneSqlMode(const QString &flags) {
    const QString modeDigit = TextOps::characters(TextOps::fixedDigits(flags, 5)).value(1);
    return ft991aToneSqlOptionFromCode(modeDigit).value_or(FT991AToneSqlOption::off);
}
