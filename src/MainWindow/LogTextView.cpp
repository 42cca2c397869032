#include "MainWindow/LogTextView.h"

#include "AppModel/AppModel.h"
#include "MainWindow/Backdrop.h"

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

bool isRowBreak(QChar character) {
    return character == QLatin1Char('\n') || character == QLatin1Char('\r') ||
           character == QChar::ParagraphSeparator || character == QChar::LineSeparator;
}

// The rows of a line, cut where a plain-text editor breaks it ("\r\n" is one break).
QList<QStringView> rowsOf(const QString &line) {
    QList<QStringView> rows;
    qsizetype start = 0;
    for (qsizetype at = 0; at < line.size(); ++at) {
        if (!isRowBreak(line.at(at)))
            continue;
        rows.append(QStringView(line).sliced(start, at - start));
        if (line.at(at) == QLatin1Char('\r') && at + 1 < line.size() && line.at(at + 1) == QLatin1Char('\n'))
            ++at;
        start = at + 1;
    }
    rows.append(QStringView(line).sliced(start));
    return rows;
}

} // namespace

LogTextView::LogTextView(const AppModel *model, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_model(model)
    , m_backdrop(new Backdrop(this, [this](QPainter &painter) { paintFrame(painter); })) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(20);
    connect(model, &AppModel::logLinesChanged, this, &LogTextView::followLog);
    showFont();
    takeInNewLines();
}

LogTextView::~LogTextView() = default;

QString LogTextView::text() const {
    const QStringList &lines = m_model->logLines();
    return lines.mid(lines.size() - m_rowsBelowLine.size()).join(QLatin1Char('\n'));
}

QString LogTextView::selectedText() const {
    if (!hasSelection())
        return {};
    const auto [first, last] = selection();
    QStringList rows;
    for (qsizetype row = first.row; row >= last.row; --row) {
        const QString text = rowText(row);
        const qsizetype from = row == first.row ? first.column : 0;
        rows.append(row == last.row ? text.sliced(from, last.column - from) : text.sliced(from));
    }
    return rows.join(QLatin1Char('\n'));
}

void LogTextView::selectAll() {
    if (rowCount() > 0)
        select({rowCount() - 1, 0}, {0, rowText(0).size()});
}

void LogTextView::copy() const {
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

// --- taking in the model's lines -------------------------------------------------------------

void LogTextView::followLog() {
    const QStringList &lines = m_model->logLines();
    const qsizetype taken = m_rowsBelowLine.size();
    // Lines only ever arrive at the front; anything else (a clear) starts the text afresh.
    if (taken > lines.size() || (taken > 0 && lines.at(lines.size() - taken) != m_newestLine))
        forgetLines();
    // The lines that arrive until the next frame are shown together, with one repaint.
    if (!m_takeIn.isActive())
        m_takeIn.start(std::max<qint64>(0, frameInterval - m_sinceTakeIn.elapsed()), this);
}

void LogTextView::takeInNewLines() {
    m_takeIn.stop();
    m_sinceTakeIn.start();
    const QStringList &lines = m_model->logLines();
    const qsizetype rowsBefore = rowCount();
    for (qsizetype line = lines.size() - m_rowsBelowLine.size() - 1; line >= 0; --line) {
        m_rowsBelowLine.append(rowCount());
        m_newestRows = rowsOf(lines.at(line)).size();
    }
    m_newestLine = lines.isEmpty() ? QString() : lines.first();
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
}

void LogTextView::forgetLines() {
    m_rowsBelowLine.clear();
    m_newestRows = 0;
    m_newestLine.clear();
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

QString LogTextView::rowText(qsizetype row) const {
    const auto above = std::upper_bound(m_rowsBelowLine.cbegin(), m_rowsBelowLine.cend(), row);
    const qsizetype line = above - m_rowsBelowLine.cbegin() - 1;
    const QStringList &lines = m_model->logLines();
    const QString &text = lines.at(lines.size() - 1 - line);
    const qsizetype rowsOfLine =
        (above == m_rowsBelowLine.cend() ? rowCount() : *above) - m_rowsBelowLine.at(line);
    if (rowsOfLine == 1)
        return text;
    // The line's first row is its top one.
    return rowsOf(text).at(rowsOfLine - 1 - (row - m_rowsBelowLine.at(line))).toString();
}

// Like a plain-text editor, the view learns a row's width when it lays the row out to show it.
QTextLayout &LogTextView::rowLayout(qsizetype row) {
    const auto found = m_layouts.find(row);
    if (found != m_layouts.end())
        return *found->second;
    auto layout = std::make_unique<QTextLayout>(rowText(row), font());
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
        select({position.row, 0}, {position.row, rowText(position.row).size()});
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
