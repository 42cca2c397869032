#pragma once

#include <QColor>
#include <QWidget>

// A widget on a rounded card of its own: a fill with a stroke one pixel wide over it. Fill and
// stroke are each one colour, or run from one colour at the top left to another at the bottom
// right.
class RoundedPanel : public QWidget {
    Q_OBJECT

public:
    explicit RoundedPanel(qreal radius, QWidget *parent = nullptr);

    void setFill(const QColor &from, const QColor &to = QColor());
    void setStroke(const QColor &from, const QColor &to = QColor());

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_radius;
    QColor m_fillFrom;
    QColor m_fillTo;
    QColor m_strokeFrom;
    QColor m_strokeTo;
};
