#include "Theme/Backdrop.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

Backdrop::Backdrop(QWidget *widget, std::function<void(QPainter &)> paintOwnLook)
    : QObject(widget)
    , m_widget(widget)
    , m_paintOwnLook(std::move(paintOwnLook)) {
}

void Backdrop::paint(QPainter &painter, const QRect &rect) {
    if (m_picture.isNull() || m_placement != placement() ||
        m_picture.devicePixelRatio() != m_widget->devicePixelRatioF())
        take();
    const qreal ratio = m_picture.devicePixelRatio();
    // The picture is opaque: copying it gives the same pixels as blending it, in less time.
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(rect, m_picture, QRectF(rect.topLeft() * ratio, rect.size() * ratio).toRect());
    painter.setCompositionMode(mode);
}

// Qt repaints an opaque widget only for its own updates, not for those of the panels behind it.
void Backdrop::invalidate() {
    m_picture = QPixmap();
    m_widget->update();
}

// A new theme comes as a new palette of the whole window.
bool Backdrop::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_window &&
        (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange))
        invalidate();
    return QObject::eventFilter(watched, event);
}

QList<QRect> Backdrop::placement() const {
    const QWidget *window = m_widget->window();
    QList<QRect> placement;
    for (const QWidget *each = m_widget; each; each = each->isWindow() ? nullptr : each->parentWidget())
        placement.append(QRect(each->mapTo(window, QPoint()), each->size()));
    return placement;
}

// Each panel from the window down paints only itself, in the order and at the places the
// window's own painting has, so the picture holds the very pixels it would show.
void Backdrop::take() {
    const qreal ratio = m_widget->devicePixelRatioF();
    m_picture = QPixmap(m_widget->size() * ratio);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(m_widget->window()->palette().color(QPalette::Window));
    QList<QWidget *> behind;
    for (QWidget *each = m_widget->parentWidget(); each;
         each = each->isWindow() ? nullptr : each->parentWidget())
        behind.prepend(each);
    for (QWidget *panel : std::as_const(behind))
        panel->render(&m_picture, QPoint(),
                      QRegion(QRect(m_widget->mapTo(panel, QPoint()), m_widget->size())), {});
    if (m_paintOwnLook) {
        QPainter painter(&m_picture);
        m_paintOwnLook(painter);
    }
    m_placement = placement();
    watchWindow();
}

void Backdrop::watchWindow() {
    QWidget *window = m_widget->window();
    if (window == m_window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    m_window->installEventFilter(this);
}
