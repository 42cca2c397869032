#include "TestSettings.h"

#include <QSettings>

TestSettings::TestSettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
}
