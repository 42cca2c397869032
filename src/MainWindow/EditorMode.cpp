#include "MainWindow/EditorMode.h"

#include "Localization/L.h"

QString rawValue(EditorMode mode) {
    switch (mode) {
    case EditorMode::detail:
        return QStringLiteral("Detail");
    case EditorMode::table:
        break;
    }
    return QStringLiteral("Kanalliste");
}

const QList<EditorMode> &allEditorModes() {
    static const QList<EditorMode> modes{EditorMode::table, EditorMode::detail};
    return modes;
}

QString title(EditorMode mode) {
    return loc(rawValue(mode));
}
