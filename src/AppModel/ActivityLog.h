#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>

// The running record of what the program did, newest line first. Each line is "[HH:mm:ss] " and
// the message in the language of the moment it was written. It lives in memory only.
class ActivityLog : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QTime()>;
    using Clipboard = std::function<void(const QString &text)>;

    // The local time stamps the lines when `clock` is empty; nothing is copied when `clipboard` is.
    ActivityLog(Clock clock, Clipboard clipboard, QObject *parent = nullptr);

    const QStringList &lines() const { return m_lines; }

    void append(const QString &message);
    // Copies the whole log, then logs that it did.
    void copyToClipboard();
    // Empties the log, then logs that it did.
    void clear();

signals:
    // Once per added line and once per clearing.
    void linesChanged();

private:
    const Clock m_clock;
    const Clipboard m_clipboard;
    QStringList m_lines;
};
