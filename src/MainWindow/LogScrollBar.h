#pragma once

#include <QRect>
#include <QScrollBar>

// The activity log's scroll bar. A running log changes its range with every frame of new lines,
// yet once it is a few pages long the handle keeps its size and place: the bar repaints only
// when what it shows changes, not for every new range.
class LogScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit LogScrollBar(QWidget *parent = nullptr);

protected:
    void sliderChange(SliderChange change) override;

private:
    // What the range and the value decide of the bar's picture.
    struct Look {
        QRect handle;
        bool scrolls = false;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look &) const = default;
    };
    Look look() const;

    Look m_shown;
};
