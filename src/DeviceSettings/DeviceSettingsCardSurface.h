#pragma once

#include <QColor>
#include <QWidget>

class QPainter;

// The rounded, translucent surface every card of a settings window stands on, with a stroke that
// runs from the model's primary to its secondary colour.
class DeviceSettingsCardSurface : public QWidget {
    Q_OBJECT

public:
    DeviceSettingsCardSurface(const QColor &primary, const QColor &secondary, QWidget *parent = nullptr);

    QColor primary() const { return m_primary; }
    QColor secondary() const { return m_secondary; }

    // The soft glow below a card, painted by the card's parent before the card itself.
    static void paintShadow(QPainter &painter, const QRectF &cardRect, const QColor &primary);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_primary;
    QColor m_secondary;
};
