#include "MainWindow/EditorMode.h"

#include "Localization/EnumTable.h"
#include "Localization/L.h"

namespace {

const EnumTable<EditorMode> &table() {
    static const EnumTable<EditorMode> rows{
        {EditorMode::table, "Kanalliste"},
        {EditorMode::detail, "Detail"},
    };
    return rows;
}

} // namespace

QString rawValue(EditorMode mode) {
    return table().rawValue(mode);
}

std::optional<EditorMode> editorModeFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}

const QList<EditorMode> &allEditorModes() {
    return table().values();
}

QString title(EditorMode mode) {
    return loc(rawValue(mode));
}
