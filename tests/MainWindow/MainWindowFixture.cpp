#include "MainWindowFixture.h"

#include "Localization/L.h"

#include <QFile>

MainWindowFixture::MainWindowFixture(RadioModel radioModel)
    : radio(radioModel) {
    L::setPreferredLanguagesSource([] { return QStringList{QStringLiteral("de-DE")}; });
    QFile::link(radio.devicePath(), portPath());
}

MainWindowFixture::~MainWindowFixture() {
    view.reset();
    model.reset();
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

void MainWindowFixture::openWindow(std::chrono::milliseconds step) {
    model = std::make_unique<AppModel>(options());
    view = std::make_unique<ContentView>(model.get());
    view->setCountdownStepInterval(step);
    view->show();
}

bool MainWindowFixture::choose(const QString &comboName, const QVariant &data) const {
    auto *combo = widget<QComboBox>(comboName);
    const int index = combo->findData(data);
    if (index < 0)
        return false;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    return true;
}
