#include "Editors/EditorStyle.h"

#include "Theme/ModelPalette.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace EditorStyle {

QFont caption() {
    QFont font = QGuiApplication::font();
    // Whole points, and no smaller than 8: below that, capital umlauts lose their dots.
    font.setPointSizeF(std::max(8.0, std::round(font.pointSizeF() * 0.85)));
    return font;
}

QFont monospaced() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(QGuiApplication::font().pointSizeF());
    return font;
}

QColor secondaryText(const QPalette &palette, QPalette::ColorGroup group) {
    return withOpacity(palette.color(group, QPalette::Text), 0.7);
}

QLabel *captionLabel(const QString &text) {
    auto *label = new QLabel(text);
    label->setFont(caption());
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QVBoxLayout *column(QWidget *owner, int spacing) {
    auto *layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

// Fusion draws a check box's edge darker than the window colour, so on the dark window the box
// vanishes; a light window colour of its own gives it an edge, a dim one while it is disabled.
void outlineSwitch(QPalette &palette) {
    palette.setColor(QPalette::Window, QColor::fromRgbF(0.66, 0.69, 0.76));
    palette.setColor(QPalette::Disabled, QPalette::Window, QColor::fromRgbF(0.30, 0.32, 0.37));
}

} // namespace EditorStyle
