#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// The CAT connection's log lines on their way to the logger: each reaches it on a later turn of the
// main thread, after the step that caused it has finished, in order; or at once when handed over.
class LinkLog {
public:
    using Logger = std::function<void(const QString &text)>;

    explicit LinkLog(Logger logger);

    void append(const QString &text);
    // Gives the logger every line appended so far, now.
    void handOver();

private:
    Logger m_logger;
    // Lines not yet handed to the logger, oldest first; shared with the turn that hands them over.
    std::shared_ptr<QStringList> m_unlogged = std::make_shared<QStringList>();
};
