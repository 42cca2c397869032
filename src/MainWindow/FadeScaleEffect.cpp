#include "MainWindow/FadeScaleEffect.h"

#include <QPainter>

namespace {
constexpr qreal smallestScale = 0.98;
} // namespace

void FadeScaleEffect::setProgress(qreal progress) {
    m_progress = progress;
    update();
}

void FadeScaleEffect::draw(QPainter *painter) {
    if (m_progress >= 1.0) {
        drawSource(painter);
        return;
    }
    QPoint offset;
    const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    const QRectF bounds(offset, QSizeF(pixmap.size()) / pixmap.devicePixelRatio());
    const qreal scale = smallestScale + (1.0 - smallestScale) * m_progress;
    painter->save();
    painter->setOpacity(m_progress);
    painter->translate(bounds.center());
    painter->scale(scale, scale);
    painter->translate(-bounds.center());
    painter->drawPixmap(offset, pixmap);
    painter->restore();
}
