#include "RadioLink/MainThread.h"

#include <QCoreApplication>
#include <QMetaObject>

void postToMainThread(std::function<void()> work) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}
