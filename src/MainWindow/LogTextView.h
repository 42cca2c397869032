#pragma once

#include "MainWindow/LogRowLines.h"
#include "MainWindow/LogRows.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QList>
#include <QPoint>
#include <QString>
#include <memory>
#include <unordered_map>
#include <utility>

class AppModel;
class Backdrop;
class QTextLayout;

// The activity log as one selectable monospaced text, newest line first, one row per line (a
// line that holds line breaks takes several), a row wider than the view wrapped onto further
// screen lines. It draws the model's own lines and lays out only the rows near the view, so a
// line costs the same however long the log is and keeps no copy of its text.
// The lines of one turn of the event loop are taken in together, with one repaint; the view
// paints opaque over a picture of the panels behind it, so those panels do not repaint.
class LogTextView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit LogTextView(const AppModel *model, QWidget *parent = nullptr);
    ~LogTextView() override;

    // The text as shown: every row, the newest at the top, joined with "\n"; its length, and the
    // part from `start` up to `end` without joining the rest.
    QString text() const;
    qsizetype characterCount() const { return m_rows.characterCount(); }
    QString text(qsizetype start, qsizetype end) const { return m_rows.characters(start, end); }
    // The height of a screen line, which may be a fraction of a pixel.
    qreal lineHeight() const { return m_rowHeight; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    // A place in the text: a row counted from the oldest one at the bottom (new lines arrive at
    // the top, so this count never changes for a row) and a character of that row.
    struct Position {
        qsizetype row = 0;
        qsizetype column = 0;
        bool operator==(const Position &) const = default;
    };

    // The selected part of the text, rows joined with "\n"; empty when nothing is selected.
    QString selectedText() const;
    void selectAll();
    // Puts the selected text on the clipboard.
    void copy() const;

    // Tells a screen reader of the rows that arrived at the top.
    void announceNewRows(qsizetype added, bool hadRows) const;
    void followLog();
    void takeInNewLines();
    void forgetLines();
    void updateScrollBar();
    void showFont();
    void wrapAtViewWidth();
    void paintFrame(QPainter &painter);

    qsizetype rowCount() const { return m_rows.count(); }
    QTextLayout &rowLayout(qsizetype row);
    void layOutRow(QTextLayout &layout) const;
    // The screen lines that fit whole in the view.
    int pageLines() const;
    // The scroll bar's value for the screen line at the top.
    int topLine() const;
    void layOutAroundTop();
    void layOutRows(qsizetype row, int step, int lines);
    // Shows the oldest row's last line at the bottom.
    void showEnd();
    // The row and its line shown at `y` of the viewport.
    LogRowLines::Place placeAt(int y) const;
    Position positionAt(const QPoint &point);
    // The selection in reading order: first the place nearer the top.
    std::pair<Position, Position> selection() const;
    bool hasSelection() const { return m_anchor != m_cursor; }
    void select(const Position &anchor, const Position &cursor);
    void selectWordAt(const Position &position);
    void dragSelectionTo(const QPoint &point);
    void offerSelection() const;

    const AppModel *m_model;
    Backdrop *m_backdrop;
    LogRows m_rows;
    QBasicTimer m_takeIn;
    QElapsedTimer m_sinceTakeIn;
    // Rows near the view, laid out, by row.
    std::unordered_map<qsizetype, std::unique_ptr<QTextLayout>> m_layouts;
    LogRowLines m_lines;
    // The row and its line at the top of the view: they stay there when the lines of rows
    // above it become known, and move when the view is scrolled.
    LogRowLines::Place m_top;
    // While the view sets its own scroll bar, which then tells nothing new about the top.
    bool m_settingScrollBar = false;
    qreal m_wrapWidth = -1;
    qreal m_rowHeight = 0;

    Position m_anchor;
    Position m_cursor;
    bool m_dragging = false;
    QPoint m_dragPoint;
    QBasicTimer m_autoScroll;
    QBasicTimer m_tripleClick;
    QPoint m_doubleClickPoint;
};
