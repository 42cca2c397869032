#include "MainWindow/PanelSurface.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr double cornerRadius = 24;
constexpr int glowReach = PanelSurface::glowMargin / 2;
constexpr int glowDrop = PanelSurface::glowMargin / 2;

QPainterPath roundedCard(const QRectF &rect) {
    QPainterPath path;
    path.addRoundedRect(rect, cornerRadius, cornerRadius);
    return path;
}

// Paints the card into `rect`; the glow spills over it.
void paintSurface(QPainter &painter, const QRectF &rect, const ModelPalette &palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF card = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    // A cheap glow: a few widening, fading rings around (not under) the translucent card.
    const QPainterPath cardPath = roundedCard(card);
    for (int ring = glowReach; ring > 0; ring -= 2) {
        const double opacity = 0.18 * 0.3 * (1.0 - double(ring) / (glowReach + 1));
        painter.setBrush(withOpacity(palette.primary, opacity));
        const QRectF ringRect = rect.adjusted(-ring, -ring + glowDrop, ring, ring + glowDrop);
        painter.drawPath(roundedCard(ringRect).subtracted(cardPath));
    }
    painter.setBrush(withOpacity(Qt::black, 0.18));
    QLinearGradient stroke(card.topLeft(), card.bottomRight());
    stroke.setColorAt(0, withOpacity(palette.primary, 0.45));
    stroke.setColorAt(1, withOpacity(palette.secondary, 0.25));
    painter.setPen(QPen(QBrush(stroke), 1));
    painter.drawPath(cardPath);
    painter.restore();
}

} // namespace

PanelSurface::PanelSurface(QWidget *parent)
    : QWidget(parent)
    , m_palette(ModelPalette::forModel(RadioModel::ft710)) {
}

void PanelSurface::setModelPalette(const ModelPalette &palette) {
    m_palette = palette;
    update();
}

void PanelSurface::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    paintSurface(painter, QRectF(rect()).adjusted(glowMargin, glowMargin, -glowMargin, -glowMargin),
                 m_palette);
}
