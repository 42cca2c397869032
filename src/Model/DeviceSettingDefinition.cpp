#include "Model/DeviceSettingDefinition.h"

#include "Localization/L.h"
#include "Model/TextOps.h"

#include <algorithm>

std::optional<QString> DeviceSettingDefinition::parseResponse(const QString &response) const {
    const QString prefix = readCommand.endsWith(QLatin1Char(';')) ? readCommand.chopped(1) : readCommand;
    // Whole characters count: a combining mark on the menu number's last digit makes it another
    // character, so the reply is not this item's.
    const QStringList characters = TextOps::characters(response);
    const qsizetype prefixLength = TextOps::characterCount(prefix);
    // The final ";" must come after the prefix, not be part of it.
    if (characters.size() <= prefixLength)
        return std::nullopt;
    if (!TextOps::canonicallyEqual(characters.mid(0, prefixLength).join(QString()), prefix) ||
        !TextOps::canonicallyEqual(characters.last(), QStringLiteral(";")))
        return std::nullopt;
    return characters.mid(prefixLength, characters.size() - prefixLength - 1).join(QString());
}

QString DeviceSettingDefinition::normalizeForWrite(const QString &value) const {
    if (fieldKind == DeviceSettingFieldKind::choice) {
        const bool isCode =
            std::any_of(options.cbegin(), options.cend(), [&](const DeviceSettingOption &option) {
                return TextOps::canonicallyEqual(option.code, value);
            });
        if (isCode || options.isEmpty())
            return value;
        return options.first().code;
    }
    // The sign comes from the trimmed text, the digits from anywhere in it: "1-5" has no sign.
    const QString minus = QStringLiteral("-");
    const bool negative = TextOps::prefix(TextOps::trimmedWhitespacesAndNewlines(value), 1) == minus;
    return (negative ? minus : QString()) + TextOps::fixedDigits(value, digits);
}

QString DeviceSettingDefinition::writeCommand(const QString &value) const {
    return writePrefix + normalizeForWrite(value) + QLatin1Char(';');
}

// Normalising would drop letters, cut long numbers and pass digits of other scripts, so the radio
// would get a value nobody typed: only ASCII digits that fit go out.
std::optional<QString> DeviceSettingDefinition::invalidValueReason(const QString &value) const {
    if (fieldKind != DeviceSettingFieldKind::numeric)
        return std::nullopt;
    const QString number = TextOps::trimmedWhitespacesAndNewlines(value);
    const bool hasSign = number.startsWith(u'-') || number.startsWith(u'+');
    const QStringView magnitude = QStringView(number).sliced(hasSign ? 1 : 0);
    const bool plain =
        !magnitude.isEmpty() && magnitude.size() <= digits &&
        std::all_of(magnitude.begin(), magnitude.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (plain)
        return std::nullopt;
    // One pass over both insertions, so a "%" typed in the value stays as typed.
    return L::text(QStringLiteral("„%1“ ist keine ganze Zahl mit höchstens %2 Ziffern."),
                   QStringLiteral("\"%1\" is not a whole number of at most %2 digits."))
        .arg(number, QString::number(digits));
}

bool operator==(const DeviceSettingDefinition &a, const DeviceSettingDefinition &b) {
    using TextOps::canonicallyEqual;
    return canonicallyEqual(a.id, b.id) && canonicallyEqual(a.group, b.group) &&
           canonicallyEqual(a.title, b.title) && canonicallyEqual(a.readCommand, b.readCommand) &&
           canonicallyEqual(a.writePrefix, b.writePrefix) && a.digits == b.digits &&
           a.fieldKind == b.fieldKind && a.options == b.options &&
           a.disruptsConnection == b.disruptsConnection && canonicallyEqual(a.help, b.help);
}

size_t qHash(const DeviceSettingDefinition &definition, size_t seed) {
    using TextOps::canonicalForm;
    return qHashMulti(seed, canonicalForm(definition.id), canonicalForm(definition.group),
                      canonicalForm(definition.title), canonicalForm(definition.readCommand),
                      canonicalForm(definition.writePrefix), definition.digits, definition.fieldKind,
                      definition.options, definition.disruptsConnection, canonicalForm(definition.help));
}
