#include "DeviceSettings/DeviceSettingsStatusBadge.h"

#include "DeviceSettings/DeviceSettingsStyle.h"
#include "Localization/L.h"
#include "Theme/ModelPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 8;
constexpr int dotSize = 10;
constexpr int spacing = 8;
} // namespace

DeviceSettingsStatusBadge::DeviceSettingsStatusBadge(QWidget *parent)
    : QWidget(parent) {
    DeviceSettingsStyle::applyFont(this, DeviceSettingsStyle::TextRole::emphasis);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // The text is painted; a screen reader reads the badge by its name.
    setAccessibleName(text());
}

void DeviceSettingsStatusBadge::setConnected(bool connected) {
    if (connected == m_connected)
        return;
    m_connected = connected;
    setAccessibleName(text());
    updateGeometry();
    update();
}

QString DeviceSettingsStatusBadge::text() const {
    return m_connected ? loc(QStringLiteral("Verbunden")) : loc(QStringLiteral("Getrennt"));
}

QSize DeviceSettingsStatusBadge::sizeHint() const {
    const QFontMetrics metrics(font());
    return {2 * horizontalPadding + dotSize + spacing + metrics.horizontalAdvance(text()),
            2 * verticalPadding + std::max(dotSize, metrics.height())};
}

void DeviceSettingsStatusBadge::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF capsule = rect();
    QPainterPath path;
    path.addRoundedRect(capsule, capsule.height() / 2, capsule.height() / 2);
    painter.fillPath(path, withOpacity(Qt::white, 0.06));

    const QRectF dot(horizontalPadding, (height() - dotSize) / 2.0, dotSize, dotSize);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_connected ? QColor(52, 199, 89) : QColor(255, 59, 48));
    painter.drawEllipse(dot);

    painter.setPen(palette().color(QPalette::WindowText));
    const QRectF textRect(dot.right() + spacing, 0, width() - dot.right() - spacing - horizontalPadding,
                          height());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text());
}
