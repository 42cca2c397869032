#pragma once

#include <QGraphicsEffect>

// Fades a widget in or out while it grows from 98 % to full size (or shrinks back), centred:
// progress 0 is invisible and small, 1 is the widget as it is.
class FadeScaleEffect : public QGraphicsEffect {
    Q_OBJECT
    Q_PROPERTY(qreal progress READ progress WRITE setProgress)

public:
    using QGraphicsEffect::QGraphicsEffect;

    qreal progress() const { return m_progress; }
    void setProgress(qreal progress);

protected:
    void draw(QPainter *painter) override;

private:
    qreal m_progress = 1.0;
};
