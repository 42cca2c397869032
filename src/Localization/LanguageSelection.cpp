#include "Localization/LanguageSelection.h"

#include "Localization/L.h"
#include "Localization/UserDefaults.h"

#include <QCoreApplication>

LanguageSelection *LanguageSelection::shared() {
    static LanguageSelection *instance = new LanguageSelection(QCoreApplication::instance());
    return instance;
}

QString LanguageSelection::value() const {
    return UserDefaults::text(L::userDefaultsLanguageKey()).value_or(rawValue(AppLanguage::system));
}

void LanguageSelection::select(AppLanguage language) {
    const QString raw = rawValue(language);
    const bool differs = raw != value();
    UserDefaults::setValue(L::userDefaultsLanguageKey(), raw);
    if (differs)
        emit changed();
}
