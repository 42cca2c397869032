#include "MainWindow/LogTextView.h"

#include "AppModel/AppModel.h"
#include "MainWindow/LogScrollBar.h"
#include "MainWindow/LogTextAccessible.h"
#include "Theme/Backdrop.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyleOption>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// The space around the text, as a plain-text editor leaves it.
constexpr qreal margin = 4;
constexpr int autoScrollInterval = 50;
// At most one update of the text per frame; 20 a second read as a running log.
constexpr qint64 frameInterval = 50;

} // namespace

LogTextView::LogTextView(const AppModel *model, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_model(model)
    , m_backdrop(new Backdrop(this, [this](QPainter &painter) { paintFrame(painter); }))
    , m_rows(model) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBar(new LogScrollBar);
    verticalScrollBar()->setSingleStep(1);
    connect(model, &AppModel::logLinesChanged, this, &LogTextView::followLog);
    showFont();
    takeInNewLines();
    LogTextAccessible::install();
}

LogTextView::~LogTextView() = default;

QString LogTextView::text() const {
    return m_rows.text(rowCount() - 1, 0);
}

QString LogTextView::selectedText() const {
    if (!hasSelection())
        return {};
    const auto [first, last] = selection();
    const QString rows = m_rows.text(first.row, last.row);
    const qsizetype cutAtEnd = m_rows.text(last.row).size() - last.column;
    return rows.sliced(first.column, rows.size() - first.column - cutAtEnd);
}

void LogTextView::selectAll() {
    if (rowCount() > 0)
        select({rowCount() - 1, 0}, {0, m_rows.text(0).size()});
}

void LogTextView::copy() const {
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

// --- taking in the model's lines -------------------------------------------------------------

void LogTextView::followLog() {
    if (!m_rows.continueWithModel())
        forgetLines();
    // The lines that arrive until the next frame are shown together, with one repaint.
    if (!m_takeIn.isActive())
        m_takeIn.start(std::max<qint64>(0, frameInterval - m_sinceTakeIn.elapsed()), this);
}

void LogTextView::takeInNewLines() {
    m_takeIn.stop();
    m_sinceTakeIn.start();
    const qsizetype rowsBefore = rowCount();
    m_rows.takeIn();
    const qsizetype added = rowCount() - rowsBefore;
    if (added == 0 && rowsBefore > 0)
        return;
    for (qsizetype row = rowsBefore; row < rowCount(); ++row)
        m_lines.append(m_rows.text(row).size());
    // The log does not move by itself: a reader further down keeps seeing the same rows.
    if (verticalScrollBar()->value() == 0 && rowCount() > 0)
        m_top = {rowCount() - 1, 0};
    layOutAroundTop();
    viewport()->update();
    announceNewRows(added, rowsBefore > 0);
}

void LogTextView::announceNewRows(qsizetype added, bool hadRows) const {
    if (added == 0 || !QAccessible::isActive())
        return;
    QString inserted = m_rows.text(rowCount() - 1, rowCount() - added);
    if (hadRows)
        inserted += QLatin1Char('\n');
    QAccessibleTextInsertEvent event(const_cast<LogTextView *>(this), 0, inserted);
    QAccessible::updateAccessibility(&event);
}

void LogTextView::forgetLines() {
    m_rows.clear();
    m_lines.clear();
    m_layouts.clear();
    m_top = {};
    m_anchor = m_cursor = {};
    updateScrollBar();
    viewport()->update();
}

// As a plain-text editor does: a page is the screen lines that fit whole, and the last one can
// be scrolled up to the bottom. The line at the top stays there while a page follows it.
void LogTextView::updateScrollBar() {
    const int last = std::max(0, m_lines.total() - pageLines());
    if (rowCount() > 0) {
        m_top.line = std::min(m_top.line, m_lines.lines(m_top.row) - 1);
        if (topLine() > last)
            m_top = m_lines.at(last);
    }
    QScrollBar *lines = verticalScrollBar();
    const QScopedValueRollback setting(m_settingScrollBar, true);
    lines->setRange(0, last);
    lines->setPageStep(pageLines());
    lines->setValue(topLine());
}

void LogTextView::showFont() {
    QTextLayout probe(QStringLiteral("X"), font());
    probe.beginLayout();
    QTextLine line = probe.createLine();
    line.setLeadingIncluded(true);
    probe.endLayout();
    m_rowHeight = line.height() + (line.leading() < 0 ? std::ceil(line.leading()) : 0);
    m_wrapWidth = -1;
    wrapAtViewWidth();
}

// A new width wraps every row anew: those near the view at once, the others when they come near.
void LogTextView::wrapAtViewWidth() {
    const qreal width = std::max<qreal>(viewport()->width() - 2 * margin, 1);
    if (width != m_wrapWidth) {
        m_wrapWidth = width;
        m_layouts.clear();
        m_lines.setLineLength(int(width / QFontMetricsF(font()).averageCharWidth()));
        m_top.line = 0;
    }
    layOutAroundTop();
}

// --- rows ----------------------------------------------------------------------------------------

// The view learns a row's true lines when it lays the row out; until then they are estimated.
// Rows come into view laid out by layOutAroundTop(), which shows what they changed.
QTextLayout &LogTextView::rowLayout(qsizetype row) {
    const auto found = m_layouts.find(row);
    if (found != m_layouts.end())
        return *found->second;
    auto layout = std::make_unique<QTextLayout>(m_rows.text(row), font());
    // Keeps the shaped glyphs: each paint would otherwise shape the row's text anew.
    layout->setCacheEnabled(true);
    layOutRow(*layout);
    m_lines.setLines(row, layout->lineCount());
    return *m_layouts.emplace(row, std::move(layout)).first->second;
}

// A row wider than the view wraps where a word ends, a word wider than the view anywhere.
void LogTextView::layOutRow(QTextLayout &layout) const {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(m_wrapWidth);
        line.setPosition(QPointF(margin, (layout.lineCount() - 1) * m_rowHeight));
    }
    layout.endLayout();
}

int LogTextView::pageLines() const {
    return std::max(0, int((viewport()->height() - 2 * margin - 1) / m_rowHeight));
}

int LogTextView::topLine() const {
    return rowCount() == 0 ? 0 : m_lines.firstLine(m_top.row) + m_top.line;
}

// The rows a page above the top and a page below the view are laid out, so that their true lines
// are known before they come into view; what they change above the top moves the scroll bar,
// not the text.
void LogTextView::layOutAroundTop() {
    const int page = std::max(1, pageLines());
    layOutRows(m_top.row + 1, 1, page);
    layOutRows(m_top.row, -1, m_top.line + 2 * page);
    updateScrollBar();
}

// Lays out the rows from `row` on, a `step` at a time, until they fill `lines` screen lines.
void LogTextView::layOutRows(qsizetype row, int step, int lines) {
    for (int laidOut = 0; row >= 0 && row < rowCount() && laidOut < lines; row += step)
        laidOut += rowLayout(row).lineCount();
}

void LogTextView::showEnd() {
    layOutRows(0, 1, pageLines());
    updateScrollBar();
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
}

LogRowLines::Place LogTextView::placeAt(int y) const {
    const qreal firstY = topLine() == 0 ? margin : 0;
    const int line = topLine() + int(std::floor((y - firstY) / m_rowHeight));
    return m_lines.at(std::clamp(line, 0, m_lines.total() - 1));
}

LogTextView::Position LogTextView::positionAt(const QPoint &point) {
    if (rowCount() == 0)
        return {};
    const auto [row, line] = placeAt(point.y());
    const QTextLayout &layout = rowLayout(row);
    return {row, layout.lineAt(std::min(line, layout.lineCount() - 1)).xToCursor(point.x())};
}

// --- painting ------------------------------------------------------------------------------------

// The frame paints from the picture, which holds its own look as well.
bool LogTextView::event(QEvent *event) {
    if (event->type() == QEvent::Paint) {
        QPainter painter(this);
        m_backdrop->paint(painter, static_cast<QPaintEvent *>(event)->rect());
        return true;
    }
    const bool handled = QAbstractScrollArea::event(event);
    // Polishing with a style sheet may take the opaque flag away again.
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange)
        setAttribute(Qt::WA_OpaquePaintEvent);
    return handled;
}

// What Qt paints for a scroll area under its viewport and scroll bar: the background its style
// sheet gives it, the frame.
void LogTextView::paintFrame(QPainter &painter) {
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    drawFrame(&painter);
}

void LogTextView::paintEvent(QPaintEvent *event) {
    QPainter painter(viewport());
    painter.setPen(palette().text().color());
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextCharFormat selected;
    selected.setBackground(palette().brush(group, QPalette::Highlight));
    selected.setForeground(palette().brush(group, QPalette::HighlightedText));
    const auto [first, last] = selection();

    const QRect area = event->rect();
    qreal y = (topLine() == 0 ? margin : 0) - m_top.line * m_rowHeight;
    qsizetype row = rowCount() > 0 ? m_top.row : -1;
    for (; row >= 0 && y <= area.bottom(); --row) {
        QTextLayout &layout = rowLayout(row);
        const qreal height = layout.lineCount() * m_rowHeight;
        if (y + height >= area.top()) {
            QList<QTextLayout::FormatRange> selections;
            if (hasSelection() && row <= first.row && row >= last.row) {
                const qsizetype from = row == first.row ? first.column : 0;
                // A selection that goes on to the next row takes this row's break with it.
                const qsizetype to = row == last.row ? last.column : layout.text().size() + 1;
                selections.append({int(from), int(to - from), selected});
            }
            layout.draw(&painter, QPointF(0, y), selections, area);
        }
        y += height;
    }
    // Rows within a page of the view stay laid out; new lines at the top move the others down.
    const qsizetype page = verticalScrollBar()->pageStep() + 1;
    std::erase_if(m_layouts,
                  [&](const auto &each) { return each.first > m_top.row + page || each.first < row - page; });
}

void LogTextView::resizeEvent(QResizeEvent *event) {
    QAbstractScrollArea::resizeEvent(event);
    wrapAtViewWidth();
}

// The scroll bar counts screen lines, not the viewport's pixels: the rows are drawn anew.
void LogTextView::scrollContentsBy(int, int) {
    if (!m_settingScrollBar && rowCount() > 0) {
        m_top = m_lines.at(verticalScrollBar()->value());
        layOutAroundTop();
    }
    viewport()->update();
}

void LogTextView::changeEvent(QEvent *event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        showFont();
}

void LogTextView::focusInEvent(QFocusEvent *event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void LogTextView::focusOutEvent(QFocusEvent *event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// --- selecting and copying -----------------------------------------------------------------------

std::pair<LogTextView::Position, LogTextView::Position> LogTextView::selection() const {
    const bool anchorFirst =
        m_anchor.row != m_cursor.row ? m_anchor.row > m_cursor.row : m_anchor.column < m_cursor.column;
    return anchorFirst ? std::pair(m_anchor, m_cursor) : std::pair(m_cursor, m_anchor);
}

void LogTextView::select(const Position &anchor, const Position &cursor) {
    m_anchor = anchor;
    m_cursor = cursor;
    viewport()->update();
}

void LogTextView::selectWordAt(const Position &position) {
    const QString text = rowLayout(position.row).text();
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    words.setPosition(position.column);
    const qsizetype start = words.isAtBoundary() ? position.column : words.toPreviousBoundary();
    words.setPosition(start);
    const qsizetype end = words.toNextBoundary();
    select({position.row, start}, {position.row, end < 0 ? text.size() : end});
}

void LogTextView::dragSelectionTo(const QPoint &point) {
    m_dragPoint = point;
    select(m_anchor, positionAt(point));
    const bool outside = point.y() < 0 || point.y() >= viewport()->height();
    if (outside && !m_autoScroll.isActive())
        m_autoScroll.start(autoScrollInterval, this);
    else if (!outside)
        m_autoScroll.stop();
}

// Where the platform has a selection clipboard (X11), a selection is offered there, too.
void LogTextView::offerSelection() const {
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void LogTextView::keyPressEvent(QKeyEvent *event) {
    if (event == QKeySequence::Copy) {
        copy();
    } else if (event == QKeySequence::SelectAll) {
        selectAll();
    } else if (event->key() == Qt::Key_Space) {
        verticalScrollBar()->triggerAction(event->modifiers() & Qt::ShiftModifier
                                               ? QAbstractSlider::SliderPageStepSub
                                               : QAbstractSlider::SliderPageStepAdd);
    } else if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Home) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    } else if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_End) {
        showEnd();
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void LogTextView::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || rowCount() == 0) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const Position position = positionAt(event->position().toPoint());
    const bool tripleClick =
        m_tripleClick.isActive() && (event->position().toPoint() - m_doubleClickPoint).manhattanLength() <
                                        QApplication::startDragDistance();
    m_tripleClick.stop();
    if (tripleClick) {
        select({position.row, 0}, {position.row, m_rows.text(position.row).size()});
        return;
    }
    select(event->modifiers() & Qt::ShiftModifier ? m_anchor : position, position);
    m_dragging = true;
}

void LogTextView::mouseMoveEvent(QMouseEvent *event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        dragSelectionTo(event->position().toPoint());
    else
        QAbstractScrollArea::mouseMoveEvent(event);
}

void LogTextView::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        m_autoScroll.stop();
        offerSelection();
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void LogTextView::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || rowCount() == 0) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    selectWordAt(positionAt(event->position().toPoint()));
    offerSelection();
    m_doubleClickPoint = event->position().toPoint();
    m_tripleClick.start(QApplication::doubleClickInterval(), this);
}

void LogTextView::contextMenuEvent(QContextMenuEvent *event) {
    // The entries and texts of a read-only text editor's own menu.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *copyAction =
        menu->addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"), this, &LogTextView::copy);
    copyAction->setObjectName(QStringLiteral("edit-copy"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    menu->addSeparator();
    QAction *selectAllAction = menu->addAction(
        QCoreApplication::translate("QWidgetTextControl", "Select All"), this, &LogTextView::selectAll);
    selectAllAction->setObjectName(QStringLiteral("select-all"));
    selectAllAction->setShortcut(QKeySequence::SelectAll);
    selectAllAction->setEnabled(rowCount() > 0);
    menu->popup(event->globalPos());
}

void LogTextView::timerEvent(QTimerEvent *event) {
    if (event->timerId() == m_takeIn.timerId()) {
        takeInNewLines();
    } else if (event->timerId() == m_autoScroll.timerId()) {
        verticalScrollBar()->triggerAction(m_dragPoint.y() < 0 ? QAbstractSlider::SliderSingleStepSub
                                                               : QAbstractSlider::SliderSingleStepAdd);
        select(m_anchor, positionAt(m_dragPoint));
    } else if (event->timerId() == m_tripleClick.timerId()) {
        m_tripleClick.stop();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}
