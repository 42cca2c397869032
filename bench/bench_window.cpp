// CPU the program spends on its window: during an FT-710 read all, and for the busy spinner.
//
//   xvfb-run -a -s "-screen 0 1440x900x24" build/bench/bench_window [runs]      (default 3)
//
// The whole program (KorvelApp, its main window shown on the X display) against a fake FT-710 on
// a pseudo-terminal that answers at the pace of a 38400-baud line and, like a real radio, takes
// its time before it answers a memory read, on a scratch settings store. Prints the CPU time of
// the process (all threads, the fake radio's included) over the wall time:
//  - of a read all of 99 occupied channels (about 400 log lines in 4.4 s), median of `runs`;
//  - of the spinner alone (shown as while an operation runs, nothing else happening), less the
//    same window idle, median of `runs` five-second windows.
// Goals: under 5 % of a core during a read all, under 0.5 % for the spinner.

#include "BenchFigures.h"
#include "FakeRadio.h"
#include "TestSettings.h"

#include "App/KorvelApp.h"
#include "Localization/LanguageSelection.h"
#include "MainWindow/ContentView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

namespace {

constexpr int spinnerWindowMilliseconds = 5000;
constexpr int channels = 99;
// How long the radio thinks before it answers a memory read.
constexpr std::chrono::milliseconds radioLatency{29};

void fill(FakeRadio &radio) {
    for (int channel = 1; channel <= channels; ++channel)
        radio.setChannel(channel, {.payload = QStringLiteral("145500000+000000400000"),
                                   .tag = QStringLiteral("Relais %1").arg(channel)});
}

// Percent of a core used over `run`, which returns once its work is done.
template <typename Run> double percentOfCore(Run run) {
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = cpuSeconds();
    run();
    return (cpuSeconds() - cpuBefore) / (double(wall.nsecsElapsed()) / 1e9) * 100.0;
}

// Runs the event loop as the program does (QTest::qWait would poll it).
void runFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void runUntilIdle(AppModel *model) {
    if (!model->isBusy())
        return;
    QEventLoop loop;
    QObject::connect(model, &AppModel::isBusyChanged, &loop, [&] {
        if (!model->isBusy())
            loop.quit();
    });
    runLoopUntilQuit(loop, "the end of the read all");
}

double idlePercent() {
    return percentOfCore([] { runFor(spinnerWindowMilliseconds); });
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Korvel"));
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    const int runs = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 1) : 3;

    const TestSettings settings;
    LanguageSelection::shared()->select(AppLanguage::en);
    FakeRadio radio(RadioModel::ft710);
    fill(radio);
    radio.setLineSpeed(38400, 10);
    const QTemporaryDir devices;
    const QString port = QDir(devices.path()).filePath(QStringLiteral("ttyUSB0"));
    QFile::link(radio.devicePath(), port);

    AppModel::Options options;
    options.deviceFolder = devices.path();
    KorvelApp korvel(options);
    korvel.show();
    AppModel *model = korvel.appModel();
    if (!QTest::qWaitForWindowExposed(korvel.mainWindow()))
        return 1;
    model->setSelectedPort(port);
    model->connect();
    if (!model->isConnected())
        return 1;
    runFor(500);

    qsizetype lines = 0;
    double seconds = 0;
    const double readAll = medianOf(runs, [&] {
        model->clearLog();
        radio.delayNext(QStringLiteral("MR"), radioLatency, channels);
        QElapsedTimer wall;
        wall.start();
        const double percent = percentOfCore([&] {
            model->readAll();
            runUntilIdle(model);
        });
        seconds = double(wall.nsecsElapsed()) / 1e9;
        lines = model->logLines().size();
        runFor(300);
        return percent;
    });

    auto *spinner = korvel.mainWindow()->findChild<QWidget *>(QStringLiteral("log.busy"));
    const double spinnerPercent = medianOf(runs, [&] {
        spinner->hide();
        const double idle = idlePercent();
        spinner->show();
        const double busy = idlePercent();
        spinner->hide();
        return busy - idle;
    });

    QTextStream(stdout) << "CPU during an FT-710 read all, % of a core:  " << fixed(readAll, 1) << " ("
                        << lines << " log lines in " << fixed(seconds, 1) << " s; goal < 5)\n"
                        << "CPU of the busy spinner, % of a core:         " << fixed(spinnerPercent, 2)
                        << " (goal < 0.5)\n";
    return 0;
}
