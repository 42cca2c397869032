#include "MainWindow/ConnectCountdownCard.h"

#include "Theme/ModelPalette.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int iconSize = 132;
constexpr int cornerRadius = 28;
constexpr double strokeWidth = 1;
constexpr double iconStrokeWidth = 1.5;
constexpr double shadowOpacity = 0.35;
constexpr int shadowReach = 30;
constexpr int shadowDrop = 18;
constexpr int iconShadowReach = 20;
constexpr int iconShadowDrop = 10;

// The card's picture: a radio wave sign on the model's colours, in a rounded frame.
QPixmap splashIcon(const QColor &primary, const QColor &secondary) {
    QPixmap pixmap(iconSize, iconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(0.75, 0.75, iconSize - 1.5, iconSize - 1.5);
    QPainterPath rounded;
    rounded.addRoundedRect(frame, cornerRadius, cornerRadius);
    QLinearGradient fill(frame.topLeft(), frame.bottomRight());
    fill.setColorAt(0, primary.darker(160));
    fill.setColorAt(1, secondary.darker(220));
    painter.fillPath(rounded, fill);

    const QPointF centre(iconSize * 0.42, iconSize / 2.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 9, 9);
    painter.setBrush(Qt::NoBrush);
    for (int wave = 1; wave <= 3; ++wave) {
        const double radius = 9 + wave * 14;
        painter.setPen(QPen(wave == 3 ? secondary : Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), -45 * 16,
                        90 * 16);
    }
    painter.setPen(QPen(withOpacity(primary, 0.55), iconStrokeWidth));
    painter.drawPath(rounded);
    return pixmap;
}

} // namespace

ConnectCountdownCard::ConnectCountdownCard(QWidget *parent)
    : RoundedPanel(cornerRadius, parent)
    , m_icon(new QLabel(this))
    , m_shadow(cornerRadius, strokeWidth, shadowReach, shadowDrop, shadowOpacity)
    , m_iconShadow(cornerRadius, iconStrokeWidth, iconShadowReach, iconShadowDrop, shadowOpacity) {
    setObjectName(QStringLiteral("splash.card"));
    setFill(QColor(24, 26, 34, 240));
    setStroke(QColor(255, 255, 255, 31));
    m_icon->setObjectName(QStringLiteral("splash.icon"));
    m_icon->setFixedSize(iconSize, iconSize);
}

void ConnectCountdownCard::setColors(const QColor &primary, const QColor &secondary) {
    m_primary = primary;
    m_icon->setPixmap(splashIcon(primary, secondary));
    update();
}

void ConnectCountdownCard::paintShadow(QPainter &painter) {
    m_shadow.paint(painter, geometry(), Qt::black);
}

void ConnectCountdownCard::paintEvent(QPaintEvent *event) {
    RoundedPanel::paintEvent(event);
    QPainter painter(this);
    m_iconShadow.paint(painter, m_icon->geometry(), m_primary);
}
