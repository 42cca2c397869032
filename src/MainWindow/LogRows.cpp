#include "MainWindow/LogRows.h"

#include "AppModel/AppModel.h"

#include <algorithm>

namespace {

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

// A line as its rows show it, joined with "\n".
QString shown(const QList<QStringView> &rows) {
    QString text;
    for (QStringView row : rows)
        text.append(row).append(QLatin1Char('\n'));
    text.chop(1);
    return text;
}

} // namespace

LogRows::LogRows(const AppModel *model)
    : m_model(model) {
}

QString LogRows::text(qsizetype row) const {
    const auto above = std::upper_bound(m_rowsBelowLine.cbegin(), m_rowsBelowLine.cend(), row);
    const qsizetype line = above - m_rowsBelowLine.cbegin() - 1;
    const QStringList &lines = m_model->logLines();
    const QString &text = lines.at(lines.size() - 1 - line);
    const qsizetype rowsOfLine =
        (above == m_rowsBelowLine.cend() ? count() : *above) - m_rowsBelowLine.at(line);
    if (rowsOfLine == 1)
        return text;
    // The line's first row is its top one.
    return rowsOf(text).at(rowsOfLine - 1 - (row - m_rowsBelowLine.at(line))).toString();
}

QString LogRows::text(qsizetype top, qsizetype bottom) const {
    QStringList rows;
    for (qsizetype row = top; row >= bottom; --row)
        rows.append(text(row));
    return rows.join(QLatin1Char('\n'));
}

QString LogRows::characters(qsizetype start, qsizetype end) const {
    const qsizetype total = characterCount();
    start = std::clamp<qsizetype>(start, 0, total);
    end = std::clamp<qsizetype>(end, start, total);
    if (start == end)
        return {};
    // The line holding a character counted from the top, with the "\n" that follows it.
    const auto lineAt = [&](qsizetype fromTop) {
        const auto older =
            std::upper_bound(m_charactersBelowLine.cbegin(), m_charactersBelowLine.cend(), total - fromTop);
        return qsizetype(older - m_charactersBelowLine.cbegin() - 1);
    };
    const qsizetype newest = lineAt(start), oldest = lineAt(end - 1);
    const QStringList &lines = m_model->logLines();
    QString touched;
    qsizetype newestStart = 0;
    for (qsizetype line = newest; line >= oldest; --line) {
        const QString text = shown(rowsOf(lines.at(lines.size() - 1 - line)));
        if (line == newest)
            newestStart = total - m_charactersBelowLine.at(line) - text.size();
        touched.append(text).append(QLatin1Char('\n'));
    }
    return touched.sliced(start - newestStart, end - start);
}

bool LogRows::continueWithModel() const {
    const QStringList &lines = m_model->logLines();
    const qsizetype taken = m_rowsBelowLine.size();
    return taken <= lines.size() && (taken == 0 || lines.at(lines.size() - taken) == m_newestLine);
}

void LogRows::takeIn() {
    const QStringList &lines = m_model->logLines();
    for (qsizetype line = lines.size() - m_rowsBelowLine.size() - 1; line >= 0; --line) {
        const QList<QStringView> rows = rowsOf(lines.at(line));
        m_charactersBelowLine.append(m_charactersBelowLine.isEmpty() ? 0 : characterCount() + 1);
        m_rowsBelowLine.append(count());
        m_newestRows = rows.size();
        m_newestCharacters = shown(rows).size();
    }
    m_newestLine = lines.isEmpty() ? QString() : lines.first();
}

void LogRows::clear() {
    m_rowsBelowLine.clear();
    m_newestRows = 0;
    m_charactersBelowLine.clear();
    m_newestCharacters = 0;
    m_newestLine.clear();
}
