#pragma once

#include "Theme/DropShadow.h"
#include "Theme/RoundedPanel.h"

class QLabel;
class QPainter;

// The connect countdown's card with its icon: a radio wave sign on the model's colours that casts
// a shadow in the primary colour on the card, under the texts that follow it. The card's content,
// the icon first, is laid out by whoever builds the card; the card's own black shadow is painted
// by its parent, before the card.
class ConnectCountdownCard : public RoundedPanel {
    Q_OBJECT

public:
    explicit ConnectCountdownCard(QWidget *parent = nullptr);

    QLabel *icon() const { return m_icon; }
    void setColors(const QColor &primary, const QColor &secondary);
    // The card's shadow, painted with the parent's painter.
    void paintShadow(QPainter &painter);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_icon;
    DropShadow m_shadow;
    DropShadow m_iconShadow;
    QColor m_primary;
};
