#include "Localization/AppLanguage.h"

#include "Localization/EnumTable.h"
#include "Localization/L.h"

namespace {

// The titles are the endonyms, fixed texts.
const EnumTable<AppLanguage> &table() {
    static const EnumTable<AppLanguage> rows{
        {AppLanguage::system, "system"}, // not a language: no endonym
        {AppLanguage::bg, "bg", "Български"},  {AppLanguage::hr, "hr", "Hrvatski"},
        {AppLanguage::cs, "cs", "Čeština"},    {AppLanguage::da, "da", "Dansk"},
        {AppLanguage::nl, "nl", "Nederlands"}, {AppLanguage::en, "en", "English"},
        {AppLanguage::et, "et", "Eesti"},      {AppLanguage::fi, "fi", "Suomi"},
        {AppLanguage::fr, "fr", "Français"},   {AppLanguage::de, "de", "Deutsch"},
        {AppLanguage::el, "el", "Ελληνικά"},   {AppLanguage::hu, "hu", "Magyar"},
        {AppLanguage::ga, "ga", "Gaeilge"},    {AppLanguage::it, "it", "Italiano"},
        {AppLanguage::lv, "lv", "Latviešu"},   {AppLanguage::lt, "lt", "Lietuvių"},
        {AppLanguage::mt, "mt", "Malti"},      {AppLanguage::pl, "pl", "Polski"},
        {AppLanguage::pt, "pt", "Português"},  {AppLanguage::ro, "ro", "Română"},
        {AppLanguage::sk, "sk", "Slovenčina"}, {AppLanguage::sl, "sl", "Slovenščina"},
        {AppLanguage::es, "es", "Español"},    {AppLanguage::sv, "sv", "Svenska"},
    };
    return rows;
}

} // namespace

QString rawValue(AppLanguage language) {
    return table().rawValue(language);
}

std::optional<AppLanguage> appLanguageFromRawValue(const QString &raw) {
    return table().fromRawValue(raw);
}

const QList<AppLanguage> &allAppLanguages() {
    return table().values();
}

QString displayName(AppLanguage language) {
    if (language == AppLanguage::system)
        return L::text(QStringLiteral("System"), QStringLiteral("System"));
    return table()[language].title;
}
