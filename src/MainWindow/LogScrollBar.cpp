#include "MainWindow/LogScrollBar.h"

#include <QStyle>
#include <QStyleOptionSlider>

LogScrollBar::LogScrollBar(QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
    , m_shown(look()) {
}

// The base class only repaints.
void LogScrollBar::sliderChange(SliderChange change) {
    const Look now = look();
    if (now == m_shown)
        return;
    m_shown = now;
    QScrollBar::sliderChange(change);
}

LogScrollBar::Look LogScrollBar::look() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {.handle =
                style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
            .scrolls = option.minimum < option.maximum,
            .atMinimum = option.sliderValue == option.minimum,
            .atMaximum = option.sliderValue == option.maximum};
}
