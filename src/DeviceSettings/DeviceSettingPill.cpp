#include "DeviceSettings/DeviceSettingPill.h"

#include "DeviceSettings/DeviceSettingsStyle.h"
#include "Theme/ModelPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int horizontalPadding = 8;
constexpr int verticalPadding = 2;
} // namespace

DeviceSettingPill::DeviceSettingPill(const QString &text, const QColor &color, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
    , m_color(color) {
    DeviceSettingsStyle::applyFont(this, DeviceSettingsStyle::TextRole::pill);
    // The text is painted; a screen reader reads the mark by its name.
    setAccessibleName(text);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize DeviceSettingPill::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(m_text) + 2 * horizontalPadding,
            metrics.height() + 2 * verticalPadding};
}

void DeviceSettingPill::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF capsule = rect();
    const qreal radius = capsule.height() / 2;
    QPainterPath path;
    path.addRoundedRect(capsule, radius, radius);
    painter.fillPath(path, withOpacity(m_color, 0.18));
    painter.setPen(m_color);
    painter.drawText(capsule, Qt::AlignCenter, m_text);
}
