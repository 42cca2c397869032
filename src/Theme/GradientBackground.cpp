#include "Theme/GradientBackground.h"

#include "Theme/PanelSurface.h"

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

void GradientBackground::addShadowCasters(const QList<PanelSurface *> &cards) {
    for (PanelSurface *card : cards) {
        m_casters.append(card);
        card->installEventFilter(this);
    }
    update();
}

// A card's glow lies partly where no widget that moves with the card repaints.
bool GradientBackground::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        update();
    return QWidget::eventFilter(watched, event);
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
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (PanelSurface *card : std::as_const(m_casters)) {
        if (card && card->isVisible())
            card->paintShadow(painter, this, area);
    }
}
