#pragma once

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <functional>

class QPainter;
class QWidget;

// A picture of what the panels behind a widget paint where it stands, for a widget that paints
// itself opaque (Qt::WA_OpaquePaintEvent): a widget that is not opaque has every translucent
// panel behind it repaint with each of its own repaints. The picture can hold the widget's own
// look, too. It is taken anew when the widget or a panel behind it moves or changes size, and
// when the window's palette changes (a new theme).
class Backdrop : public QObject {
    Q_OBJECT

public:
    // `paintOwnLook` paints what the widget shows beneath its children, if anything.
    explicit Backdrop(QWidget *widget, std::function<void(QPainter &)> paintOwnLook = {});

    // Paints the picture under `rect` (in the widget's coordinates).
    void paint(QPainter &painter, const QRect &rect);
    // Takes the picture anew and repaints the widget with it.
    void invalidate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QRect> placement() const;
    void take();
    void watchWindow();

    QWidget *m_widget;
    QPointer<QWidget> m_window;
    std::function<void(QPainter &)> m_paintOwnLook;
    QPixmap m_picture;
    // Where the widget and each panel behind it stood when the picture was taken.
    QList<QRect> m_placement;
};
