#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

// Text roles of the settings windows, derived from the application font so that they scale with it.
namespace DeviceSettingsStyle {

enum class TextRole {
    title,    // window title
    headline, // model name, group titles
    body,     // notes, messages
    emphasis, // row titles, the status badge
    caption,  // help texts, status line
    pill,     // the small "changed" and "reconnect" marks
};

void applyFont(QWidget *widget, TextRole role);
// Dimmed text for notes, help texts and the status line.
void setSecondaryTextColor(QWidget *widget);
// Tints a push button (its face) with a theme colour.
void tintButton(QWidget *button, const QColor &color);
// Shows a field's text in an error colour, with the reason as its tool tip and accessible
// description, while there is a reason; without one the field looks as usual.
void markInvalid(QWidget *field, const std::optional<QString> &reason);

} // namespace DeviceSettingsStyle
