#include "DeviceSettings/DeviceSettingsStyle.h"

#include "Theme/ModelPalette.h"
#include "Theme/TextStyle.h"

#include <QPalette>
#include <QWidget>

namespace DeviceSettingsStyle {

namespace {

QFont font(const QFont &base, TextRole role) {
    switch (role) {
    case TextRole::title:
        return TextStyle::font(base, 1.55, QFont::Bold);
    case TextRole::headline:
        return TextStyle::font(base, 1.2, QFont::DemiBold);
    case TextRole::body:
        return TextStyle::font(base, 1.0);
    case TextRole::emphasis:
        return TextStyle::font(base, 1.0, QFont::DemiBold);
    case TextRole::caption:
        return TextStyle::font(base, 0.88);
    case TextRole::pill:
        return TextStyle::font(base, 0.8, QFont::DemiBold);
    }
    return base;
}

} // namespace

void applyFont(QWidget *widget, TextRole role) {
    widget->setFont(font(widget->font(), role));
}

void setSecondaryTextColor(QWidget *widget) {
    TextStyle::setTextColor(widget, withOpacity(widget->palette().color(QPalette::WindowText), 0.62));
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

void markInvalid(QWidget *field, const std::optional<QString> &reason) {
    // Roles left unset follow the window's palette, so without a reason the field looks as before.
    QPalette palette;
    if (reason)
        palette.setColor(QPalette::Text, QColor::fromRgbF(1.0, 0.42, 0.42));
    field->setPalette(palette);
    field->setToolTip(reason.value_or(QString()));
    field->setAccessibleDescription(reason.value_or(QString()));
}

} // namespace DeviceSettingsStyle
