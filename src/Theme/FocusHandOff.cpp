#include "Theme/FocusHandOff.h"

#include <QAccessible>
#include <QWidget>

namespace {

bool takesKeyboard(QWidget *widget) {
    if (!widget->isEnabled() || !widget->isVisible() || !(widget->focusPolicy() & Qt::TabFocus))
        return false;
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible && !accessible->text(QAccessible::Name).trimmed().isEmpty();
}

// The first control after `from` in tab order, within `scope`, that takes the keyboard.
QWidget *nextIn(QWidget *from, QWidget *scope) {
    for (QWidget *widget = from->nextInFocusChain(); widget != from; widget = widget->nextInFocusChain()) {
        if (scope->isAncestorOf(widget) && takesKeyboard(widget))
            return widget;
    }
    return nullptr;
}

} // namespace

namespace FocusHandOff {

void setEnabled(QWidget *control, bool enabled, QWidget *panel) {
    // The window's own focus widget, not hasFocus(): it also counts while the window is inactive.
    if (!enabled && control->isEnabled() && control->window()->focusWidget() == control) {
        QWidget *next = nextIn(control, panel);
        if (!next)
            next = nextIn(control, control->window());
        if (next)
            next->setFocus(Qt::TabFocusReason);
    }
    control->setEnabled(enabled);
}

bool focusFirstIn(QWidget *panel) {
    QWidget *first = takesKeyboard(panel) ? panel : nextIn(panel, panel);
    if (first)
        first->setFocus(Qt::TabFocusReason);
    return first != nullptr;
}

} // namespace FocusHandOff
