#include "Theme/PickerWheelGuard.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>

void PickerWheelGuard::install() {
    QCoreApplication *application = QCoreApplication::instance();
    if (!application->findChild<PickerWheelGuard *>(QString(), Qt::FindDirectChildrenOnly))
        application->installEventFilter(new PickerWheelGuard(application));
}

// Taken but ignored, the turn is offered to the picker's parents, as one the picker left.
bool PickerWheelGuard::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::Wheel || !qobject_cast<QComboBox *>(watched))
        return false;
    event->ignore();
    return true;
}
