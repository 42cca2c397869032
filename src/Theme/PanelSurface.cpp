#include "Theme/PanelSurface.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr double cornerRadius = 24;
constexpr double strokeWidth = 1;

QPainterPath roundedCard(const QRectF &rect) {
    QPainterPath path;
    path.addRoundedRect(rect, cornerRadius, cornerRadius);
    return path;
}

// Where the card's stroke ends: the widget less the glow margin.
QRectF cardEdge(const QRect &widget) {
    return QRectF(widget).adjusted(PanelSurface::glowMargin, PanelSurface::glowMargin,
                                   -PanelSurface::glowMargin, -PanelSurface::glowMargin);
}

} // namespace

PanelSurface::PanelSurface(QWidget *parent)
    : QWidget(parent)
    , m_palette(ModelPalette::forModel(RadioModel::ft710))
    , m_glow(DropShadow::cardGlow(cornerRadius, strokeWidth)) {
}

void PanelSurface::setModelPalette(const ModelPalette &palette) {
    m_palette = palette;
    update();
}

void PanelSurface::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    m_cardRect =
        cardEdge(rect()).adjusted(strokeWidth / 2, strokeWidth / 2, -strokeWidth / 2, -strokeWidth / 2);
    m_card = roundedCard(m_cardRect);
}

void PanelSurface::paintShadow(QPainter &painter, const QWidget *backdrop, const QRect &exposed) {
    m_glow.paint(painter, cardEdge(QRect(mapTo(backdrop, QPoint()), size())), m_palette.primary, exposed);
}

// The card is painted into the widget less the glow margin.
void PanelSurface::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(withOpacity(Qt::black, 0.18));
    QLinearGradient stroke(m_cardRect.topLeft(), m_cardRect.bottomRight());
    stroke.setColorAt(0, withOpacity(m_palette.primary, 0.45));
    stroke.setColorAt(1, withOpacity(m_palette.secondary, 0.25));
    painter.setPen(QPen(QBrush(stroke), 1));
    painter.drawPath(m_card);
}
