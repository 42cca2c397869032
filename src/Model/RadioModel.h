#pragma once

#include "Model/RadioModeOption.h"

#include <QList>
#include <QString>
#include <optional>

// The two supported transceivers. The raw value is the model's text everywhere: preferences,
// memory records, backup files, log lines.
enum class RadioModel {
    ft710,
    ft991a,
};

// A closed range of channel numbers, both ends included.
struct ChannelRange {
    int lowerBound;
    int upperBound;

    bool contains(int channel) const { return channel >= lowerBound && channel <= upperBound; }
    int count() const { return upperBound - lowerBound + 1; }
    bool operator==(const ChannelRange &) const = default;
};

QString rawValue(RadioModel model);
inline QString id(RadioModel model) {
    return rawValue(model);
}
// Exact, case-sensitive match of "FT-710" or "FT-991A".
std::optional<RadioModel> radioModelFromRawValue(const QString &raw);
// `ft710`, `ft991a`: the order of the model picker.
const QList<RadioModel> &allRadioModels();
ChannelRange memoryRange(RadioModel model);
// The modes the mode pickers offer for the model, in declaration order.
const QList<RadioModeOption> &supportedModes(RadioModel model);
