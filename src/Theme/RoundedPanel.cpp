#include "Theme/RoundedPanel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QBrush brush(const QRectF &rect, const QColor &from, const QColor &to) {
    if (!to.isValid())
        return from;
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

} // namespace

RoundedPanel::RoundedPanel(qreal radius, QWidget *parent)
    : QWidget(parent)
    , m_radius(radius) {
}

void RoundedPanel::setFill(const QColor &from, const QColor &to) {
    m_fillFrom = from;
    m_fillTo = to;
    update();
}

void RoundedPanel::setStroke(const QColor &from, const QColor &to) {
    m_strokeFrom = from;
    m_strokeTo = to;
    update();
}

void RoundedPanel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(card, m_radius, m_radius);
    painter.fillPath(path, brush(card, m_fillFrom, m_fillTo));
    painter.strokePath(path, QPen(brush(card, m_strokeFrom, m_strokeTo), 1));
}
