#pragma once

#include <QAccessible>
#include <QApplication>
#include <QScrollArea>
#include <QStringList>
#include <QTest>
#include <QWidget>

// The stops of a Tab round from `first` (in its active window) that are no control a person can
// name and use, by object name: one a screen reader finds no name for, or a scroll area, which
// shows no focus and at best borrows its group's title. Gives up after 200 stops, which no window
// of ours has.
inline QStringList strayTabStops(QWidget *first) {
    QApplication::setActiveWindow(first->window());
    first->setFocus();
    QStringList stray;
    QWidget *stop = first;
    for (int count = 0; count < 200; ++count) {
        QTest::keyClick(stop, Qt::Key_Tab);
        stop = QApplication::focusWidget();
        if (!stop || stop == first)
            return stray;
        if (qobject_cast<QScrollArea *>(stop) ||
            QAccessible::queryAccessibleInterface(stop)->text(QAccessible::Name).isEmpty())
            stray << stop->objectName();
    }
    return stray << QStringLiteral("(no end)");
}
