#include "MainWindow/TitledControl.h"

#include <QHBoxLayout>
#include <QLabel>

QWidget *titledControl(const QString &title, const QString &titleName, QWidget *control) {
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(title);
    label->setObjectName(titleName);
    label->setBuddy(control);
    layout->addWidget(label);
    layout->addWidget(control, 1);
    return row;
}
