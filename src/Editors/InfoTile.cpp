#include "Editors/InfoTile.h"

#include "Editors/EditorStyle.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

InfoTile::InfoTile(Look look, const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_look(look)
    , m_value(new QLabel) {
    QFont valueFont = EditorStyle::monospaced();
    m_value->setFont(look == Look::badge ? EditorStyle::semibold(valueFont) : valueFont);
    m_value->setMinimumWidth(0);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(4);
    layout->addWidget(EditorStyle::captionLabel(title));
    layout->addWidget(m_value);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void InfoTile::setValue(const QString &value) {
    m_fullValue = value;
    fitValue();
}

QString InfoTile::value() const {
    return m_fullValue;
}

void InfoTile::setAccent(const QColor &primary, const QColor &secondary) {
    m_primary = primary;
    m_secondary = secondary;
    update();
}

void InfoTile::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    fitValue();
}

// A chip keeps its value on one line: it shrinks the text to 0.8 of its size before it cuts it.
void InfoTile::fitValue() {
    QFont font = m_value->font();
    if (m_look == Look::chip) {
        const QFont base = EditorStyle::monospaced();
        font.setPointSizeF(base.pointSizeF());
        const int room = std::max(0, contentsRect().width() - 20);
        const int needed = QFontMetrics(font).horizontalAdvance(m_fullValue);
        if (needed > room && needed > 0)
            font.setPointSizeF(base.pointSizeF() * std::max(0.8, double(room) / needed));
        m_value->setFont(font);
    }
    const int room = std::max(0, width() - 20);
    m_value->setText(QFontMetrics(font).elidedText(m_fullValue, Qt::ElideRight, room));
}

void InfoTile::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    const qreal radius = m_look == Look::badge ? 16 : 12;
    path.addRoundedRect(card, radius, radius);
    if (m_look == Look::badge) {
        QLinearGradient fill(card.topLeft(), card.bottomRight());
        QColor start = m_primary, end = m_secondary;
        start.setAlphaF(0.18f);
        end.setAlphaF(0.12f);
        fill.setColorAt(0, start);
        fill.setColorAt(1, end);
        painter.fillPath(path, fill);
    } else {
        painter.fillPath(path, QColor(255, 255, 255, 10));
    }
    painter.setPen(QPen(QColor(255, 255, 255, m_look == Look::badge ? 26 : 20), 1));
    painter.drawPath(path);
}
