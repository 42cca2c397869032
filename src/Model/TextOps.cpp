#include "Model/TextOps.h"

#include <QTextBoundaryFinder>

namespace TextOps {

namespace {

bool isWhitespace(char32_t codePoint) {
    return codePoint == U'\t' || QChar::category(codePoint) == QChar::Separator_Space;
}

bool isWhitespaceOrNewline(char32_t codePoint) {
    switch (QChar::category(codePoint)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return codePoint == U'\t' || (codePoint >= 0x0A && codePoint <= 0x0D) || codePoint == 0x85;
    }
}

// Every character of the trims lies in the Basic Multilingual Plane, so UTF-16 units suffice.
template <typename Predicate> QString trimmed(const QString &text, Predicate isTrimmed) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text.at(begin).unicode()))
        ++begin;
    while (end > begin && isTrimmed(text.at(end - 1).unicode()))
        --end;
    return text.mid(begin, end - begin);
}

// The end of the next character, or -1 after the last. Qt's tailoring for Indic scripts may put a
// boundary between the two halves of a surrogate pair, which would cut a character in two.
qsizetype nextCharacterEnd(QTextBoundaryFinder &finder, const QString &text) {
    qsizetype end = finder.toNextBoundary();
    while (end > 0 && end < text.size() && text.at(end - 1).isHighSurrogate() &&
           text.at(end).isLowSurrogate())
        end = finder.toNextBoundary();
    return end;
}

QString repeated(const QString &pad, qsizetype times) {
    return times > 0 ? pad.repeated(times) : QString();
}

} // namespace

QStringList characters(const QString &text) {
    QStringList result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = nextCharacterEnd(finder, text); end > 0; end = nextCharacterEnd(finder, text)) {
        result.append(text.mid(start, end - start));
        start = end;
    }
    return result;
}

qsizetype characterCount(const QString &text) {
    return characters(text).size();
}

QString prefix(const QString &text, qsizetype count) {
    if (count <= 0)
        return QString();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (qsizetype taken = 0; taken < count; ++taken) {
        const qsizetype next = nextCharacterEnd(finder, text);
        if (next < 0)
            break;
        end = next;
    }
    return text.left(end);
}

bool isNumeric(const QString &character) {
    const QList<uint> codePoints = character.left(2).toUcs4();
    return !codePoints.isEmpty() && QChar::isNumber(char32_t(codePoints.first()));
}

QString numericCharacters(const QString &text) {
    QString result;
    for (const QString &character : characters(text)) {
        if (isNumeric(character))
            result += character;
    }
    return result;
}

QString fixedDigits(const QString &text, qsizetype width) {
    return paddingLeft(prefix(numericCharacters(text), width), width, QStringLiteral("0"));
}

QString upperCased(const QString &text) {
    return text.toUpper();
}

bool canonicallyEqual(const QString &a, const QString &b) {
    return a == b || canonicalForm(a) == canonicalForm(b);
}

QString canonicalForm(const QString &text) {
    return text.normalized(QString::NormalizationForm_C);
}

QString trimmedWhitespaces(const QString &text) {
    return trimmed(text, isWhitespace);
}

QString trimmedWhitespacesAndNewlines(const QString &text) {
    return trimmed(text, isWhitespaceOrNewline);
}

QString paddingLeft(const QString &text, qsizetype length, const QString &pad) {
    const qsizetype count = characterCount(text);
    if (count >= length)
        return prefix(text, length);
    return repeated(pad, length - count) + text;
}

QString paddingRight(const QString &text, qsizetype length, const QString &pad) {
    const qsizetype count = characterCount(text);
    if (count >= length)
        return prefix(text, length);
    return text + repeated(pad, length - count);
}

QString ifEmpty(const QString &text, const QString &fallback) {
    return text.isEmpty() ? fallback : text;
}

} // namespace TextOps
