#include "MainWindowFixture.h"

#include "Localization/L.h"

#include <QFile>

MainWindowFixture::MainWindowFixture(RadioModel radioModel)
    : radio(radioModel) {
    L::setPreferredLanguagesSource([] { return QStringList{QStringLiteral("de-DE")}; });
    QFile::link(radio.devicePath(), portPath());
}

MainWindowFixture::~MainWindowFixture() {
    L::setPreferredLanguagesSource({});
}

AppModel::Options MainWindowFixture::options() {
    AppModel::Options options;
    options.deviceFolder = m_devices.path();
    options.writeClipboard = [this](const QString &text) { clipboard.append(text); };
    return options;
}

QString MainWindowFixture::portPath() const {
    return m_devices.filePath(QStringLiteral("ttyUSB0"));
}
