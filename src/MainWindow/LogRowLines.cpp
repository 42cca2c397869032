#include "MainWindow/LogRowLines.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace {

// The rows a partial sum of the tree holds: the tree's entry for `count` rows holds the last
// `span(count)` of them.
qsizetype span(qsizetype count) {
    return count & -count;
}

} // namespace

void LogRowLines::setLineLength(int characters) {
    m_lineLength = std::max(1, characters);
    std::transform(m_lengths.cbegin(), m_lengths.cend(), m_lines.begin(),
                   [this](qsizetype length) { return estimate(length); });
    m_sums = m_lines;
    for (qsizetype count = 1; count <= m_sums.size(); ++count) {
        if (const qsizetype parent = count + span(count); parent <= m_sums.size())
            m_sums[parent - 1] += m_sums[count - 1];
    }
}

void LogRowLines::append(qsizetype length) {
    const int lines = estimate(length);
    const qsizetype count = m_lines.size() + 1;
    m_sums.append(lines + linesBelow(count - 1) - linesBelow(count - span(count)));
    m_lengths.append(int(std::min<qsizetype>(length, std::numeric_limits<int>::max())));
    m_lines.append(lines);
}

void LogRowLines::clear() {
    m_lengths.clear();
    m_lines.clear();
    m_sums.clear();
}

void LogRowLines::setLines(qsizetype row, int lines) {
    add(row, lines - m_lines.at(row));
    m_lines[row] = lines;
}

// Counted from the bottom, the line lies in the first row whose lines and those below it reach
// past it: the tree is walked down from its widest sum.
LogRowLines::Place LogRowLines::at(int line) const {
    int fromBottom = total() - 1 - line;
    qsizetype below = 0;
    for (qsizetype step = std::bit_floor(size_t(m_sums.size())); step > 0; step /= 2) {
        if (below + step <= m_sums.size() && m_sums.at(below + step - 1) <= fromBottom) {
            below += step;
            fromBottom -= m_sums.at(below - 1);
        }
    }
    return {below, m_lines.at(below) - 1 - fromBottom};
}

int LogRowLines::estimate(qsizetype length) const {
    return int(std::max<qsizetype>(1, (length + m_lineLength - 1) / m_lineLength));
}

int LogRowLines::linesBelow(qsizetype row) const {
    int lines = 0;
    for (qsizetype count = row; count > 0; count -= span(count))
        lines += m_sums.at(count - 1);
    return lines;
}

void LogRowLines::add(qsizetype row, int lines) {
    for (qsizetype count = row + 1; count <= m_sums.size(); count += span(count))
        m_sums[count - 1] += lines;
}
