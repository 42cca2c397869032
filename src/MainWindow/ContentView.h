#pragma once

#include "MainWindow/MainViewState.h"
#include "Model/MemoryDraft.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <optional>

class AppModel;
class EditorDraft;
class JSONBackupDocument;
class MainToolbar;
class PanelSurface;
class ConnectCountdownOverlay;
class QFileDialog;
class QSplitter;
class QVBoxLayout;

// The main window: the connection sidebar on the left; the toolbar, the memory editors and the
// activity log on the right; the connect countdown over everything. It owns the state that is
// the window's own, the detail editor's draft (EditorDraft) and the rest (MainViewState), and
// builds the panels around it; everything shared lives in AppModel. The panels are built anew
// when the language changes; the state they show stays here.
class ContentView : public QMainWindow {
    Q_OBJECT

public:
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

    // The state the panels share; what follows reads and changes it for callers that have the
    // window only.
    MainViewState *viewState() const { return m_state; }
    bool showAdvanced() const { return m_state->showAdvanced(); }
    void setShowAdvanced(bool show) { m_state->setShowAdvanced(show); }
    EditorMode editorMode() const { return m_state->editorMode(); }
    void setEditorMode(EditorMode mode) { m_state->setEditorMode(mode); }
    int logPanelHeight() const { return m_state->logPanelHeight(); }
    void setLogPanelHeight(int height) { m_state->setLogPanelHeight(height); }
    QColor themePrimary() const { return m_state->themePrimary(); }
    bool showConnectSplash() const { return m_state->showConnectSplash(); }
    int connectCountdown() const { return m_state->connectCountdown(); }
    void startConnectSplash() { m_state->startConnectSplash(); }
    void cancelConnectSplash() { m_state->cancelConnectSplash(); }

signals:
    // The settings window of this radio model is to be shown.
    void settingsWindowRequested(RadioModel model);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildContent();
    void placeSidebarEdge();
    void fitToolbar();
    PanelSurface *buildSidebar();
    PanelSurface *buildDetailColumn();
    QWidget *buildToolbar();
    QWidget *createEditorPanel();
    QWidget *createNoDraftPlaceholder();
    void updateDetailColumn();
    void applyTheme();
    void addConnectCountdownOverlay();
    void focusAfterConnect();
    // "Export"/"Import" in the toolbar: the file dialogs, and what they do with the chosen file.
    void showExportDialog();
    void showImportDialog();
    void writeBackup(const QString &path, const JSONBackupDocument &document);
    void importBackup(const QString &path);

    AppModel *m_model;
    MainViewState *m_state;

    EditorDraft *m_draft;
    // The sidebar's width: the ideal one until the user drags the edge.
    int m_sidebarWidth;

    // Rebuilt with the content when the language changes.
    QPointer<QSplitter> m_splitter;
    QPointer<QVBoxLayout> m_detailColumn;
    QPointer<MainToolbar> m_toolbar;
    QPointer<QWidget> m_toolbarSlot;
    // The width the detail column needs beside its toolbar: its paddings and frames.
    int m_besideToolbar = 0;
    QPointer<QWidget> m_tableSlot;
    QPointer<QWidget> m_editorSlot;
    QPointer<QWidget> m_noDraftPlaceholder;
    QPointer<QWidget> m_logSlot;
    QPointer<ConnectCountdownOverlay> m_overlay;
    QPointer<QFileDialog> m_fileDialog;
};
