#include "Editors/LabeledField.h"

#include "Editors/EditorStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int accentHeight = 2;
constexpr int accentGap = 4;

} // namespace

LabeledField::LabeledField(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_caption(EditorStyle::captionLabel(title))
    , m_edit(new QLineEdit) {
    m_edit->setPlaceholderText(title);
    m_edit->setFont(EditorStyle::monospaced());
    m_edit->setMinimumWidth(260);
    m_caption->setBuddy(m_edit);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, accentGap + accentHeight);
    layout->setSpacing(6);
    layout->addWidget(m_caption);
    layout->addWidget(m_edit);
    connect(m_edit, &QLineEdit::textEdited, this, &LabeledField::edited);
}

void LabeledField::setText(const QString &text) {
    if (m_edit->text() == text)
        return;
    const QSignalBlocker blocker(m_edit);
    m_edit->setText(text);
}

void LabeledField::setAccent(const QColor &primary, const QColor &secondary) {
    m_primary = primary;
    m_secondary = secondary;
    update();
}

void LabeledField::setTitle(const QString &title) {
    m_caption->setText(title);
    m_edit->setPlaceholderText(title);
}

void LabeledField::paintEvent(QPaintEvent *) {
    const QRect field = m_edit->geometry();
    const QRectF line(field.left(), field.bottom() + accentGap, field.width(), accentHeight);
    QLinearGradient gradient(line.topLeft(), line.topRight());
    gradient.setColorAt(0, m_primary);
    gradient.setColorAt(1, m_secondary);
    QPainter(this).fillRect(line, gradient);
}
