#include "Localization/AppLanguage.h"

#include "Localization/L.h"

#include <array>

namespace {

struct LanguageRow {
    AppLanguage language;
    const char *raw;
    const char *endonym;
};

// Declaration order; the endonyms are fixed texts.
constexpr std::array<LanguageRow, 25> languageRows{{
    {AppLanguage::system, "system", nullptr},
    {AppLanguage::bg, "bg", "Български"},
    {AppLanguage::hr, "hr", "Hrvatski"},
    {AppLanguage::cs, "cs", "Čeština"},
    {AppLanguage::da, "da", "Dansk"},
    {AppLanguage::nl, "nl", "Nederlands"},
    {AppLanguage::en, "en", "English"},
    {AppLanguage::et, "et", "Eesti"},
    {AppLanguage::fi, "fi", "Suomi"},
    {AppLanguage::fr, "fr", "Français"},
    {AppLanguage::de, "de", "Deutsch"},
    {AppLanguage::el, "el", "Ελληνικά"},
    {AppLanguage::hu, "hu", "Magyar"},
    {AppLanguage::ga, "ga", "Gaeilge"},
    {AppLanguage::it, "it", "Italiano"},
    {AppLanguage::lv, "lv", "Latviešu"},
    {AppLanguage::lt, "lt", "Lietuvių"},
    {AppLanguage::mt, "mt", "Malti"},
    {AppLanguage::pl, "pl", "Polski"},
    {AppLanguage::pt, "pt", "Português"},
    {AppLanguage::ro, "ro", "Română"},
    {AppLanguage::sk, "sk", "Slovenčina"},
    {AppLanguage::sl, "sl", "Slovenščina"},
    {AppLanguage::es, "es", "Español"},
    {AppLanguage::sv, "sv", "Svenska"},
}};

const LanguageRow &rowOf(AppLanguage language) { return languageRows[static_cast<std::size_t>(language)]; }

} // namespace

QString rawValue(AppLanguage language) { return QString::fromLatin1(rowOf(language).raw); }

std::optional<AppLanguage> appLanguageFromRawValue(const QString &raw) {
    for (const LanguageRow &row : languageRows) {
        if (raw == QLatin1String(row.raw))
            return row.language;
    }
    return std::nullopt;
}

const QList<AppLanguage> &allAppLanguages() {
    static const QList<AppLanguage> all = [] {
        QList<AppLanguage> list;
        for (const LanguageRow &row : languageRows)
            list.append(row.language);
        return list;
    }();
    return all;
}

QString displayName(AppLanguage language) {
    if (language == AppLanguage::system)
        return L::text(QStringLiteral("System"), QStringLiteral("System"));
    return QString::fromUtf8(rowOf(language).endonym);
}
