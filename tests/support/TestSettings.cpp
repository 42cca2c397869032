#include "TestSettings.h"

#include "Localization/L.h"
#include "Localization/UserDefaults.h"

#include <QSettings>

TestSettings::TestSettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
}

void TestSettings::setLanguage(const QString &choice) {
    UserDefaults::setValue(L::userDefaultsLanguageKey(), choice);
}
