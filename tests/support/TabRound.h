#pragma once

#include <QAccessible>
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

// The stops of a Tab round from `first` (in its active window) that a screen reader finds no name
// for, by object name. Gives up after 200 stops, which no window of ours has.
inline QStringList namelessTabStops(QWidget *first) {
    QApplication::setActiveWindow(first->window());
    first->setFocus();
    QStringList nameless;
    QWidget *stop = first;
    for (int count = 0; count < 200; ++count) {
        QTest::keyClick(stop, Qt::Key_Tab);
        stop = QApplication::focusWidget();
        if (!stop || stop == first)
            return nameless;
        if (QAccessible::queryAccessibleInterface(stop)->text(QAccessible::Name).isEmpty())
            nameless << stop->objectName();
    }
    return nameless << QStringLiteral("(no end)");
}
