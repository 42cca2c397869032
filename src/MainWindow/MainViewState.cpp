#include "MainWindow/MainViewState.h"

#include "AppModel/AppModel.h"

#include <algorithm>

MainViewState::MainViewState(AppModel *model, QObject *parent)
    : QObject(parent)
    , m_model(model) {
    m_countdownTimer.setParent(this);
    m_countdownTimer.setObjectName(QStringLiteral("splash.timer"));
    m_countdownTimer.setTimerType(Qt::PreciseTimer);
    m_countdownTimer.setInterval(std::chrono::seconds(1));
    connect(&m_countdownTimer, &QTimer::timeout, this, &MainViewState::countdownStep);
    connect(m_model, &AppModel::selectedRadioModelChanged, this, &MainViewState::themeChanged);
}

void MainViewState::setShowAdvanced(bool show) {
    if (m_showAdvanced == show)
        return;
    m_showAdvanced = show;
    emit showAdvancedChanged();
}

void MainViewState::setEditorMode(EditorMode mode) {
    if (m_editorMode == mode)
        return;
    m_editorMode = mode;
    emit editorModeChanged();
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

ModelPalette MainViewState::modelPalette() const {
    return ModelPalette::forModel(m_model->selectedRadioModel());
}

void MainViewState::setCountdownStepInterval(std::chrono::milliseconds interval) {
    m_countdownTimer.setInterval(interval);
}

void MainViewState::startConnectSplash() {
    if (m_model->isBusy())
        return;
    if (m_model->selectedPort().isEmpty()) {
        m_model->connect();
        return;
    }
    m_countdownTimer.start();
    setConnectSplash(true, countdownSeconds);
}

void MainViewState::cancelConnectSplash() {
    m_countdownTimer.stop();
    setConnectSplash(false, m_connectCountdown);
}

void MainViewState::countdownStep() {
    if (m_connectCountdown > 1) {
        setConnectSplash(true, m_connectCountdown - 1);
        return;
    }
    finishConnectSplashAndConnect();
}

void MainViewState::finishConnectSplashAndConnect() {
    cancelConnectSplash();
    m_model->connect();
    emit countdownFinished();
}

void MainViewState::setConnectSplash(bool shown, int countdown) {
    if (m_showConnectSplash == shown && m_connectCountdown == countdown)
        return;
    if (shown && !m_showConnectSplash)
        emit connectSplashAboutToShow();
    m_showConnectSplash = shown;
    m_connectCountdown = countdown;
    emit connectSplashChanged();
}
