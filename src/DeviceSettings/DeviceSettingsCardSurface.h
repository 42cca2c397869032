#pragma once

#include "Theme/ModelPalette.h"
#include "Theme/RoundedPanel.h"

class QPainter;

// The rounded, translucent surface every card of a settings window stands on, with a stroke that
// runs from the model's primary to its secondary colour.
class DeviceSettingsCardSurface : public RoundedPanel {
    Q_OBJECT

public:
    explicit DeviceSettingsCardSurface(const ModelPalette &palette, QWidget *parent = nullptr);

    const ModelPalette &modelPalette() const { return m_palette; }

    // The soft glow below a card, painted by the card's parent before the card itself.
    static void paintShadow(QPainter &painter, const QRectF &cardRect, const QColor &primary);

private:
    ModelPalette m_palette;
};
