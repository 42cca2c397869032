#include "TestSettings.h"

#include "Localization/UserDefaults.h"

TestSettings::TestSettings() {
    UserDefaults::setLocation(m_folder.path());
}
