#include "Model/RadioModel.h"

QString rawValue(RadioModel model) {
    return model == RadioModel::ft710 ? QStringLiteral("FT-710") : QStringLiteral("FT-991A");
}

std::optional<RadioModel> radioModelFromRawValue(const QString &raw) {
    for (RadioModel model : allRadioModels()) {
        if (raw == rawValue(model))
            return model;
    }
    return std::nullopt;
}

const QList<RadioModel> &allRadioModels() {
    static const QList<RadioModel> all{RadioModel::ft710, RadioModel::ft991a};
    return all;
}

ChannelRange memoryRange(RadioModel model) {
    return model == RadioModel::ft710 ? ChannelRange{1, 99} : ChannelRange{1, 117};
}

const QList<RadioModeOption> &supportedModes(RadioModel model) {
    // The FT-710 has neither AM-N nor C4FM: the first twelve modes.
    static const QList<RadioModeOption> ft710Modes = allRadioModeOptions().first(12);
    return model == RadioModel::ft710 ? ft710Modes : allRadioModeOptions();
}
