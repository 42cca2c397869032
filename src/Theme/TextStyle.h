#pragma once

#include <QFont>

class QColor;
class QWidget;

// Text looks every window derives from the application font, so they scale with it.
namespace TextStyle {

// `base` at `factor` times its point size, in `weight`.
QFont font(QFont base, qreal factor, QFont::Weight weight = QFont::Normal);
// Shows the widget's text in `color`.
void setTextColor(QWidget *widget, const QColor &color);

} // namespace TextStyle
