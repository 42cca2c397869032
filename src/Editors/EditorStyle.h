#pragma once

#include <QFont>
#include <QPalette>

class QLabel;
class QVBoxLayout;
class QWidget;

// The type styles of the editors besides the default: small captions and the fixed-width
// face of raw radio fields.
namespace EditorStyle {

QFont caption();
QFont monospaced();
// The small secondary caption line above a labeled control or a value.
QLabel *captionLabel(const QString &text);
// A vertical layout on `owner` without margins.
QVBoxLayout *column(QWidget *owner, int spacing = 12);
// Gives a switch drawn with `palette` a visible edge on the dark window.
void outlineSwitch(QPalette &palette);

} // namespace EditorStyle
