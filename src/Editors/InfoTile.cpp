#include "Editors/InfoTile.h"

#include "Editors/EditorStyle.h"
#include "Theme/ModelPalette.h"
#include "Theme/TextStyle.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

InfoTile::InfoTile(Look look, const QString &title, QWidget *parent)
    : RoundedPanel(look == Look::badge ? 16 : 12, parent)
    , m_look(look)
    , m_value(new QLabel) {
    if (look == Look::chip)
        setFill(QColor(255, 255, 255, 10));
    setStroke(QColor(255, 255, 255, look == Look::badge ? 26 : 20));
    QFont valueFont = EditorStyle::monospaced();
    m_value->setFont(look == Look::badge ? TextStyle::font(valueFont, 1.0, QFont::DemiBold) : valueFont);
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

// Only a badge shows the model colours.
void InfoTile::setAccent(const QColor &primary, const QColor &secondary) {
    if (m_look == Look::badge)
        setFill(withOpacity(primary, 0.18), withOpacity(secondary, 0.12));
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
