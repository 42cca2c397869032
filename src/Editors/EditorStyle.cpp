#include "Editors/EditorStyle.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
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

QFont semibold(QFont font) {
    font.setWeight(QFont::DemiBold);
    return font;
}

QLabel *captionLabel(const QString &text) {
    auto *label = new QLabel(text);
    label->setFont(caption());
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace EditorStyle
