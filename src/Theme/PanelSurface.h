#pragma once

#include "Theme/DropShadow.h"
#include "Theme/ModelPalette.h"

#include <QPainterPath>
#include <QWidget>

// The card behind each column of the main window: a dark rounded card with a stroke running
// from the model's primary to its secondary colour and a soft glow in the primary colour.
// The card sits `glowMargin` inside the widget, leaving room for the glow.
class PanelSurface : public QWidget {
    Q_OBJECT

public:
    static constexpr int glowMargin = 12;

    explicit PanelSurface(QWidget *parent = nullptr);

    void setModelPalette(const ModelPalette &palette);

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
