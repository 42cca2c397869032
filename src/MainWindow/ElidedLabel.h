#pragma once

#include <QLabel>

// A one-line label that gives up width when space is short: the text ends in "…" then, and the
// whole text shows as tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString &text, QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
