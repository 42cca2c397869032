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

QString label(MemoryField field) {
    switch (field) {
    case MemoryField::slot:
        return QStringLiteral("Slot");
    case MemoryField::frequency:
        return L::text(QStringLiteral("Frequenz"), QStringLiteral("Frequency"));
    case MemoryField::mode:
        return QStringLiteral("Mode");
    case MemoryField::shift:
        return L::text(QStringLiteral("Shift Raw"), QStringLiteral("Shift raw"));
    case MemoryField::flags:
        return L::text(QStringLiteral("Flags Raw"), QStringLiteral("Flags raw"));
    case MemoryField::toneKind:
        return L::text(QStringLiteral("Ton-Art"), QStringLiteral("Tone kind"));
    case MemoryField::toneNumber:
        return L::text(QStringLiteral("Ton-Code"), QStringLiteral("Tone code"));
    case MemoryField::tag:
        break;
    }
    return QStringLiteral("Tag");
}

bool RadioMemory::sameChannel(const RadioMemory &other) const {
    const auto byValue = [](RadioMemory memory) {
        memory.frequency = normalizedFrequencyForComparison(memory.frequency);
        return memory;
    };
    return byValue(*this) == byValue(other);
}

QStringList RadioMemory::verificationMismatches(const RadioMemory &comparedTo) const {
    const RadioMemory &expected = comparedTo;
    QStringList lines;
    if (expected.isEmpty != isEmpty) {
        lines.append(L::text(QStringLiteral("Leerstatus: erwartet %1, gelesen %2"),
                             QStringLiteral("Empty state: expected %1, read %2"))
                         .arg(emptyStateWord(expected.isEmpty), emptyStateWord(isEmpty)));
    }
    appendIfDifferent(lines, label(MemoryField::frequency),
                      normalizedFrequencyForComparison(expected.frequency),
                      normalizedFrequencyForComparison(frequency));
    appendIfDifferent(lines, label(MemoryField::mode), expected.modeCode, modeCode);
    appendIfDifferent(lines, label(MemoryField::shift), expected.shiftRaw, shiftRaw);
    appendIfDifferent(lines, label(MemoryField::flags), expected.flagsRaw, flagsRaw);
    appendIfDifferent(lines, label(MemoryField::tag), TextOps::trimmedWhitespaces(expected.tag),
                      TextOps::trimmedWhitespaces(tag));
    if (radioModel == RadioModel::ft991a || expected.radioModel == RadioModel::ft991a) {
        appendIfDifferent(lines, label(MemoryField::toneKind), expected.toneNumberKindRaw, toneNumberKindRaw);
        appendIfDifferent(lines, label(MemoryField::toneNumber), expected.toneNumberCode, toneNumberCode);
    }
    return lines;
}
