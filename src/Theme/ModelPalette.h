#pragma once

#include "Model/RadioModel.h"

#include <QColor>
#include <QPalette>

class QPainter;
class QRectF;

// The colours of one radio model, shared by the main window and the settings windows, so a
// window always shows the colours of the model it belongs to.
struct ModelPalette {
    QColor primary;
    QColor secondary;
    QColor backgroundStart;
    QColor backgroundEnd;

    static ModelPalette forModel(RadioModel model);

    // The dark widget palette of a window of this model: Fusion colours that read well on the
    // gradient, with the model's primary colour as the accent.
    QPalette widgetPalette() const;
    // The window background: from a fixed near-black through the two background colours, top
    // left to bottom right.
    void paintWindowBackground(QPainter &painter, const QRectF &rect) const;

    bool operator==(const ModelPalette &) const = default;
};

// `color` with the given opacity (0..1).
QColor withOpacity(QColor color, double opacity);
// A fill in `accent`, dark enough for white text on it to read well.
QColor fillForWhiteText(const QColor &accent);
