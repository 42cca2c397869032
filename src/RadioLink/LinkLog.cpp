#include "RadioLink/LinkLog.h"

#include "RadioLink/MainThread.h"

namespace {

void handOverTo(const LinkLog::Logger &logger, QStringList &lines) {
    for (const QString &line : std::exchange(lines, {})) {
        if (logger)
            logger(line);
    }
}

} // namespace

LinkLog::LinkLog(Logger logger)
    : m_logger(std::move(logger)) {
}

// One later turn hands over every line appended until then.
void LinkLog::append(const QString &text) {
    m_unlogged->append(text);
    if (m_unlogged->size() == 1)
        postToMainThread([unlogged = m_unlogged, logger = m_logger] { handOverTo(logger, *unlogged); });
}

void LinkLog::handOver() {
    handOverTo(m_logger, *m_unlogged);
}
