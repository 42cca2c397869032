#include "DeviceSettings/DeviceSettingsCardSurface.h"

namespace {
constexpr qreal cornerRadius = 22;
constexpr qreal strokeWidth = 1;
} // namespace

DeviceSettingsCardSurface::DeviceSettingsCardSurface(const ModelPalette &palette, QWidget *parent)
    : RoundedPanel(cornerRadius, parent)
    , m_palette(palette)
    , m_shadow(DropShadow::cardGlow(cornerRadius, strokeWidth)) {
    setFill(withOpacity(Qt::white, 0.05));
    setStroke(withOpacity(palette.primary, 0.45), withOpacity(palette.secondary, 0.25));
}

void DeviceSettingsCardSurface::paintShadow(QPainter &painter, const QRect &exposed) {
    m_shadow.paint(painter, geometry(), m_palette.primary, exposed);
}
