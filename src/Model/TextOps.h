#pragma once

#include <QString>
#include <QStringList>

// Text operations on user-perceived characters (grapheme clusters), the way radio fields count,
// cut and compare text. Positions and lengths here never count bytes or UTF-16 units.
namespace TextOps {

// The grapheme clusters of the text, in order.
QStringList characters(const QString &text);
qsizetype characterCount(const QString &text);
// The first `count` characters; the whole text when it is shorter.
QString prefix(const QString &text, qsizetype count);

// A character is numeric when its first code point has a Unicode numeric type
// (decimal digits of any script, superscripts, fractions, Roman numerals ...).
bool isNumeric(const QString &character);
// The numeric characters of the text, in their order.
QString numericCharacters(const QString &text);
// The first `width` numeric characters, filled up on the left with "0" to `width` characters.
QString fixedDigits(const QString &text, qsizetype width);

// Full Unicode upper-case mapping ("ß" becomes "SS").
QString upperCased(const QString &text);
// Canonical equivalence: a letter with a combining accent equals the precomposed letter.
bool canonicallyEqual(const QString &a, const QString &b);
// One form for all canonically equivalent texts (NFC): what equal texts hash by.
QString canonicalForm(const QString &text);

// Trims space separators and the horizontal tab at both ends; line breaks stay.
QString trimmedWhitespaces(const QString &text);
// Trims space, line and paragraph separators, tab, U+000A to U+000D and U+0085 at both ends.
QString trimmedWhitespacesAndNewlines(const QString &text);

// Cut to `length` characters, or filled with whole copies of `pad` in front up to it.
// A negative length counts as 0.
QString paddingLeft(const QString &text, qsizetype length, const QString &pad);
// The same with the pad behind the text.
QString paddingRight(const QString &text, qsizetype length, const QString &pad);
// The fallback for the empty text, else the text (a blank is not empty).
QString ifEmpty(const QString &text, const QString &fallback);

} // namespace TextOps
