#pragma once

#include <QList>
#include <QString>
#include <optional>

// What the main window's detail column shows: the channel table or the detail editor.
enum class EditorMode { table, detail };

QString rawValue(EditorMode mode);
inline QString id(EditorMode mode) {
    return rawValue(mode);
}
// Exact, case-sensitive match of "Kanalliste" or "Detail".
std::optional<EditorMode> editorModeFromRawValue(const QString &raw);
// Both modes in the order of the toolbar's picker.
const QList<EditorMode> &allEditorModes();
// The mode's name in the current language.
QString title(EditorMode mode);
