#include "MainWindow/ContentView.h"

#include "AppModel/AppModel.h"
#include "Editors/EditorDraft.h"
#include "Editors/MemoryDetailEditor.h"
#include "Editors/MemoryTablePanel.h"
#include "Localization/L.h"
#include "Localization/LanguageSelection.h"
#include "MainWindow/ActivityLogPanel.h"
#include "MainWindow/AlertPresenter.h"
#include "MainWindow/AppBranding.h"
#include "MainWindow/BackupFile.h"
#include "MainWindow/ConnectCountdownOverlay.h"
#include "MainWindow/ConnectionPanel.h"
#include "MainWindow/MainToolbar.h"
#include "MainWindow/ScrollingColumn.h"
#include "Theme/FocusHandOff.h"
#include "Theme/GradientBackground.h"
#include "Theme/Icons.h"
#include "Theme/PanelChrome.h"
#include "Theme/PanelSurface.h"
#include "Theme/TextStyle.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr int columnPadding = 18;
constexpr int sidebarMinimumWidth = 240;
constexpr int sidebarIdealWidth = 290;

QVBoxLayout *columnLayout(QWidget *column, int spacing) {
    auto *layout = new QVBoxLayout(column);
    const int margin = PanelSurface::glowMargin + columnPadding;
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

ContentView::ContentView(AppModel *model, QWidget *parent)
    : QMainWindow(parent)
    , m_model(model)
    , m_state(new MainViewState(model, this))
    , m_draft(new EditorDraft(model, this)) {
    setObjectName(QStringLiteral("main"));
    setWindowTitle(AppBranding::appName());
    sizeAroundContent();

    m_sidebarWidth = sidebarIdealWidth + 2 * PanelSurface::glowMargin;
    // First, so the window has taken the change before its panels show it.
    connect(m_state, &MainViewState::themeChanged, this, &ContentView::applyTheme);
    connect(m_state, &MainViewState::editorModeChanged, this, &ContentView::updateDetailColumn);
    // The card is built before the countdown it shows, so that it fades in.
    connect(m_state, &MainViewState::connectSplashAboutToShow, this,
            &ContentView::addConnectCountdownOverlay);
    connect(m_state, &MainViewState::countdownFinished, this, &ContentView::focusAfterConnect);
    connect(m_draft, &EditorDraft::draftChanged, this, &ContentView::updateDetailColumn);
    // Queued: the language may change inside a picker's own signal, and the rebuild deletes it.
    connect(LanguageSelection::shared(), &LanguageSelection::changed, this, &ContentView::buildContent,
            Qt::QueuedConnection);

    new AlertPresenter(m_model, this);
    buildContent();
}

ContentView::~ContentView() = default;

void ContentView::sizeAroundContent() {
    const auto *bar = qobject_cast<QMenuBar *>(menuWidget());
    const QSize menuBarSize(0, bar && !bar->isNativeMenuBar() ? bar->sizeHint().height() : 0);
    setMinimumSize(minimumContentSize + menuBarSize);
    resize(defaultContentSize + menuBarSize);
}

const std::optional<MemoryDraft> &ContentView::draft() const {
    return m_draft->draft();
}

void ContentView::setDraft(const std::optional<MemoryDraft> &draft) {
    m_draft->setDraft(draft);
}

void ContentView::addConnectCountdownOverlay() {
    if (!m_overlay)
        m_overlay = new ConnectCountdownOverlay(m_state, centralWidget());
}

// Space or Enter where the keyboard lands after a connect must not switch the model or drop the link
// just made: it goes to the channel table, or to "Alle lesen" beside the detail editor.
void ContentView::focusAfterConnect() {
    if (m_model->isConnected())
        FocusHandOff::focusFirstIn(m_state->editorMode() == EditorMode::table ? m_tableSlot : m_toolbarSlot);
}

void ContentView::showExportDialog() {
    delete m_fileDialog;
    auto *dialog = new QFileDialog(this, loc(QStringLiteral("Export")));
    dialog->setObjectName(QStringLiteral("backup.exportDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(JSONBackupDocument::nameFilter());
    dialog->setDefaultSuffix(QStringLiteral("json"));
    dialog->selectFile(MemoryBackup::defaultFileName(m_model->selectedRadioModel()));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The file holds the table as it was when "Export" was pressed.
    connect(
        dialog, &QFileDialog::fileSelected, this,
        [this, document = m_model->backupDocument()](const QString &path) { writeBackup(path, document); });
    m_fileDialog = dialog;
    dialog->open();
}

void ContentView::showImportDialog() {
    delete m_fileDialog;
    auto *dialog = new QFileDialog(this, loc(QStringLiteral("Import")));
    dialog->setObjectName(QStringLiteral("backup.importDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(JSONBackupDocument::nameFilter());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &ContentView::importBackup);
    m_fileDialog = dialog;
    dialog->open();
}

void ContentView::writeBackup(const QString &path, const JSONBackupDocument &document) {
    if (const auto error = BackupFile::write(path, document))
        m_model->setAlertMessage(*error);
}

void ContentView::importBackup(const QString &path) {
    // An operation that runs would overwrite the imported table when it ends.
    if (m_model->isBusy()) {
        m_model->setAlertMessage(
            L::text(QStringLiteral("Während ein Vorgang läuft, kann kein Backup importiert werden."),
                    QStringLiteral("A backup cannot be imported while an operation is running.")));
        return;
    }
    const BackupFile::ReadResult result = BackupFile::read(path);
    if (result.error) {
        m_model->setAlertMessage(*result.error);
        return;
    }
    m_model->applyImportedBackup(*result.backup);
}

void ContentView::closeEvent(QCloseEvent *event) {
    // No connect may follow once the window is gone.
    m_state->cancelConnectSplash();
    QMainWindow::closeEvent(event);
}

void ContentView::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // The splitter shares out its width only once it is laid out.
    placeSidebarEdge();
}

bool ContentView::eventFilter(QObject *watched, QEvent *event) {
    // The window's width, or the sidebar's least width (a text, a badge), may have changed.
    static const QList<QEvent::Type> changes{QEvent::Show, QEvent::Resize, QEvent::LayoutRequest};
    if (watched == m_splitter && changes.contains(event->type()) && m_splitter->isVisible())
        fitToolbar();
    return QMainWindow::eventFilter(watched, event);
}

// Where a language's texts need more width than the window has, even beside the narrowest
// sidebar, the toolbar gives up what is missing; where they fit, it takes its whole width back.
void ContentView::fitToolbar() {
    const int sidebar = m_splitter->widget(0)->minimumSizeHint().width();
    m_toolbar->setLeastWidth(m_splitter->width() - m_splitter->handleWidth() - sidebar - m_besideToolbar);
}

void ContentView::placeSidebarEdge() {
    m_splitter->setSizes({m_sidebarWidth, std::max(0, m_splitter->width() - m_sidebarWidth)});
}

void ContentView::buildContent() {
    // The old content goes at once, so no panel of it follows the model any longer. Its splitter
    // is no longer one while it is destroyed: the filter must not see it then.
    if (m_splitter)
        m_splitter->removeEventFilter(this);
    delete takeCentralWidget();
    auto *background = new GradientBackground;
    background->setObjectName(QStringLiteral("background"));
    auto *layout = new QVBoxLayout(background);
    layout->setContentsMargins(4, 4, 4, 4);
    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(2);
    PanelSurface *sidebar = buildSidebar();
    PanelSurface *detail = buildDetailColumn();
    m_besideToolbar = detail->minimumSizeHint().width() - m_toolbar->minimumSizeHint().width();
    m_splitter->addWidget(sidebar);
    m_splitter->addWidget(detail);
    m_splitter->setStretchFactor(1, 1);
    // The sidebar keeps the width the user gives it, through rebuilds and every new show.
    connect(m_splitter, &QSplitter::splitterMoved, this,
            [this] { m_sidebarWidth = m_splitter->sizes().value(0, m_sidebarWidth); });
    layout->addWidget(m_splitter);
    background->addShadowCasters({sidebar, detail});

    setCentralWidget(background);
    m_splitter->installEventFilter(this);
    if (m_state->showConnectSplash())
        addConnectCountdownOverlay();
    if (isVisible()) {
        layout->activate();
        placeSidebarEdge();
    }
    applyTheme();
    updateDetailColumn();
}

PanelSurface *ContentView::buildSidebar() {
    auto *column = new PanelSurface;
    column->setObjectName(QStringLiteral("sidebar"));
    auto *layout = columnLayout(column, 14);
    layout->addWidget(new PanelChrome(new ConnectionPanel(m_model, m_state)));
    // Keeps the panel at the top; and the column at its least width, or wider where the panel's
    // texts need it.
    layout->addSpacerItem(new QSpacerItem(sidebarMinimumWidth - 2 * columnPadding, 0, QSizePolicy::Minimum,
                                          QSizePolicy::Expanding));
    return column;
}

PanelSurface *ContentView::buildDetailColumn() {
    auto *column = new PanelSurface;
    column->setObjectName(QStringLiteral("detail"));
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    m_detailColumn = layout;
    layout->addWidget(buildToolbar());
    m_tableSlot = new PanelChrome(new MemoryTablePanel(m_model, m_draft));
    m_tableSlot->setObjectName(QStringLiteral("detail.tableSlot"));
    m_noDraftPlaceholder = createNoDraftPlaceholder();
    m_logSlot = new PanelChrome(new ActivityLogPanel(m_model, m_state));
    layout->addWidget(m_tableSlot, 1);
    layout->addWidget(m_noDraftPlaceholder, 1);
    layout->addWidget(m_logSlot);
    // The editor and a tall log may need more height than the window has: the column then
    // scrolls, so the log can always be seen whole, on a small screen as well.
    auto *scroll = new ScrollingColumn(content, columnPadding);
    scroll->setObjectName(QStringLiteral("detail.scroll"));
    QVBoxLayout *frame = columnLayout(column, 0);
    // The scroll area keeps the trailing padding free beside the panels, for its bar.
    frame->setContentsMargins(frame->contentsMargins() - QMargins(0, 0, columnPadding, 0));
    frame->addWidget(scroll);
    return column;
}

QWidget *ContentView::buildToolbar() {
    m_toolbar = new MainToolbar(m_model, m_state);
    connect(m_toolbar, &MainToolbar::exportRequested, this, &ContentView::showExportDialog);
    connect(m_toolbar, &MainToolbar::importRequested, this, &ContentView::showImportDialog);
    connect(m_toolbar, &MainToolbar::settingsWindowRequested, this, &ContentView::settingsWindowRequested);
    m_toolbarSlot = new PanelChrome(m_toolbar);
    return m_toolbarSlot;
}

QWidget *ContentView::createEditorPanel() {
    auto *editor = new MemoryDetailEditor(m_model, m_draft);
    editor->setModelPalette(m_state->modelPalette());
    editor->setShowAdvanced(m_state->showAdvanced());
    connect(m_state, &MainViewState::themeChanged, editor,
            [this, editor] { editor->setModelPalette(m_state->modelPalette()); });
    connect(m_state, &MainViewState::showAdvancedChanged, editor,
            [this, editor] { editor->setShowAdvanced(m_state->showAdvanced()); });
    connect(editor, &MemoryDetailEditor::showAdvancedChanged, m_state, &MainViewState::setShowAdvanced);
    return editor;
}

QWidget *ContentView::createNoDraftPlaceholder() {
    auto *placeholder = new QWidget;
    placeholder->setObjectName(QStringLiteral("detail.noDraft"));
    auto *layout = new QVBoxLayout(placeholder);
    layout->addStretch(1);
    auto *icon = new QLabel;
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(Icons::memoryChipIcon(palette().color(QPalette::PlaceholderText)).pixmap(48, 48));
    auto *title = new QLabel(loc(QStringLiteral("Kein Speicher gewählt")));
    title->setObjectName(QStringLiteral("detail.noDraft.title"));
    title->setAlignment(Qt::AlignCenter);
    title->setFont(TextStyle::font(title->font(), 1.4, QFont::Bold));
    layout->addWidget(icon);
    layout->addWidget(title);
    layout->addStretch(1);
    return placeholder;
}

void ContentView::updateDetailColumn() {
    if (!m_tableSlot)
        return;
    const bool table = m_state->editorMode() == EditorMode::table;
    m_tableSlot->setVisible(table);
    // The detail editor is built when it is first shown.
    const bool hasDraft = m_draft->draft().has_value();
    if (!table && hasDraft && !m_editorSlot) {
        m_editorSlot = new PanelChrome(createEditorPanel());
        m_editorSlot->setObjectName(QStringLiteral("detail.editorSlot"));
        m_detailColumn->insertWidget(m_detailColumn->indexOf(m_noDraftPlaceholder), m_editorSlot, 1);
    }
    if (m_editorSlot)
        m_editorSlot->setVisible(!table && hasDraft);
    m_noDraftPlaceholder->setVisible(!table && !hasDraft);
    m_logSlot->setVisible(table || hasDraft);
}

void ContentView::applyTheme() {
    const ModelPalette palette = m_state->modelPalette();
    setPalette(palette.widgetPalette());
    if (auto *background = qobject_cast<GradientBackground *>(centralWidget()))
        background->setModelPalette(palette);
    for (auto *surface : findChildren<PanelSurface *>())
        surface->setModelPalette(palette);
}
