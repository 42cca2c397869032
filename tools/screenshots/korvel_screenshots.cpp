// Shows Korvel against two fake radios and saves pictures of the main window in the states the
// README and a reviewer want to see. Run it on an X display (scripts/screenshot.sh uses Xvfb);
// it writes main-ft710.png, main-ft991a.png, countdown.png, alert.png, preferences.png and
// alert-settings.png into the folder given.

#include "App/KorvelApp.h"
#include "App/PreferencesPanel.h"
#include "FakeRadio.h"
#include "Localization/LanguageSelection.h"
#include "MainWindow/ContentView.h"
#include "TestSettings.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTest>
#include <cstdio>

using namespace std::chrono_literals;

namespace {

void fillFT710(FakeRadio &radio) {
    radio.setChannel(
        1, {.payload = QStringLiteral("145500000+000000400000"), .tag = QStringLiteral("S20 CALL")});
    radio.setChannel(2,
                     {.payload = QStringLiteral("145600000-000600400000"), .tag = QStringLiteral("DB0XX")});
    radio.setChannel(3,
                     {.payload = QStringLiteral("007074000+000000200000"), .tag = QStringLiteral("FT8 40M")});
    radio.setChannel(4,
                     {.payload = QStringLiteral("014074000+000000200000"), .tag = QStringLiteral("FT8 20M")});
    radio.setChannel(5,
                     {.payload = QStringLiteral("003573000+000000100000"), .tag = QStringLiteral("80M LSB")});
}

void fillFT991A(FakeRadio &radio) {
    radio.setChannel(1,
                     {.payload = QStringLiteral("145500000+000000410000"), .tag = QStringLiteral("CALLING")});
    radio.setChannel(2, {.payload = QStringLiteral("439125000+000000420002"),
                         .tag = QStringLiteral("DB0ABC"),
                         .ctcssNumber = QStringLiteral("012")});
    radio.setChannel(3,
                     {.payload = QStringLiteral("050313000+000000200000"), .tag = QStringLiteral("6M FT8")});
}

bool waitFor(const std::function<bool()> &condition) {
    return QTest::qWaitFor(condition, 30000);
}

bool save(QWidget *window, const QDir &folder, const QString &name) {
    QTest::qWait(500); // fades and repaints settle
    const QRect frame = window->frameGeometry();
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString path = folder.filePath(name);
    if (!shot.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool connectAndReadAll(AppModel *model, const QString &port) {
    model->setSelectedPort(port);
    model->connect();
    if (!model->isConnected())
        return false;
    model->readAll();
    return waitFor([model] { return !model->isBusy(); });
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Korvel"));
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.exists() && !QDir().mkpath(output.path()))
        return 1;

    const TestSettings settings;
    LanguageSelection::shared()->select(AppLanguage::en);
    FakeRadio ft710(RadioModel::ft710);
    FakeRadio ft991a(RadioModel::ft991a);
    fillFT710(ft710);
    fillFT991A(ft991a);
    // A short, fixed folder, so the port menu reads the same in every run.
    QDir devices(QDir::temp().filePath(QStringLiteral("korvel-dev")));
    devices.removeRecursively();
    QDir().mkpath(devices.path());
    const QString ft710Port = devices.filePath(QStringLiteral("ttyUSB0"));
    const QString ft991aPort = devices.filePath(QStringLiteral("ttyUSB1"));
    QFile::link(ft710.devicePath(), ft710Port);
    QFile::link(ft991a.devicePath(), ft991aPort);

    AppModel::Options options;
    options.deviceFolder = devices.path();
    // One fixed time in every log line, so two runs give the same pictures.
    options.clock = [] { return QTime(14, 30, 0); };
    KorvelApp korvel(options);
    ContentView *window = korvel.mainWindow();
    window->move(0, 0);
    // The pointer off the windows, so no control shows as hovered.
    QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
    korvel.show();
    AppModel *model = korvel.appModel();

    bool saved =
        connectAndReadAll(model, ft710Port) && save(window, output, QStringLiteral("main-ft710.png"));

    model->setSelectedRadioModel(RadioModel::ft991a);
    saved = saved && connectAndReadAll(model, ft991aPort);
    model->setSelectedMemoryID(QStringLiteral("002"));
    window->setEditorMode(EditorMode::detail);
    saved = saved && save(window, output, QStringLiteral("main-ft991a.png"));
    window->setEditorMode(EditorMode::table);

    window->viewState()->setCountdownStepInterval(1h);
    window->startConnectSplash();
    saved = saved && save(window, output, QStringLiteral("countdown.png"));
    window->cancelConnectSplash();

    model->disconnect();
    model->readAll();
    saved = saved && save(window, output, QStringLiteral("alert.png"));

    korvel.openPreferences();
    saved = saved && save(korvel.preferencesPanel(), output, QStringLiteral("preferences.png"));
    korvel.preferencesPanel()->close();
    model->setAlertMessage(std::nullopt);

    // An alert of a run started in a settings window shows over that window.
    QWidget *settingsWindow = korvel.openWindow(QStringLiteral("ft991a-settings"));
    settingsWindow->move(0, 0);
    waitFor([settingsWindow] { return QApplication::activeWindow() == settingsWindow; });
    model->readSettings();
    saved = saved && save(settingsWindow, output, QStringLiteral("alert-settings.png"));
    devices.removeRecursively();
    return saved ? 0 : 1;
}
