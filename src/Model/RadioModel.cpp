#include "Model/RadioModel.h"

#include "Localization/EnumTable.h"

namespace {

const EnumTable<RadioModel> &table() {
    static const EnumTable<RadioModel> rows{
        {RadioModel::ft710, "FT-710"},
        {RadioModel::ft991a, "FT-991A"},
    };
    return rows;
}

} // namespace

QString rawValue(RadioModel model) {
    return table().rawValue(model);
}

std::optional<RadioModel> radioModelFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}

const QList<RadioModel> &allRadioModels() {
    return table().values();
}

ChannelRange memoryRange(RadioModel model) {
    return model == RadioModel::ft710 ? ChannelRange{1, 99} : ChannelRange{1, 117};
}

const QList<RadioModeOption> &supportedModes(RadioModel model) {
    // The FT-710 has neither AM-N nor C4FM: the first twelve modes.
    static const QList<RadioModeOption> ft710Modes = allRadioModeOptions().first(12);
    return model == RadioModel::ft710 ? ft710Modes : allRadioModeOptions();
}
