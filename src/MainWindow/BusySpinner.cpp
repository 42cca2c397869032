#include "MainWindow/BusySpinner.h"

#include "MainWindow/Backdrop.h"

#include <QPainter>

BusySpinner::BusySpinner(QWidget *parent)
    : QWidget(parent)
    , m_backdrop(new Backdrop(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
    // Ten steps a second look smooth; each turns the arc as far as it went before in 100 ms.
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + 50) % 360;
        update();
    });
}

void BusySpinner::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    m_backdrop->paint(painter, rect());
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
