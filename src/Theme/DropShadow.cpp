#include "Theme/DropShadow.h"

#include "Theme/ModelPalette.h"

#include <QPainter>

namespace {
constexpr int ringStep = 2;
// Together the rings reach a little under half the opacity at the card's edge, as a blurred
// edge does.
constexpr double ringsStrength = 0.9;
} // namespace

DropShadow::DropShadow(qreal cornerRadius, qreal strokeWidth, int reach, int drop, double opacity)
    : m_cornerRadius(cornerRadius)
    , m_strokeWidth(strokeWidth)
    , m_reach(reach)
    , m_drop(drop)
    , m_opacity(opacity) {
}

DropShadow DropShadow::cardGlow(qreal cornerRadius, qreal strokeWidth) {
    return DropShadow(cornerRadius, strokeWidth, 20, 10, 0.18);
}

void DropShadow::paint(QPainter &painter, const QRectF &edge, const QColor &color) {
    if (edge != m_edge || m_rings.isEmpty())
        shapeRings(edge);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Ring &ring : std::as_const(m_rings)) {
        painter.setBrush(withOpacity(color, ring.opacity));
        painter.drawPath(ring.shape);
    }
    painter.restore();
}

void DropShadow::paint(QPainter &painter, const QRectF &edge, const QColor &color, const QRect &exposed) {
    if (reaches(edge, exposed))
        paint(painter, edge, color);
}

bool DropShadow::reaches(const QRectF &edge, const QRect &area) const {
    // The card's straight middle parts, a pixel in from its edge, which no ring covers.
    const qreal corner = m_cornerRadius;
    const bool insideCard = edge.adjusted(corner, 1, -corner, -1).contains(area) ||
                            edge.adjusted(1, corner, -1, -corner).contains(area);
    return !insideCard &&
           edge.adjusted(-m_reach, m_drop - m_reach, m_reach, m_drop + m_reach).intersects(area);
}

// Each ring covers the card's dropped outline grown by its reach, less the card itself; the
// outer a ring reaches, the fainter it is.
void DropShadow::shapeRings(const QRectF &edge) {
    m_edge = edge;
    const double halfStroke = m_strokeWidth / 2;
    const QPainterPath card = roundedCard(edge.adjusted(halfStroke, halfStroke, -halfStroke, -halfStroke));
    const int ringCount = (m_reach + ringStep - 1) / ringStep;
    m_rings.clear();
    for (int reach = m_reach; reach > 0; reach -= ringStep) {
        const QRectF ringRect = edge.adjusted(-reach, -reach + m_drop, reach, reach + m_drop);
        const double fade = 1.0 - double(reach) / (m_reach + 1);
        m_rings.append(
            {roundedCard(ringRect).subtracted(card), m_opacity * ringsStrength / ringCount * fade});
    }
}

QPainterPath DropShadow::roundedCard(const QRectF &rect) const {
    QPainterPath path;
    path.addRoundedRect(rect, m_cornerRadius, m_cornerRadius);
    return path;
}
