#include "Model/RadioMemory.h"

#include "Model/FT991AToneNumberKind.h"
#include "Model/StrictJson.h"
#include "Model/TextOps.h"

namespace {

const QString slotKey = QStringLiteral("slot");
const QString radioModelKey = QStringLiteral("radioModel");
const QString frequencyKey = QStringLiteral("frequency");
const QString shiftRawKey = QStringLiteral("shiftRaw");
const QString modeCodeKey = QStringLiteral("modeCode");
const QString flagsRawKey = QStringLiteral("flagsRaw");
const QString toneNumberKindRawKey = QStringLiteral("toneNumberKindRaw");
const QString toneNumberCodeKey = QStringLiteral("toneNumberCode");
const QString tagKey = QStringLiteral("tag");
const QString isEmptyKey = QStringLiteral("isEmpty");

// The first five flag characters, filled up on the left with "0"; nothing is filtered out.
QString paddedFlags(const QString &flagsRaw) {
    return TextOps::paddingLeft(TextOps::prefix(flagsRaw, 5), 5, QStringLiteral("0"));
}

// A combining mark at the front of short flags merges with the fill into one character, so the
// last position may be missing: it reads as "0".
QString paddedFlagAt(const QString &flagsRaw, qsizetype position) {
    return TextOps::characters(paddedFlags(flagsRaw)).value(position, QStringLiteral("0"));
}

} // namespace

RadioMemory RadioMemory::empty(const QString &slot, RadioModel model) {
    return RadioMemory{.slot = slot,
                       .radioModel = model,
                       .frequency = QString(),
                       .shiftRaw = QStringLiteral("+000000"),
                       .modeCode = QStringLiteral("4"),
                       .flagsRaw = QStringLiteral("10000"),
                       .toneNumberKindRaw = rawValue(FT991AToneNumberKind::none),
                       .toneNumberCode = QStringLiteral("000"),
                       .tag = QString(),
                       .isEmpty = true};
}

QString RadioMemory::slotText(int channel) {
    return QString::asprintf("%03d", channel);
}

QString RadioMemory::tailRaw() const {
    const QString mode = modeCode.isEmpty() ? QStringLiteral("4") : TextOps::prefix(modeCode, 1);
    return mode + paddedFlags(flagsRaw);
}

QString RadioMemory::ft991aToneSqlModeCode() const {
    return radioModel == RadioModel::ft991a ? paddedFlagAt(flagsRaw, 1) : QStringLiteral("0");
}

QString RadioMemory::ft991aRepeaterShiftCode() const {
    return radioModel == RadioModel::ft991a ? paddedFlagAt(flagsRaw, 4) : QStringLiteral("0");
}

FT991AToneSqlOption RadioMemory::ft991aToneSqlMode() const {
    return ft991aToneSqlOptionFromCode(ft991aToneSqlModeCode()).value_or(FT991AToneSqlOption::off);
}

QJsonObject RadioMemory::toJson() const {
    return QJsonObject{
        {slotKey, slot},
        {radioModelKey, rawValue(radioModel)},
        {frequencyKey, frequency},
        {shiftRawKey, shiftRaw},
        {modeCodeKey, modeCode},
        {flagsRawKey, flagsRaw},
        {toneNumberKindRawKey, toneNumberKindRaw},
        {toneNumberCodeKey, toneNumberCode},
        {tagKey, tag},
        {isEmptyKey, isEmpty},
    };
}

RadioMemory RadioMemory::fromJson(const QJsonValue &value) {
    using namespace StrictJson;
    const QJsonObject json = object(value);
    // Designated initializers run in declaration order: the keys are read in table order.
    return RadioMemory{
        .slot = requiredString(json, slotKey),
        .radioModel = requiredRadioModel(json, radioModelKey),
        .frequency = requiredString(json, frequencyKey),
        .shiftRaw = requiredString(json, shiftRawKey),
        .modeCode = requiredString(json, modeCodeKey),
        .flagsRaw = requiredString(json, flagsRawKey),
        .toneNumberKindRaw = optionalString(json, toneNumberKindRawKey).value_or(QString()),
        .toneNumberCode = optionalString(json, toneNumberCodeKey).value_or(QStringLiteral("000")),
        .tag = requiredString(json, tagKey),
        .isEmpty = requiredBool(json, isEmptyKey),
    };
}

bool RadioMemory::operator==(const RadioMemory &other) const {
    return sameMemoryFields(*this, other);
}
