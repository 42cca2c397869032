#pragma once

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QRectF>

class QPainter;

// The soft shadow of a rounded card, cast around it and not under it (a translucent card would
// show it through): rings that widen and fade outward from the card's outline, dropped below it.
// The rings are made again only when the card's edge changes.
class DropShadow {
public:
    // The card's corners and the width of its stroke; the shadow reaches `reach` beyond the card and
    // falls `drop` below it, in its colour at `opacity` as a blurred shadow is: a little under half
    // of that at the card's edge, fading to nothing at its reach.
    DropShadow(qreal cornerRadius, qreal strokeWidth, int reach, int drop, double opacity);
    // The glow every card of the program casts in its model's primary colour.
    static DropShadow cardGlow(qreal cornerRadius, qreal strokeWidth);

    // Paints the shadow of the card whose stroke ends on `edge`, in `color`.
    void paint(QPainter &painter, const QRectF &edge, const QColor &color);
    // The same for a repaint of `exposed` alone: one inside the card or away from it paints nothing.
    void paint(QPainter &painter, const QRectF &edge, const QColor &color, const QRect &exposed);

private:
    bool reaches(const QRectF &edge, const QRect &area) const;
    struct Ring {
        QPainterPath shape;
        double opacity;
    };

    void shapeRings(const QRectF &edge);
    QPainterPath roundedCard(const QRectF &rect) const;

    qreal m_cornerRadius;
    qreal m_strokeWidth;
    int m_reach;
    int m_drop;
    double m_opacity;
    QRectF m_edge;
    QList<Ring> m_rings;
};
