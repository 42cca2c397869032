#pragma once

#include <QList>

// How many screen lines each row of the activity log takes at the view's width, and which row a
// screen line shows. A row laid out at this width counts the lines of its layout; any other row
// an estimate from its length, so a new width lays out only the rows near the view. Rows are
// counted from the oldest one at the bottom, as LogRows counts them; screen lines from the top.
class LogRowLines {
public:
    // A place on the screen: a row and one of its lines, counted from its first.
    struct Place {
        qsizetype row = 0;
        int line = 0;
    };

    // The characters that fit on a screen line, which the estimates go by: every row is
    // estimated anew.
    void setLineLength(int characters);
    // A new row at the top, of `length` characters.
    void append(qsizetype length);
    void clear();

    int lines(qsizetype row) const { return m_lines.at(row); }
    // What the row's layout says.
    void setLines(qsizetype row, int lines);
    int total() const { return linesBelow(m_lines.size()); }
    // The row's first screen line.
    int firstLine(qsizetype row) const { return total() - linesBelow(row + 1); }
    // The row and its line at screen line `line`, which must be below total().
    Place at(int line) const;

private:
    int estimate(qsizetype length) const;
    // The lines of all rows below `row`, from a tree of partial sums (a Fenwick tree), so that a
    // sum and a change each cost the logarithm of the rows, not their number.
    int linesBelow(qsizetype row) const;
    void add(qsizetype row, int lines);

    int m_lineLength = 1;
    QList<int> m_lengths;
    QList<int> m_lines;
    QList<int> m_sums;
};
