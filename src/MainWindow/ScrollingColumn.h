#pragma once

#include <QScrollArea>

// A column of panels that scrolls up and down when they need more height than it has. It is as
// wide as the panels need, and its scroll bar stands in the padding on their trailing side, so
// the panels keep their width when it shows.
class ScrollingColumn : public QScrollArea {
    Q_OBJECT

public:
    // `content` holds the panels in a layout; `trailingPadding` stays free beside them.
    ScrollingColumn(QWidget *content, int trailingPadding, QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    bool viewportEvent(QEvent *event) override;

private:
    void makeRoomForScrollBar();

    int m_trailingPadding;
};
