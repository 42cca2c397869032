#pragma once

#include "MainWindow/ModelPalette.h"

#include <QPixmap>
#include <QWidget>

// A window's backdrop: the model's background gradient over the whole widget. The gradient is
// drawn once per size and palette and then copied, so every repaint shows the same pixels.
class GradientBackground : public QWidget {
    Q_OBJECT

public:
    explicit GradientBackground(QWidget *parent = nullptr);

    void setModelPalette(const ModelPalette &palette);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ModelPalette m_palette;
    QPixmap m_gradient;
};
