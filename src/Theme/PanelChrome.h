#pragma once

#include "Theme/RoundedPanel.h"

// The frame of every panel inside a column of the main window (and of the editors that sit
// there): the content padded by 12, on a faint rounded card without shadow.
class PanelChrome : public RoundedPanel {
    Q_OBJECT

public:
    // The frame takes ownership of `content`.
    explicit PanelChrome(QWidget *content, QWidget *parent = nullptr);
};
