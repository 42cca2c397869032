#include "MainWindow/SegmentedControl.h"

#include "Theme/ModelPalette.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

SegmentedControl::SegmentedControl(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_group(new QButtonGroup(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_group->setExclusive(true);
    // A segment turns on by a click, by the keyboard or by a screen reader's toggle action; each
    // is the user's choice.
    connect(m_group, &QButtonGroup::idToggled, this, [this](int index, bool on) {
        if (on)
            emit activated(index);
    });
    applyStyle();
}

void SegmentedControl::addSegment(const QString &text, const QString &name) {
    auto *button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setCheckable(true);
    // Read by screen readers as a radio button of the group the control's title names.
    button->setAutoExclusive(true);
    button->setFocusPolicy(Qt::TabFocus);
    m_group->addButton(button, m_group->buttons().size());
    m_layout->addWidget(button, 1);
    restyleSegments();
}

void SegmentedControl::setCurrentIndex(int index) {
    const QSignalBlocker blocker(m_group);
    if (QAbstractButton *button = m_group->button(index))
        button->setChecked(true);
}

void SegmentedControl::setAccent(const QColor &accent) {
    m_accent = accent;
    applyStyle();
}

// The segments share the control's width and centre their texts; the padding is what a segment
// keeps beside its text when the control is at its least width.
void SegmentedControl::applyStyle() {
    const QString style =
        QStringLiteral(
            "QPushButton { border: 1px solid rgba(255,255,255,40); background: palette(button);"
            " color: palette(button-text); padding: 4px 6px; min-height: 18px; }"
            "QPushButton:hover { background: palette(midlight); }"
            "QPushButton:checked { background: %1; color: white; border-color: %2; }"
            "QPushButton[segment=\"first\"] { border-top-left-radius: 6px; border-bottom-left-radius: 6px; }"
            "QPushButton[segment=\"last\"] { border-top-right-radius: 6px; border-bottom-right-radius: 6px; }"
            "QPushButton[segment=\"only\"] { border-radius: 6px; }")
            .arg(fillForWhiteText(m_accent).name(), m_accent.name());
    setStyleSheet(style);
}

void SegmentedControl::restyleSegments() {
    const auto buttons = m_group->buttons();
    for (int index = 0; index < buttons.size(); ++index) {
        const char *place = buttons.size() == 1           ? "only"
                            : index == 0                  ? "first"
                            : index == buttons.size() - 1 ? "last"
                                                          : "middle";
        buttons[index]->setProperty("segment", QString::fromLatin1(place));
        // The style sheet selects on the property: make it look again.
        buttons[index]->style()->unpolish(buttons[index]);
        buttons[index]->style()->polish(buttons[index]);
    }
}
