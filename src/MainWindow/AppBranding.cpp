#include "MainWindow/AppBranding.h"

namespace AppBranding {

const QString &appName() {
    static const QString name = QStringLiteral("Korvel");
    return name;
}

const QString &appVersion() {
    static const QString version = QStringLiteral("V1.12.0 10e - Release 26.03.2026");
    return version;
}

const QString &authorLine() {
    static const QString line = QStringLiteral("Korvel Project · N0CALL");
    return line;
}

const QString &donationAddress() {
    static const QString address = QStringLiteral("donate@example.org");
    return address;
}

} // namespace AppBranding
