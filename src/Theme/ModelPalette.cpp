#include "Theme/ModelPalette.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

QColor rgb(double red, double green, double blue) {
    return QColor::fromRgbF(red, green, blue);
}

} // namespace

ModelPalette ModelPalette::forModel(RadioModel model) {
    switch (model) {
    case RadioModel::ft991a:
        return {rgb(0.72, 0.34, 1.00), rgb(1.00, 0.45, 0.30), rgb(0.14, 0.08, 0.22), rgb(0.20, 0.08, 0.15)};
    case RadioModel::ft710:
        break;
    }
    return {rgb(0.16, 0.60, 1.00), rgb(0.10, 0.90, 0.82), rgb(0.08, 0.15, 0.24), rgb(0.04, 0.20, 0.22)};
}

QPalette ModelPalette::widgetPalette() const {
    const QColor window = rgb(0.09, 0.10, 0.14);
    const QColor base = rgb(0.06, 0.07, 0.10);
    const QColor text = rgb(0.93, 0.94, 0.96);
    const QColor dimmed = rgb(0.50, 0.52, 0.58);

    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, rgb(0.11, 0.12, 0.16));
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, dimmed);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, rgb(0.16, 0.18, 0.23));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Light, rgb(0.30, 0.32, 0.38));
    palette.setColor(QPalette::Midlight, rgb(0.22, 0.24, 0.30));
    palette.setColor(QPalette::Mid, rgb(0.14, 0.15, 0.19));
    palette.setColor(QPalette::Dark, rgb(0.04, 0.05, 0.07));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, primary);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, primary);
    palette.setColor(QPalette::LinkVisited, secondary);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, dimmed);
    palette.setColor(QPalette::Disabled, QPalette::Button, rgb(0.12, 0.13, 0.17));
    return palette;
}

void ModelPalette::paintWindowBackground(QPainter &painter, const QRectF &rect) const {
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0.0, rgb(0.07, 0.08, 0.12));
    gradient.setColorAt(0.5, backgroundStart);
    gradient.setColorAt(1.0, backgroundEnd);
    painter.fillRect(rect, gradient);
}

QColor withOpacity(QColor color, double opacity) {
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

QColor fillForWhiteText(const QColor &accent) {
    return accent.darker(150);
}
