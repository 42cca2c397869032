#pragma once

#include "MainWindow/ModelPalette.h"

#include <QWidget>

// A window's backdrop: the model's background gradient over the whole widget.
class GradientBackground : public QWidget {
    Q_OBJECT

public:
    explicit GradientBackground(QWidget *parent = nullptr);

    void setModelPalette(const ModelPalette &palette);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ModelPalette m_palette;
};
