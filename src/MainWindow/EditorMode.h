#pragma once

#include <QList>
#include <QString>

// What the main window's detail column shows: the channel table or the detail editor.
enum class EditorMode { table, detail };

QString rawValue(EditorMode mode);
// Both modes in the order of the toolbar's picker.
const QList<EditorMode> &allEditorModes();
// The mode's name in the current language.
QString title(EditorMode mode);
