#pragma once

class QWidget;

// Where the keyboard goes when its control goes away: to a control a person can name and use,
// never to a filler of the layout nor out of the panel it was in while the panel has one.
namespace FocusHandOff {

// Enables or disables the control. A control that holds the keyboard when it is disabled hands it
// first to the next enabled, named control in tab order: one of `panel`, else one of its window.
void setEnabled(QWidget *control, bool enabled, QWidget *panel);

// Gives the keyboard to the first enabled, named control of `panel` in tab order; false when it
// has none.
bool focusFirstIn(QWidget *panel);

} // namespace FocusHandOff
