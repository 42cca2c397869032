#include "Theme/TextStyle.h"

#include <QPalette>
#include <QWidget>

namespace TextStyle {

QFont font(QFont base, qreal factor, QFont::Weight weight) {
    // A font sized in pixels has no point size to scale.
    const qreal size = base.pointSizeF() > 0 ? base.pointSizeF() : 10.0;
    base.setPointSizeF(size * factor);
    base.setWeight(weight);
    return base;
}

void setTextColor(QWidget *widget, const QColor &color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

} // namespace TextStyle
