#include "MainWindow/ElidedButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
// The room the style keeps between a button's icon and its text.
constexpr int iconSpacing = 4;
} // namespace

ElidedButton::ElidedButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent) {
    setSizePolicy(QSizePolicy::Preferred, sizePolicy().verticalPolicy());
}

void ElidedButton::resizeEvent(QResizeEvent *event) {
    QPushButton::resizeEvent(event);
    setToolTip(shownText() == text() ? QString() : text());
}

void ElidedButton::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = shownText();
    painter.drawControl(QStyle::CE_PushButton, option);
}

QString ElidedButton::shownText() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int iconWidth = icon().isNull() ? 0 : iconSize().width() + iconSpacing;
    const int room =
        style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width() - iconWidth;
    return fontMetrics().elidedText(text(), Qt::ElideRight, room);
}
