#include "MainWindow/BusySpinner.h"

#include <QPainter>

BusySpinner::BusySpinner(QWidget *parent)
    : QWidget(parent) {
    setFixedSize(sizeHint());
    m_timer.setInterval(60);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + 30) % 360;
        update();
    });
}

void BusySpinner::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(rect()).adjusted(2, 2, -2, -2), -m_angle * 16, 270 * 16);
}

void BusySpinner::showEvent(QShowEvent *) {
    m_timer.start();
}

void BusySpinner::hideEvent(QHideEvent *) {
    m_timer.stop();
}
