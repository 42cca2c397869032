#pragma once

#include "Model/MemoryDraft.h"
#include "Model/RadioModel.h"

#include <QList>
#include <QString>

// One entry of a picker: the text it shows and the raw value it stands for.
struct PickerItem {
    QString text;
    QString tag;

    bool operator==(const PickerItem &) const = default;
};

// The entries of the editors' pickers; both the table and the detail editor list them.
namespace PickerItems {

// The modes `model` offers, shown as title and code: "LSB [1]".
QList<PickerItem> modes(RadioModel model);
QList<PickerItem> shiftDirections();
QList<PickerItem> toneSqlModes();
QList<PickerItem> toneSystems();
QList<PickerItem> toneNumbers(const QList<FT991AToneCodeOption> &options);

// The position of the entry standing for `tag`; -1 when none does.
int indexOfTag(const QList<PickerItem> &items, const QString &tag);
// The text of the entry standing for `tag`; empty when none does.
QString textOfTag(const QList<PickerItem> &items, const QString &tag);

} // namespace PickerItems
