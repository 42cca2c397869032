#include "Localization/UserDefaults.h"

#include <QHash>
#include <QSettings>
#include <memory>
#include <mutex>

namespace {

std::unique_ptr<QSettings> openStore() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Korvel"), QStringLiteral("Korvel"));
}

// Every value read or written so far (an invalid QVariant for nothing stored). Every write
// passes through here, so the copies stay in step with the store, and a read, which happens on
// every shown text, costs a hash lookup instead of opening the store.
struct KnownValues {
    std::mutex lock;
    QHash<QString, QVariant> values;
};

KnownValues &known() {
    static KnownValues values;
    return values;
}

} // namespace

namespace UserDefaults {

QVariant value(const QString &key) {
    KnownValues &known = ::known();
    const std::lock_guard guard(known.lock);
    const auto found = known.values.constFind(key);
    if (found != known.values.constEnd())
        return found.value();
    const QVariant stored = openStore()->value(key);
    known.values.insert(key, stored);
    return stored;
}

std::optional<QString> text(const QString &key) {
    const QVariant stored = value(key);
    if (!stored.isValid() || stored.typeId() != QMetaType::QString)
        return std::nullopt;
    return stored.toString();
}

std::optional<QString> setValue(const QString &key, const QVariant &value) {
    KnownValues &known = ::known();
    const std::lock_guard guard(known.lock);
    const std::unique_ptr<QSettings> store = openStore();
    store->setValue(key, value);
    known.values.insert(key, value);
    store->sync();
    // A format error only says the earlier file could not be read; the new one was written all the same.
    if (store->status() == QSettings::AccessError)
        return store->fileName();
    return std::nullopt;
}

void remove(const QString &key) {
    KnownValues &known = ::known();
    const std::lock_guard guard(known.lock);
    openStore()->remove(key);
    known.values.insert(key, QVariant());
}

void setLocation(const QString &folder) {
    KnownValues &known = ::known();
    const std::lock_guard guard(known.lock);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    known.values.clear();
}

} // namespace UserDefaults
