#include "Localization/L.h"

#include "Localization/TranslationCatalogue.h"
#include "Localization/UserDefaults.h"

#include <QLocale>

namespace {

L::PreferredLanguagesSource &preferredLanguagesSource() {
    static L::PreferredLanguagesSource source;
    return source;
}

QStringList preferredLanguages() {
    const L::PreferredLanguagesSource &source = preferredLanguagesSource();
    return source ? source() : QLocale::system().uiLanguages();
}

} // namespace

const QString &L::userDefaultsLanguageKey() {
    static const QString key = QStringLiteral("Korvel.languageSelection");
    return key;
}

AppLanguage L::selectedLanguage() {
    const QString stored = UserDefaults::text(userDefaultsLanguageKey()).value_or(QStringLiteral("system"));
    return appLanguageFromRawValue(stored).value_or(AppLanguage::system);
}

AppLanguage L::languageForCode(const QString &code) {
    const QString lowered = code.toLower();
    for (AppLanguage language : allAppLanguages()) {
        if (language != AppLanguage::system && lowered.startsWith(rawValue(language)))
            return language;
    }
    return AppLanguage::en;
}

AppLanguage L::current() {
    if (selectedLanguage() != AppLanguage::system)
        return selectedLanguage();
    const QStringList preferred = preferredLanguages();
    return languageForCode(preferred.isEmpty() ? QStringLiteral("en") : preferred.first());
}

QString L::localized(const QString &key) {
    const AppLanguage language = current();
    if (language == AppLanguage::de)
        return key;
    const QString canonical = key.normalized(QString::NormalizationForm_C);
    if (const TranslationCatalogue::Table *table = TranslationCatalogue::dictionary(language)) {
        const auto found = table->constFind(canonical);
        if (found != table->constEnd())
            return found.value();
    }
    return TranslationCatalogue::english().value(canonical, key);
}

QString L::text(const QString &de, const QString &en) {
    return current() == AppLanguage::de ? de : en;
}

void L::setPreferredLanguagesSource(PreferredLanguagesSource source) {
    preferredLanguagesSource() = std::move(source);
}
