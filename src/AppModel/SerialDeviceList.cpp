#include "AppModel/SerialDeviceList.h"

#include <QDir>
#include <algorithm>

namespace {

bool isSerialDeviceName(const QString &name) {
#ifdef Q_OS_MACOS
    return name.startsWith(QLatin1String("cu."));
#else
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
#endif
}

} // namespace

SerialDeviceList::SerialDeviceList(QString folder)
    : m_folder(std::move(folder)) {
}

QStringList SerialDeviceList::paths() const {
    const QDir folder(m_folder);
    QStringList paths;
    for (const QString &name : folder.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (isSerialDeviceName(name))
            paths.append(folder.filePath(name));
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}
