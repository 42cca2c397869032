#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The program's persistent key/value store: QSettings of the organization "Korvel". Everything
// the program stores goes through here; a value once read or written is then read from memory.
// Tests point it at a temporary folder (setLocation) and never touch the user's.
namespace UserDefaults {

// An invalid QVariant when nothing is stored under the key.
QVariant value(const QString &key);
// The stored text, or no value when nothing is stored or it is not text.
std::optional<QString> text(const QString &key);
// Stores the value and keeps it in memory. When the store cannot write it down (its folder cannot
// be made or written), the value stays in memory only and the store's file is returned.
std::optional<QString> setValue(const QString &key, const QVariant &value);
void remove(const QString &key);
// Keeps the store in `folder` from now on, reading every value afresh from there.
void setLocation(const QString &folder);

} // namespace UserDefaults
