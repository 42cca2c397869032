#include "Theme/PanelChrome.h"

#include "Theme/ModelPalette.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {
constexpr int contentPadding = 12;
constexpr double cornerRadius = 22;
} // namespace

PanelChrome::PanelChrome(QWidget *content, QWidget *parent)
    : QWidget(parent) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(contentPadding, contentPadding, contentPadding, contentPadding);
    layout->addWidget(content);
}

void PanelChrome::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    painter.fillPath(path, withOpacity(Qt::white, 0.04));
    painter.setPen(QPen(withOpacity(Qt::white, 0.08), 1));
    painter.drawPath(path);
}
