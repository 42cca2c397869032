#pragma once

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
// line that holds line breaks takes several). It draws the model's own lines and only the rows
// in view, so a line costs the same however long the log is and keeps no copy of its text.
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
    void updateScrollBars();
    void showFont();
    void paintFrame(QPainter &painter);

    qsizetype rowCount() const { return m_rows.count(); }
    QTextLayout &rowLayout(qsizetype row);
    void layOutRow(QTextLayout &layout) const;
    qsizetype topRow() const;
    // The row shown at `y` of the viewport, counted from the bottom.
    qsizetype rowAt(int y) const;
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
    // Rows near the view, laid out, by row; and the widest row laid out so far.
    std::unordered_map<qsizetype, std::unique_ptr<QTextLayout>> m_layouts;
    qreal m_widestRow = 0;
    qreal m_rowHeight = 0;
    bool m_cornerShown = false;

    Position m_anchor;
    Position m_cursor;
    bool m_dragging = false;
    QPoint m_dragPoint;
    QBasicTimer m_autoScroll;
    QBasicTimer m_tripleClick;
    QPoint m_doubleClickPoint;
};
