#pragma once

#include <QFont>
#include <QPalette>

class QLabel;
class QVBoxLayout;
class QWidget;

// The editors' own look: small captions, the fixed-width face of raw radio fields, switches
// with an edge, and the stacked columns of the detail editor.
namespace EditorStyle {

QFont caption();
QFont monospaced();
// The secondary text colour of the memory table: its summaries and its column titles.
QColor secondaryText(const QPalette &palette, QPalette::ColorGroup group);
// The small secondary caption line above a labeled control or a value.
QLabel *captionLabel(const QString &text);
// A vertical layout on `owner` without margins.
QVBoxLayout *column(QWidget *owner, int spacing = 12);
// Gives a switch drawn with `palette` a visible edge on the dark window.
void outlineSwitch(QPalette &palette);

} // namespace EditorStyle
