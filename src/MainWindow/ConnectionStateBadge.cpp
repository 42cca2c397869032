#include "MainWindow/ConnectionStateBadge.h"

#include "Localization/L.h"
#include "Theme/ModelPalette.h"
#include "Theme/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {
constexpr int markSize = 12;
constexpr int markSpacing = 8;
} // namespace

ConnectionStateBadge::ConnectionStateBadge(QWidget *parent)
    : QWidget(parent)
    , m_stateText(new QLabel(this))
    , m_modelText(new QLabel(this)) {
    m_stateText->setObjectName(QStringLiteral("sidebar.badge.state"));
    m_modelText->setObjectName(QStringLiteral("sidebar.badge.model"));
    m_stateText->setFont(TextStyle::font(m_stateText->font(), 0.85, QFont::DemiBold));
    m_modelText->setFont(TextStyle::font(m_modelText->font(), 0.75));
    m_modelText->setForegroundRole(QPalette::PlaceholderText);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(m_stateText);
    texts->addWidget(m_modelText);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(10 + markSize + markSpacing, 8, 12, 8);
    row->addLayout(texts);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ConnectionStateBadge::setState(bool connected, const QString &modelName) {
    m_connected = connected;
    m_stateText->setText(connected ? loc(QStringLiteral("Verbunden")) : loc(QStringLiteral("Getrennt")));
    m_modelText->setText(modelName);
    update();
}

QColor ConnectionStateBadge::stateColor() const {
    return m_connected ? QColor(48, 209, 88) : palette().color(QPalette::PlaceholderText);
}

void ConnectionStateBadge::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF capsule = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = capsule.height() / 2;
    painter.setBrush(withOpacity(stateColor(), 0.16));
    painter.setPen(QPen(withOpacity(stateColor(), 0.35), 1));
    painter.drawRoundedRect(capsule, radius, radius);

    // The mark: a dot with waves when connected, a struck-through ring when not.
    const QRectF mark(10, (height() - markSize) / 2.0, markSize, markSize);
    const QColor ink = palette().color(QPalette::WindowText);
    painter.setPen(QPen(ink, 1.5));
    if (m_connected) {
        painter.setBrush(ink);
        painter.drawEllipse(mark.center(), 2.5, 2.5);
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(mark.adjusted(1, 1, -1, -1), -50 * 16, 100 * 16);
        painter.drawArc(mark.adjusted(1, 1, -1, -1), 130 * 16, 100 * 16);
    } else {
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(mark.adjusted(1, 1, -1, -1));
        painter.drawLine(mark.topRight() + QPointF(-2.5, 2.5), mark.bottomLeft() + QPointF(2.5, -2.5));
    }
}
