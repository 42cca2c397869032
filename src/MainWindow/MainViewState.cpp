#include "MainWindow/MainViewState.h"

#include <algorithm>

MainViewState::MainViewState(QObject *parent)
    : QObject(parent) {
}

void MainViewState::setLogPanelHeight(int height) {
    const int bounded = std::clamp(height, minimumLogPanelHeight, maximumLogPanelHeight);
    const int stepped = minimumLogPanelHeight + (bounded - minimumLogPanelHeight + logPanelHeightStep / 2) /
                                                    logPanelHeightStep * logPanelHeightStep;
    if (m_logPanelHeight == stepped)
        return;
    m_logPanelHeight = stepped;
    emit logPanelHeightChanged();
}
