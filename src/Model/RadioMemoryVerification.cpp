#include "Model/RadioMemory.h"

#include "Localization/L.h"
#include "Model/MemoryDraft.h"
#include "Model/TextOps.h"

namespace {

// Frequencies compare by value: leading zeros and an empty text ("0") do not count.
QString normalizedFrequencyForComparison(const QString &frequency) {
    return TextOps::ifEmpty(MemoryDraft::stripLeadingZeros(frequency), QStringLiteral("0"));
}

void appendIfDifferent(QStringList &lines, const QString &label, const QString &expected,
                       const QString &read) {
    if (TextOps::canonicallyEqual(expected, read))
        return;
    lines.append(
        L::text(QStringLiteral("%1: erwartet %2, gelesen %3"), QStringLiteral("%1: expected %2, read %3"))
            .arg(label, expected, read));
}

QString emptyStateWord(bool isEmpty) {
    return isEmpty ? L::text(QStringLiteral("leer"), QStringLiteral("empty"))
                   : L::text(QStringLiteral("belegt"), QStringLiteral("occupied"));
}

} // namespace

QStringList RadioMemory::verificationMismatches(const RadioMemory &comparedTo) const {
    const RadioMemory &expected = comparedTo;
    QStringList lines;
    if (expected.isEmpty != isEmpty) {
        lines.append(L::text(QStringLiteral("Leerstatus: erwartet %1, gelesen %2"),
                             QStringLiteral("Empty state: expected %1, read %2"))
                         .arg(emptyStateWord(expected.isEmpty), emptyStateWord(isEmpty)));
    }
    appendIfDifferent(lines, L::text(QStringLiteral("Frequenz"), QStringLiteral("Frequency")),
                      normalizedFrequencyForComparison(expected.frequency),
                      normalizedFrequencyForComparison(frequency));
    appendIfDifferent(lines, L::text(QStringLiteral("Mode"), QStringLiteral("Mode")), expected.modeCode,
                      modeCode);
    appendIfDifferent(lines, L::text(QStringLiteral("Shift Raw"), QStringLiteral("Shift raw")),
                      expected.shiftRaw, shiftRaw);
    appendIfDifferent(lines, L::text(QStringLiteral("Flags Raw"), QStringLiteral("Flags raw")),
                      expected.flagsRaw, flagsRaw);
    appendIfDifferent(lines, L::text(QStringLiteral("Tag"), QStringLiteral("Tag")),
                      TextOps::trimmedWhitespaces(expected.tag), TextOps::trimmedWhitespaces(tag));
    if (radioModel == RadioModel::ft991a || expected.radioModel == RadioModel::ft991a) {
        appendIfDifferent(lines, L::text(QStringLiteral("Ton-Art"), QStringLiteral("Tone kind")),
                          expected.toneNumberKindRaw, toneNumberKindRaw);
        appendIfDifferent(lines, L::text(QStringLiteral("Ton-Code"), QStringLiteral("Tone code")),
                          expected.toneNumberCode, toneNumberCode);
    }
    return lines;
}
