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

} // namespace

PanelSurface::PanelSurface(QWidget *parent)
    : QWidget(parent)
    , m_palette(ModelPalette::forModel(RadioModel::ft710)) {
}

void PanelSurface::setModelPalette(const ModelPalette &palette) {
    m_palette = palette;
    update();
}

// A cheap glow: a few widening, fading rings around (not under) the translucent card.
void PanelSurface::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    const QRectF rect = QRectF(this->rect()).adjusted(glowMargin, glowMargin, -glowMargin, -glowMargin);
    m_cardRect = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    m_card = roundedCard(m_cardRect);
    m_glowRings.clear();
    for (int ring = glowReach; ring > 0; ring -= 2) {
        const QRectF ringRect = rect.adjusted(-ring, -ring + glowDrop, ring, ring + glowDrop);
        m_glowRings.append(
            {roundedCard(ringRect).subtracted(m_card), 0.18 * 0.3 * (1.0 - double(ring) / (glowReach + 1))});
    }
}

// The card is painted into the widget less the glow margin; the glow spills over it.
void PanelSurface::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const GlowRing &ring : std::as_const(m_glowRings)) {
        painter.setBrush(withOpacity(m_palette.primary, ring.opacity));
        painter.drawPath(ring.shape);
    }
    painter.setBrush(withOpacity(Qt::black, 0.18));
    QLinearGradient stroke(m_cardRect.topLeft(), m_cardRect.bottomRight());
    stroke.setColorAt(0, withOpacity(m_palette.primary, 0.45));
    stroke.setColorAt(1, withOpacity(m_palette.secondary, 0.25));
    painter.setPen(QPen(QBrush(stroke), 1));
    painter.drawPath(m_card);
}
