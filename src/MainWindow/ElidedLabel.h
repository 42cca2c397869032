#pragma once

#include <QLabel>

// A one-line label that gives up width when space is short: the text ends in "…" then, and the
// whole text shows as tooltip. It asks for no more than its least width, so the widgets beside
// it keep theirs before it takes what room is left.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString &text, QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
};
