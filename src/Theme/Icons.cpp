#include "Theme/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <functional>

namespace Icons {

namespace {

constexpr int canvas = 64;

// Draws on a 64x64 canvas with a round pen of the given colour; the icon scales from there.
QIcon drawn(const QColor &color, const std::function<void(QPainter &)> &draw) {
    QPixmap pixmap(canvas, canvas);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void tray(QPainter &painter) {
    painter.drawPolyline(QPolygonF({{12, 34}, {12, 54}, {52, 54}, {52, 34}}));
}

void arrow(QPainter &painter, double fromY, double toY) {
    painter.drawLine(QPointF(32, fromY), QPointF(32, toY));
    const double head = toY < fromY ? 10 : -10;
    painter.drawPolyline(QPolygonF({{22, toY + head}, {32, toY}, {42, toY + head}}));
}

} // namespace

QIcon exportIcon(const QColor &color) {
    return drawn(color, [](QPainter &painter) {
        tray(painter);
        arrow(painter, 42, 8);
    });
}

QIcon importIcon(const QColor &color) {
    return drawn(color, [](QPainter &painter) {
        tray(painter);
        arrow(painter, 8, 42);
    });
}

QIcon settingsIcon(const QColor &color) {
    return drawn(color, [](QPainter &painter) {
        QPainterPath teeth;
        for (int tooth = 0; tooth < 8; ++tooth) {
            const double angle = qDegreesToRadians(tooth * 45.0);
            teeth.moveTo(32 + 18 * qCos(angle), 32 + 18 * qSin(angle));
            teeth.lineTo(32 + 26 * qCos(angle), 32 + 26 * qSin(angle));
        }
        QPen pen = painter.pen();
        painter.drawEllipse(QPointF(32, 32), 17, 17);
        pen.setWidthF(9);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawPath(teeth);
        pen.setWidthF(5);
        painter.setPen(pen);
        painter.drawEllipse(QPointF(32, 32), 7, 7);
    });
}

QIcon refreshIcon(const QColor &color) {
    return drawn(color, [](QPainter &painter) {
        painter.drawArc(QRectF(12, 12, 40, 40), 100 * 16, 290 * 16);
        painter.drawPolyline(QPolygonF({{28, 4}, {36, 12}, {28, 20}}));
    });
}

QIcon globeIcon(const QColor &color) {
    return drawn(color, [](QPainter &painter) {
        painter.drawEllipse(QPointF(32, 32), 24, 24);
        painter.drawEllipse(QPointF(32, 32), 10, 24);
        painter.drawLine(QPointF(8, 32), QPointF(56, 32));
    });
}

QIcon memoryChipIcon(const QColor &color) {
    return drawn(color, [](QPainter &painter) {
        painter.drawRoundedRect(QRectF(16, 16, 32, 32), 4, 4);
        for (int pin = 0; pin < 3; ++pin) {
            const double at = 24 + pin * 8;
            painter.drawLine(QPointF(at, 6), QPointF(at, 14));
            painter.drawLine(QPointF(at, 50), QPointF(at, 58));
            painter.drawLine(QPointF(6, at), QPointF(14, at));
            painter.drawLine(QPointF(50, at), QPointF(58, at));
        }
    });
}

} // namespace Icons
