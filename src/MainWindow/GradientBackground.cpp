#include "MainWindow/GradientBackground.h"

#include <QPaintEvent>
#include <QPainter>

GradientBackground::GradientBackground(QWidget *parent)
    : QWidget(parent)
    , m_palette(ModelPalette::forModel(RadioModel::ft710)) {
}

void GradientBackground::setModelPalette(const ModelPalette &palette) {
    m_palette = palette;
    m_gradient = QPixmap();
    update();
}

// A gradient painted into a part of the widget alone comes out a shade off here and there from
// the same gradient painted whole, so it is always painted whole.
void GradientBackground::paintEvent(QPaintEvent *event) {
    const qreal ratio = devicePixelRatioF();
    if (m_gradient.size() != size() * ratio || m_gradient.devicePixelRatio() != ratio) {
        m_gradient = QPixmap(size() * ratio);
        m_gradient.setDevicePixelRatio(ratio);
        QPainter painter(&m_gradient);
        m_palette.paintWindowBackground(painter, rect());
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    painter.drawPixmap(area, m_gradient, QRectF(area.topLeft() * ratio, area.size() * ratio).toRect());
}
