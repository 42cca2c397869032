#pragma once

#include <QList>
#include <QString>
#include <optional>

// The user-interface language choice. `system` follows the operating system.
enum class AppLanguage {
    system,
    bg,
    hr,
    cs,
    da,
    nl,
    en,
    et,
    fi,
    fr,
    de,
    el,
    hu,
    ga,
    it,
    lv,
    lt,
    mt,
    pl,
    pt,
    ro,
    sk,
    sl,
    es,
    sv,
};

QString rawValue(AppLanguage language);
// The identity of a choice in the language pickers: its raw value.
inline QString id(AppLanguage language) {
    return rawValue(language);
}
std::optional<AppLanguage> appLanguageFromRawValue(const QString &raw);
// All 25 choices in declaration order, `system` first.
const QList<AppLanguage> &allAppLanguages();
// The endonym shown in language pickers; never translated.
QString displayName(AppLanguage language);
