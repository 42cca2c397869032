#include "MainWindow/LogTextAccessible.h"

#include "MainWindow/LogTextView.h"

LogTextAccessible::LogTextAccessible(LogTextView *view)
    : QAccessibleWidget(view, QAccessible::EditableText) {
}

void LogTextAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory([](const QString &className, QObject *object) -> QAccessibleInterface * {
            if (className != QLatin1String(LogTextView::staticMetaObject.className()))
                return nullptr;
            return new LogTextAccessible(static_cast<LogTextView *>(object));
        });
        return true;
    }();
    Q_UNUSED(installed);
}

void *LogTextAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State LogTextAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString LogTextAccessible::text(QAccessible::Text type) const {
    if (type == QAccessible::Value)
        return view()->text();
    return QAccessibleWidget::text(type);
}

QString LogTextAccessible::text(int startOffset, int endOffset) const {
    return view()->text(startOffset, endOffset < 0 ? view()->characterCount() : endOffset);
}

int LogTextAccessible::characterCount() const {
    return int(view()->characterCount());
}

void LogTextAccessible::selection(int, int *startOffset, int *endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
}

QString LogTextAccessible::attributes(int offset, int *startOffset, int *endOffset) const {
    *startOffset = offset;
    *endOffset = offset;
    return {};
}

const LogTextView *LogTextAccessible::view() const {
    return static_cast<const LogTextView *>(object());
}
