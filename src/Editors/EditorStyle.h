#pragma once

#include <QFont>

class QLabel;

// The type styles of the editors besides the default: small captions and the fixed-width
// face of raw radio fields.
namespace EditorStyle {

QFont caption();
QFont monospaced();
QFont semibold(QFont font);
// The small secondary caption line above a labeled control or a value.
QLabel *captionLabel(const QString &text);

} // namespace EditorStyle
