#pragma once

#include "Localization/L.h"
#include "Localization/UserDefaults.h"

#include <QTemporaryDir>

// Points the settings store at a fresh temporary folder while it lives, never the user's settings.
class TestSettings {
public:
    TestSettings() { UserDefaults::setLocation(m_folder.path()); }
    TestSettings(const TestSettings &) = delete;
    TestSettings &operator=(const TestSettings &) = delete;

    // Stores the language choice ("de", "en", "system", ...) as the language pickers do.
    static void setLanguage(const QString &choice) {
        UserDefaults::setValue(L::userDefaultsLanguageKey(), choice);
    }

private:
    QTemporaryDir m_folder;
};
