#include "Localization/UserDefaults.h"

#include <QSettings>
#include <memory>

namespace {

std::unique_ptr<QSettings> openStore() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Korvel"),
                                       QStringLiteral("Korvel"));
}

} // namespace

namespace UserDefaults {

QVariant value(const QString &key) { return openStore()->value(key); }

std::optional<QString> text(const QString &key) {
    const QVariant stored = value(key);
    if (!stored.isValid() || stored.typeId() != QMetaType::QString)
        return std::nullopt;
    return stored.toString();
}

void setValue(const QString &key, const QVariant &value) { openStore()->setValue(key, value); }

void remove(const QString &key) { openStore()->remove(key); }

} // namespace UserDefaults
