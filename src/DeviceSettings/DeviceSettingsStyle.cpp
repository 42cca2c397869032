#include "DeviceSettings/DeviceSettingsStyle.h"

#include "Theme/ModelPalette.h"

#include <QPalette>
#include <QWidget>

namespace DeviceSettingsStyle {

namespace {

QFont font(const QFont &base, TextRole role) {
    QFont result = base;
    const qreal size = base.pointSizeF() > 0 ? base.pointSizeF() : 10.0;
    auto scaled = [&](qreal factor, QFont::Weight weight) {
        result.setPointSizeF(size * factor);
        result.setWeight(weight);
        return result;
    };
    switch (role) {
    case TextRole::title:
        return scaled(1.55, QFont::Bold);
    case TextRole::headline:
        return scaled(1.2, QFont::DemiBold);
    case TextRole::body:
        return scaled(1.0, QFont::Normal);
    case TextRole::emphasis:
        return scaled(1.0, QFont::DemiBold);
    case TextRole::caption:
        return scaled(0.88, QFont::Normal);
    case TextRole::pill:
        return scaled(0.8, QFont::DemiBold);
    }
    return result;
}

} // namespace

void applyFont(QWidget *widget, TextRole role) {
    widget->setFont(font(widget->font(), role));
}

void setTextColor(QWidget *widget, const QColor &color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void setSecondaryTextColor(QWidget *widget) {
    setTextColor(widget, withOpacity(widget->palette().color(QPalette::WindowText), 0.62));
}

void tintButton(QWidget *button, const QColor &color) {
    QPalette palette = button->palette();
    // Fusion lightens and pales the face, most at its top edge and under the mouse; this base keeps
    // white text above 4.5:1 there for both models' colours.
    const QColor face = color.darker(220);
    // Only the enabled groups: a disabled button keeps the style's dimmed look.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Button, face);
        palette.setColor(group, QPalette::ButtonText, Qt::white);
    }
    button->setPalette(palette);
}

} // namespace DeviceSettingsStyle
