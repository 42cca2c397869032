#pragma once

#include <QPushButton>

// A push button that may be narrower than its text: given a minimum width below its size hint,
// a layout may narrow it down to that, and the text then ends in "…" and shows whole as tooltip;
// a screen reader still reads the whole text.
class ElidedButton : public QPushButton {
    Q_OBJECT

public:
    explicit ElidedButton(const QString &text, QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString shownText() const;
};
