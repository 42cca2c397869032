#include "Model/DeviceSettingDefinition.h"

#include <algorithm>

namespace {

// TEMPORARY until the shared text helpers land.
QString numericCharacters(const QString &text) {
    QString digits;
    for (char32_t c : text.toUcs4()) {
        if (QChar::isNumber(c))
            digits.append(QString::fromUcs4(&c, 1));
    }
    return digits;
}

QString paddingLeft(const QString &text, int length, const QString &pad) {
    if (text.size() >= length)
        return text.left(length);
    return pad.repeated(length - text.size()) + text;
}

} // namespace

std::optional<QString> DeviceSettingDefinition::parseResponse(const QString &response) const {
    const QString prefix = readCommand.endsWith(QLatin1Char(';')) ? readCommand.chopped(1) : readCommand;
    if (!response.startsWith(prefix) || !response.endsWith(QLatin1Char(';')))
        return std::nullopt;
    // The final ";" must come after the prefix, not be part of it.
    if (response.size() <= prefix.size())
        return std::nullopt;
    return response.mid(prefix.size(), response.size() - prefix.size() - 1);
}

QString DeviceSettingDefinition::normalizeForWrite(const QString &value) const {
    if (fieldKind == DeviceSettingFieldKind::choice) {
        const bool isCode =
            std::any_of(options.cbegin(), options.cend(),
                        [&](const DeviceSettingOption &option) { return option.code == value; });
        if (isCode || options.isEmpty())
            return value;
        return options.first().code;
    }
    const QString sign = value.trimmed().startsWith(QLatin1Char('-')) ? QStringLiteral("-") : QString();
    return sign + paddingLeft(numericCharacters(value), digits, QStringLiteral("0"));
}

QString DeviceSettingDefinition::writeCommand(const QString &value) const {
    return writePrefix + normalizeForWrite(value) + QLatin1Char(';');
}

size_t qHash(const DeviceSettingDefinition &definition, size_t seed) {
    return qHashMulti(seed, definition.id, definition.group, definition.title, definition.readCommand,
                      definition.writePrefix, definition.digits, definition.fieldKind, definition.options,
                      definition.disruptsConnection, definition.help);
}
