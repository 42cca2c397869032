#include "MainWindow/LogTextView.h"

#include "AppModel/AppModel.h"
#include "MainWindow/LogTextAccessible.h"
#include "Theme/Backdrop.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
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
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(20);
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
    // The log does not move by itself: a reader further down keeps seeing the same rows.
    QScrollBar *rows = verticalScrollBar();
    const int top = rows->value();
    updateScrollBars();
    if (top > 0)
        rows->setValue(top + int(added));
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
    m_layouts.clear();
    m_widestRow = 0;
    m_anchor = m_cursor = {};
    updateScrollBars();
    viewport()->update();
}

// As a plain-text editor does: a page is the rows that fit whole, and the last one can be
// scrolled up to the bottom.
void LogTextView::updateScrollBars() {
    const int height = viewport()->height();
    const int rowsInView = std::max(0, int((height - 2 * margin - 1) / m_rowHeight));
    const int pageRows = int(std::min<qsizetype>(rowsInView, rowCount()));
    verticalScrollBar()->setRange(0, int(rowCount()) - pageRows);
    verticalScrollBar()->setPageStep(pageRows);
    const int width = viewport()->width();
    horizontalScrollBar()->setRange(0, std::max(0, int(m_widestRow + 2 * margin) - width));
    horizontalScrollBar()->setPageStep(width);
    // The corner between two scroll bars belongs to the frame's own look.
    const bool cornerShown =
        verticalScrollBar()->isVisibleTo(this) && horizontalScrollBar()->isVisibleTo(this);
    if (cornerShown != m_cornerShown) {
        m_cornerShown = cornerShown;
        m_backdrop->invalidate();
    }
}

void LogTextView::showFont() {
    QTextLayout probe(QStringLiteral("X"), font());
    layOutRow(probe);
    const QTextLine line = probe.lineAt(0);
    m_rowHeight = line.height() + (line.leading() < 0 ? std::ceil(line.leading()) : 0);
    m_layouts.clear();
    m_widestRow = 0;
    updateScrollBars();
}

// --- rows ----------------------------------------------------------------------------------------

// Like a plain-text editor, the view learns a row's width when it lays the row out to show it.
QTextLayout &LogTextView::rowLayout(qsizetype row) {
    const auto found = m_layouts.find(row);
    if (found != m_layouts.end())
        return *found->second;
    auto layout = std::make_unique<QTextLayout>(m_rows.text(row), font());
    layOutRow(*layout);
    const qreal width = layout->lineAt(0).naturalTextWidth();
    if (width > m_widestRow) {
        m_widestRow = width;
        QMetaObject::invokeMethod(this, &LogTextView::updateScrollBars, Qt::QueuedConnection);
    }
    return *m_layouts.emplace(row, std::move(layout)).first->second;
}

void LogTextView::layOutRow(QTextLayout &layout) const {
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLeadingIncluded(true);
    line.setPosition(QPointF(margin, 0));
    layout.endLayout();
}

qsizetype LogTextView::topRow() const {
    return rowCount() - 1 - verticalScrollBar()->value();
}

qsizetype LogTextView::rowAt(int y) const {
    const int top = verticalScrollBar()->value();
    const qreal firstY = top == 0 ? margin : 0;
    const qsizetype fromTop = top + qsizetype(std::floor((y - firstY) / m_rowHeight));
    return rowCount() - 1 - std::clamp<qsizetype>(fromTop, 0, rowCount() - 1);
}

LogTextView::Position LogTextView::positionAt(const QPoint &point) {
    if (rowCount() == 0)
        return {};
    const qsizetype row = rowAt(point.y());
    return {row, rowLayout(row).lineAt(0).xToCursor(point.x() + horizontalScrollBar()->value())};
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

// What Qt paints for a scroll area under its viewport and scroll bars: the background its style
// sheet gives it, the corner between two scroll bars, the frame.
void LogTextView::paintFrame(QPainter &painter) {
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (m_cornerShown) {
        const QWidget *rows = verticalScrollBar()->parentWidget();
        const QWidget *columns = horizontalScrollBar()->parentWidget();
        option.rect = QRect(rows->x(), columns->y(), rows->width(), columns->height());
        style()->drawPrimitive(QStyle::PE_PanelScrollAreaCorner, &option, &painter, this);
    }
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
    const qreal x = -horizontalScrollBar()->value();
    qreal y = verticalScrollBar()->value() == 0 ? margin : 0;
    qsizetype row = topRow();
    for (; row >= 0 && y <= area.bottom(); --row, y += m_rowHeight) {
        if (y + m_rowHeight < area.top())
            continue;
        QTextLayout &layout = rowLayout(row);
        QList<QTextLayout::FormatRange> selections;
        if (hasSelection() && row <= first.row && row >= last.row) {
            const qsizetype from = row == first.row ? first.column : 0;
            // A selection that goes on to the next row takes this row's break with it.
            const qsizetype to = row == last.row ? last.column : layout.text().size() + 1;
            selections.append({int(from), int(to - from), selected});
        }
        layout.draw(&painter, QPointF(x, y), selections, area);
    }
    // Rows within a page of the view stay laid out; new lines at the top move the others down.
    const qsizetype page = verticalScrollBar()->pageStep() + 1;
    std::erase_if(m_layouts,
                  [&](const auto &each) { return each.first > topRow() + page || each.first < row - page; });
}

void LogTextView::resizeEvent(QResizeEvent *event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

// The scroll bars count rows and pixels, not the viewport's pixels: the rows are drawn anew.
void LogTextView::scrollContentsBy(int, int) {
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
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
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
