#include "AppModel/ActivityLog.h"

#include "Localization/L.h"

ActivityLog::ActivityLog(Clock clock, Clipboard clipboard, QObject *parent)
    : QObject(parent)
    , m_clock(std::move(clock))
    , m_clipboard(std::move(clipboard)) {
}

void ActivityLog::append(const QString &message) {
    const QTime now = m_clock ? m_clock() : QTime::currentTime();
    m_lines.prepend(QLatin1Char('[') + now.toString(QStringLiteral("HH:mm:ss")) + QLatin1String("] ") +
                    message);
    emit linesChanged();
}

void ActivityLog::copyToClipboard() {
    if (m_clipboard)
        m_clipboard(m_lines.join(QLatin1Char('\n')));
    append(L::text(QStringLiteral("Log in die Zwischenablage kopiert"),
                   QStringLiteral("Log copied to clipboard")));
}

void ActivityLog::clear() {
    m_lines = QStringList();
    emit linesChanged();
    append(L::text(QStringLiteral("Log gelöscht"), QStringLiteral("Log cleared")));
}
