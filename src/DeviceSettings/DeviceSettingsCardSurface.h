#pragma once

#include "Theme/DropShadow.h"
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

    // The soft glow below the card that falls in `exposed`, painted with the card's parent's
    // painter before the card itself.
    void paintShadow(QPainter &painter, const QRect &exposed);

private:
    ModelPalette m_palette;
    DropShadow m_shadow;
};
