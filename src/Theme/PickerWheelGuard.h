#pragma once

#include <QObject>

// The wheel over a closed picker goes on to the view around it and leaves the picker's value as it
// is, focused or not: a turn meant to scroll a list would otherwise change a channel or a menu item
// unseen, which the next write would send to the radio. An open list is a window of its own and
// scrolls its entries as usual.
class PickerWheelGuard : public QObject {
    Q_OBJECT

public:
    // Guards every picker of the application; a second call changes nothing.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
