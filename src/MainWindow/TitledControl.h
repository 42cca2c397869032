#pragma once

#include <QString>

class QWidget;

// A control with its title on the same line before it, as pickers carry their titles. The
// title label gets the object name `titleName` and names the control for a screen reader; the
// control takes the rest of the width.
QWidget *titledControl(const QString &title, const QString &titleName, QWidget *control);
