#include "MainWindowFixture.h"

#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "MainWindow/LogTextView.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>

using namespace std::chrono_literals;

MainWindowFixture::MainWindowFixture()
    : radio(RadioModel::ft710) {
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

void MainWindowFixture::openWindow() {
    model = std::make_unique<AppModel>(options());
    view = std::make_unique<ContentView>(model.get());
    view->setCountdownStepInterval(2ms);
    view->show();
    window = view.get();
}

QString MainWindowFixture::logText() const {
    return widget<LogTextView>(QStringLiteral("log.text"))->text();
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

bool MainWindowFixture::chooseFile(const QString &buttonName, const QString &path) const {
    button(buttonName)->click();
    auto *dialog = window->findChild<QFileDialog *>();
    if (!dialog || !dialog->isVisible())
        return false;
    emit dialog->fileSelected(path);
    dialog->close();
    return true;
}

std::optional<AppPreferences> MainWindowFixture::storedPreferences() const {
    const std::optional<QString> stored = UserDefaults::text(AppModel::preferencesKey());
    return stored ? AppPreferences::decode(*stored) : std::nullopt;
}
