#pragma once

class QColor;
class QPushButton;

// The look of the buttons that carry a window's main action.
namespace ButtonStyle {

// Fills `button` in `accent`, dark enough for its white text, while it is enabled; disabled, it
// is dimmed and loses its edge, so it does not invite a click.
void makeProminent(QPushButton *button, const QColor &accent);

} // namespace ButtonStyle
