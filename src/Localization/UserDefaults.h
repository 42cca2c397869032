#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The program's persistent key/value store: QSettings of the organization "Korvel".
// Tests point it at a temporary folder (QSettings::setPath) and never touch the user's.
namespace UserDefaults {

// An invalid QVariant when nothing is stored under the key.
QVariant value(const QString &key);
// The stored text, or no value when nothing is stored or it is not text.
std::optional<QString> text(const QString &key);
void setValue(const QString &key, const QVariant &value);
void remove(const QString &key);

} // namespace UserDefaults
