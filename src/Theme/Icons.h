#pragma once

#include <QColor>
#include <QIcon>

// The few small pictures of the main window, drawn in code in the given colour.
namespace Icons {

QIcon exportIcon(const QColor &color);
QIcon importIcon(const QColor &color);
QIcon settingsIcon(const QColor &color);
QIcon refreshIcon(const QColor &color);
QIcon globeIcon(const QColor &color);
// A memory chip, shown where no channel is chosen.
QIcon memoryChipIcon(const QColor &color);

} // namespace Icons
