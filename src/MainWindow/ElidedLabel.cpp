#include "MainWindow/ElidedLabel.h"

#include <QPainter>

namespace {
constexpr int minimumCharacters = 12;
} // namespace

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent) {
    setToolTip(text);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * minimumCharacters, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()),
                     fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width()));
}
