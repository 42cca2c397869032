#include "Theme/PanelChrome.h"

#include "Theme/ModelPalette.h"

#include <QVBoxLayout>

namespace {
constexpr int contentPadding = 12;
constexpr double cornerRadius = 22;
} // namespace

PanelChrome::PanelChrome(QWidget *content, QWidget *parent)
    : RoundedPanel(cornerRadius, parent) {
    setFill(withOpacity(Qt::white, 0.04));
    setStroke(withOpacity(Qt::white, 0.08));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(contentPadding, contentPadding, contentPadding, contentPadding);
    layout->addWidget(content);
}
