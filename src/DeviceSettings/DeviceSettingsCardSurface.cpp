#include "DeviceSettings/DeviceSettingsCardSurface.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr qreal cornerRadius = 22;
constexpr qreal shadowRadius = 20;
constexpr qreal shadowOffsetY = 10;
constexpr qreal shadowOpacity = 0.18;

QPainterPath roundedRect(const QRectF &rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}
} // namespace

DeviceSettingsCardSurface::DeviceSettingsCardSurface(const ModelPalette &palette, QWidget *parent)
    : RoundedPanel(cornerRadius, parent)
    , m_palette(palette) {
    setFill(withOpacity(Qt::white, 0.05));
    setStroke(withOpacity(palette.primary, 0.45), withOpacity(palette.secondary, 0.25));
}

void DeviceSettingsCardSurface::paintShadow(QPainter &painter, const QRectF &cardRect,
                                            const QColor &primary) {
    // A blur approximated by rings that fade outwards, kept outside the card: its surface is
    // translucent and would otherwise show the glow through.
    constexpr int rings = 10;
    const QRectF shifted = cardRect.translated(0, shadowOffsetY);
    const qreal reach = shadowRadius + shadowOffsetY;
    QPainterPath outside;
    outside.addRect(cardRect.adjusted(-reach, -reach, reach, reach));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(outside.subtracted(roundedRect(cardRect, cornerRadius)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(withOpacity(primary, shadowOpacity / rings));
    for (int ring = rings; ring >= 1; --ring) {
        const qreal spread = shadowRadius * ring / rings;
        painter.drawPath(
            roundedRect(shifted.adjusted(-spread, -spread, spread, spread), cornerRadius + spread));
    }
    painter.restore();
}
