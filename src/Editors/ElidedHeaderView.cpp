#include "Editors/ElidedHeaderView.h"

#include <QStyleOptionHeader>

ElidedHeaderView::ElidedHeaderView(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent) {
    // As the table view's own header has it.
    setSectionsClickable(true);
}

// Qt 6.4's styles paint a header title whole whatever the elide mode, so a long one was cut off
// mid-letter at its column's edge; it is elided here, to the room the style gives its label.
void ElidedHeaderView::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    option->rect = QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex), height());
    const int room = style()->subElementRect(QStyle::SE_HeaderLabel, option, this).width();
    option->text = option->fontMetrics.elidedText(option->text, textElideMode(), room);
}
