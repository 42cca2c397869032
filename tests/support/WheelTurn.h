#pragma once

#include <QApplication>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>
#include <QWidget>

// Turns the wheel over the middle of `target` by `notches`, downwards when negative, as the window
// system gives it: a turn its receiver leaves goes on to the parents.
inline void turnWheel(QWidget *target, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int notches = -1) {
    const QPointF at = QRectF(target->rect()).center();
    QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(target, &wheel);
}
