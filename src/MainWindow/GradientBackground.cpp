#include "MainWindow/GradientBackground.h"

#include <QPainter>

GradientBackground::GradientBackground(QWidget *parent)
    : QWidget(parent)
    , m_palette(ModelPalette::forModel(RadioModel::ft710)) {
}

void GradientBackground::setModelPalette(const ModelPalette &palette) {
    m_palette = palette;
    update();
}

void GradientBackground::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    m_palette.paintWindowBackground(painter, rect());
}
