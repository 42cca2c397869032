#pragma once

#include <QList>
#include <QString>

class AppModel;

// The rows of the activity log as its view shows them: the model's lines taken in so far,
// newest first, each cut into rows where it breaks. A row is counted from the oldest one at the
// bottom (new lines arrive at the top, so this count never changes for a row). It keeps no copy
// of the text.
class LogRows {
public:
    explicit LogRows(const AppModel *model);

    qsizetype count() const { return m_rowsBelowLine.isEmpty() ? 0 : m_rowsBelowLine.last() + m_newestRows; }
    QString text(qsizetype row) const;
    // The rows from `top` down to `bottom`, both included, joined with "\n".
    QString text(qsizetype top, qsizetype bottom) const;
    // The characters of all rows joined with "\n", and those from `start` up to `end`, counted
    // from the top; only the lines the range touches are read.
    qsizetype characterCount() const {
        return m_charactersBelowLine.isEmpty() ? 0 : m_charactersBelowLine.last() + m_newestCharacters;
    }
    QString characters(qsizetype start, qsizetype end) const;

    // Whether the model's lines still end in those taken in: lines only ever arrive at the front,
    // anything else (a clear) starts the text afresh.
    bool continueWithModel() const;
    // Takes in the model's lines not taken in yet.
    void takeIn();
    void clear();

private:
    const AppModel *m_model;
    // Per line taken in, oldest first: the rows of all older lines.
    QList<qsizetype> m_rowsBelowLine;
    qsizetype m_newestRows = 0;
    // Per line taken in, oldest first: the characters of all older lines, each with its "\n".
    QList<qsizetype> m_charactersBelowLine;
    qsizetype m_newestCharacters = 0;
    QString m_newestLine;
};
