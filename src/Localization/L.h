#pragma once

#include "Localization/AppLanguage.h"

#include <QString>
#include <QStringList>
#include <functional>

// Text lookup. Every static UI text is a German literal that is its own translation key;
// messages with inserted values are German/English pairs. Nothing is cached here: each lookup
// reads the stored choice (which UserDefaults keeps in memory) and the system's languages anew.
class L {
public:
    L() = delete;

    // The settings key of the stored language choice.
    static const QString &userDefaultsLanguageKey();
    // The stored choice; `system` when absent or unrecognised.
    static AppLanguage selectedLanguage();
    // An operating-system language identifier to a language; never `system`, `en` when nothing fits.
    static AppLanguage languageForCode(const QString &code);
    // The effective language; never `system`.
    static AppLanguage current();
    // The key's text in the effective language, falling back to English, then to the key.
    static QString localized(const QString &key);
    // German text under German, English text under every other language.
    static QString text(const QString &de, const QString &en);

    // Where the operating system's ordered language list comes from; tests replace it.
    // An empty function restores QLocale::system().uiLanguages().
    using PreferredLanguagesSource = std::function<QStringList()>;
    static void setPreferredLanguagesSource(PreferredLanguagesSource source);
};

// The German key in the effective language (`L::localized`).
inline QString loc(const QString &key) {
    return L::localized(key);
}
