#pragma once

#include "MainWindow/EditorMode.h"
#include "MainWindow/MainViewState.h"
#include "Model/MemoryDraft.h"
#include "Theme/ModelPalette.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <chrono>
#include <optional>

class AppModel;
class EditorDraft;
class JSONBackupDocument;
class ConnectCountdownOverlay;
class QFileDialog;
class QSplitter;
class QVBoxLayout;

// The main window: the connection sidebar on the left; the toolbar, the memory editors and the
// activity log on the right; the connect countdown over everything. It holds the state that is
// the window's own (the detail editor's draft, the editor mode, the log height, the countdown);
// everything shared lives in AppModel. The memory editors get what they need from here: the
// draft object, the colours of the selected model and whether "Erweitert" is open. They are
// built anew when the language changes; the state they show stays here.
class ContentView : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int countdownSeconds = 60;
    static constexpr QSize defaultContentSize{1320, 820};
    static constexpr QSize minimumContentSize{1240, 780};

    explicit ContentView(AppModel *model, QWidget *parent = nullptr);
    ~ContentView() override;

    // Sizes the window so its content gets the default and minimum sizes; a menu bar inside the
    // window comes on top (one at the top of the screen takes nothing from it).
    void sizeAroundContent();

    // The detail editor's working copy of the selected channel.
    const std::optional<MemoryDraft> &draft() const;
    void setDraft(const std::optional<MemoryDraft> &draft);

    // Whether the detail editor's advanced section is open.
    bool showAdvanced() const { return m_showAdvanced; }
    void setShowAdvanced(bool show);

    EditorMode editorMode() const { return m_editorMode; }
    void setEditorMode(EditorMode mode);

    int logPanelHeight() const { return m_state->logPanelHeight(); }
    void setLogPanelHeight(int height) { m_state->setLogPanelHeight(height); }

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
    // "Abbrechen" on the countdown card: no connect.
    void cancelConnectSplash();

signals:
    void showAdvancedChanged();
    void editorModeChanged();
    void themeChanged();
    void connectSplashChanged();
    // The settings window of this radio model is to be shown.
    void settingsWindowRequested(RadioModel model);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildContent();
    void placeSidebarEdge();
    QWidget *buildSidebar();
    QWidget *buildDetailColumn();
    QWidget *buildToolbar();
    QWidget *createEditorPanel();
    QWidget *createNoDraftPlaceholder();
    void updateDetailColumn();
    void applyTheme();
    void countdownStep();
    void finishConnectSplashAndConnect();
    // "Export"/"Import" in the toolbar: the file dialogs, and what they do with the chosen file.
    void showExportDialog();
    void showImportDialog();
    void writeBackup(const QString &path, const JSONBackupDocument &document);
    void importBackup(const QString &path);
    void setConnectSplash(bool shown, int countdown);

    AppModel *m_model;
    MainViewState *m_state;

    EditorDraft *m_draft;
    bool m_showAdvanced = false;
    EditorMode m_editorMode = EditorMode::table;
    bool m_showConnectSplash = false;
    int m_connectCountdown = countdownSeconds;
    QTimer m_countdownTimer;
    // The sidebar's width: the ideal one until the user drags the edge.
    int m_sidebarWidth;

    // Rebuilt with the content when the language changes.
    QPointer<QSplitter> m_splitter;
    QPointer<QVBoxLayout> m_detailColumn;
    QPointer<QWidget> m_tableSlot;
    QPointer<QWidget> m_editorSlot;
    QPointer<QWidget> m_noDraftPlaceholder;
    QPointer<QWidget> m_logSlot;
    QPointer<ConnectCountdownOverlay> m_overlay;
    QPointer<QFileDialog> m_fileDialog;
};
