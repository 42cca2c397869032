#pragma once

#include <QTimer>
#include <QWidget>

class Backdrop;

// A small spinning arc that shows work in progress; it animates only while visible. It paints
// itself opaque over a picture of the panels behind it, so a step repaints only its own square.
class BusySpinner : public QWidget {
    Q_OBJECT

public:
    explicit BusySpinner(QWidget *parent = nullptr);

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QTimer m_timer;
    Backdrop *m_backdrop;
    int m_angle = 0;
};
