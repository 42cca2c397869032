#include "Theme/ButtonStyle.h"

#include "Theme/ModelPalette.h"

#include <QPushButton>

namespace ButtonStyle {

void makeProminent(QPushButton *button, const QColor &accent) {
    button->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: 1px solid %2; border-radius: 5px;"
                       " padding: 5px; }"
                       "QPushButton:hover { background: %3; }"
                       "QPushButton:disabled { background: rgba(255,255,255,20); color: rgba(255,255,255,90);"
                       " border-color: transparent; }")
            .arg(fillForWhiteText(accent).name(), accent.name(),
                 fillForWhiteText(accent).lighter(115).name()));
}

} // namespace ButtonStyle
