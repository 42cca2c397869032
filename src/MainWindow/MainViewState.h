#pragma once

#include "MainWindow/EditorMode.h"
#include "Theme/ModelPalette.h"

#include <QObject>
#include <QTimer>
#include <chrono>

class AppModel;

// What the main window keeps of its own and its panels share: the editor mode, whether the
// detail editor's "Erweitert" is open, the log's height, the colours of the selected model and
// the connect countdown. It outlives the panels, which are built anew when the language changes;
// everything shared with other windows lives in AppModel.
class MainViewState : public QObject {
    Q_OBJECT

public:
    static constexpr int defaultLogPanelHeight = 220;
    static constexpr int minimumLogPanelHeight = 120;
    static constexpr int maximumLogPanelHeight = 420;
    static constexpr int logPanelHeightStep = 20;
    static constexpr int countdownSeconds = 60;

    explicit MainViewState(AppModel *model, QObject *parent = nullptr);

    // Whether the detail editor's advanced section is open.
    bool showAdvanced() const { return m_showAdvanced; }
    void setShowAdvanced(bool show);

    EditorMode editorMode() const { return m_editorMode; }
    void setEditorMode(EditorMode mode);

    // The height of the log's text area: 120 to 420 in steps of 20.
    int logPanelHeight() const { return m_logPanelHeight; }
    void setLogPanelHeight(int height);

    // The colours of the selected radio model.
    ModelPalette modelPalette() const;
    QColor themePrimary() const { return modelPalette().primary; }
    QColor themeSecondary() const { return modelPalette().secondary; }

    // The connect countdown: shown or not, and the seconds left.
    bool showConnectSplash() const { return m_showConnectSplash; }
    int connectCountdown() const { return m_connectCountdown; }
    // The length of one countdown second; tests shorten it.
    void setCountdownStepInterval(std::chrono::milliseconds interval);

    // "Verbinden": counts down, then connects; connects at once when no port is chosen; does
    // nothing while an operation runs.
    void startConnectSplash();
    // "Abbrechen" on the countdown card, or the window closes: no connect.
    void cancelConnectSplash();

signals:
    void showAdvancedChanged();
    void editorModeChanged();
    void logPanelHeightChanged();
    // The selected radio model, and with it the colours, changed.
    void themeChanged();
    // The countdown is about to be shown: a card built now fades in with it.
    void connectSplashAboutToShow();
    void connectSplashChanged();
    // The countdown ran out and the model was asked to connect.
    void countdownFinished();

private:
    void countdownStep();
    void finishConnectSplashAndConnect();
    void setConnectSplash(bool shown, int countdown);

    AppModel *m_model;
    bool m_showAdvanced = false;
    EditorMode m_editorMode = EditorMode::table;
    int m_logPanelHeight = defaultLogPanelHeight;
    bool m_showConnectSplash = false;
    int m_connectCountdown = countdownSeconds;
    QTimer m_countdownTimer;
};
