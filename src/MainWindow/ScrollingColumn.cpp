#include "MainWindow/ScrollingColumn.h"

#include <QEvent>
#include <QLayout>
#include <QScrollBar>

ScrollingColumn::ScrollingColumn(QWidget *content, int trailingPadding, QWidget *parent)
    : QScrollArea(parent)
    , m_trailingPadding(trailingPadding) {
    setFrameShape(QFrame::NoFrame);
    // The panels' controls take the keyboard; a stop on the column itself would be one without a name.
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    viewport()->setAutoFillBackground(false);
    setWidget(content);
    content->setAutoFillBackground(false);
    makeRoomForScrollBar();
}

QSize ScrollingColumn::minimumSizeHint() const {
    const QLayout *layout = widget()->layout();
    return {layout->minimumSize().width() - layout->contentsMargins().right() + m_trailingPadding,
            QScrollArea::minimumSizeHint().height()};
}

bool ScrollingColumn::viewportEvent(QEvent *event) {
    // The scroll bar came or went; or the panels' least width changed.
    if (event->type() == QEvent::Resize)
        makeRoomForScrollBar();
    else if (event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::viewportEvent(event);
}

void ScrollingColumn::makeRoomForScrollBar() {
    QLayout *layout = widget()->layout();
    const int bar = verticalScrollBar()->isVisibleTo(this) ? verticalScrollBar()->sizeHint().width() : 0;
    QMargins margins = layout->contentsMargins();
    margins.setRight(std::max(0, m_trailingPadding - bar));
    layout->setContentsMargins(margins);
}
