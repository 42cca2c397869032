#include "Editors/PickerItems.h"

namespace PickerItems {

QList<PickerItem> modes(RadioModel model) {
    QList<PickerItem> items;
    for (RadioModeOption mode : supportedModes(model))
        items.append({title(mode) + QStringLiteral(" [") + code(mode) + QStringLiteral("]"), code(mode)});
    return items;
}

QList<PickerItem> shiftDirections() {
    QList<PickerItem> items;
    for (ShiftDirectionOption direction : allShiftDirectionOptions())
        items.append({rawValue(direction), rawValue(direction)});
    return items;
}

QList<PickerItem> toneSqlModes() {
    QList<PickerItem> items;
    for (FT991AToneSqlOption mode : allFT991AToneSqlOptions())
        items.append({title(mode), rawValue(mode)});
    return items;
}

QList<PickerItem> toneSystems() {
    QList<PickerItem> items;
    for (FT991AToneSystem system : allFT991AToneSystems())
        items.append({title(system), rawValue(system)});
    return items;
}

QList<PickerItem> toneNumbers(const QList<FT991AToneCodeOption> &options) {
    QList<PickerItem> items;
    items.reserve(options.size());
    for (const FT991AToneCodeOption &option : options)
        items.append({option.title(), option.code});
    return items;
}

int indexOfTag(const QList<PickerItem> &items, const QString &tag) {
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].tag == tag)
            return i;
    }
    return -1;
}

QString textOfTag(const QList<PickerItem> &items, const QString &tag) {
    const int index = indexOfTag(items, tag);
    return index < 0 ? QString() : items[index].text;
}

} // namespace PickerItems
