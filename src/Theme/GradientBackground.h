#pragma once

#include "Theme/ModelPalette.h"

#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class PanelSurface;

// A window's backdrop: the model's background gradient over the whole widget, and the glow of the
// cards that stand on it, which reaches beyond their own widgets. The gradient is drawn once per
// size and palette and then copied, so every repaint shows the same pixels.
class GradientBackground : public QWidget {
    Q_OBJECT

public:
    explicit GradientBackground(QWidget *parent = nullptr);

    void setModelPalette(const ModelPalette &palette);
    // Cards among the backdrop's descendants whose glow it is to paint.
    void addShadowCasters(const QList<PanelSurface *> &cards);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ModelPalette m_palette;
    QPixmap m_gradient;
    QList<QPointer<PanelSurface>> m_casters;
};
