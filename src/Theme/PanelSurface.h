#pragma once

#include "Theme/DropShadow.h"
#include "Theme/ModelPalette.h"

#include <QPainterPath>
#include <QWidget>

// The card behind each column of the main window: a dark rounded card with a stroke running
// from the model's primary to its secondary colour and a soft glow in the primary colour.
// The card sits `glowMargin` inside the widget. Its glow reaches further, beyond the widget, so
// whatever paints beneath the widget paints the glow (paintShadow).
class PanelSurface : public QWidget {
    Q_OBJECT

public:
    static constexpr int glowMargin = 12;

    explicit PanelSurface(QWidget *parent = nullptr);

    void setModelPalette(const ModelPalette &palette);
    // Paints the glow that falls in `exposed` with `painter`, which paints `backdrop`, an ancestor.
    void paintShadow(QPainter &painter, const QWidget *backdrop, const QRect &exposed);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    ModelPalette m_palette;
    // The card's outline, made once per size.
    QRectF m_cardRect;
    QPainterPath m_card;
    DropShadow m_glow;
};
