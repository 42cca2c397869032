// CPU the program spends on its window: during an FT-710 read all, and for the busy spinner.
//
//   xvfb-run -a -s "-screen 0 1440x900x24" build/bench/bench_window [runs]      (default 3)
//
// The whole program (KorvelApp, its main window shown on the X display) against a fake FT-710 on
// a pseudo-terminal that answers at the pace of a 38400-baud line, on a scratch settings store.
// Prints the CPU time of the process (all threads, the fake radio's included) over the wall time:
//  - of a read all of 99 channels, five of them occupied (about 400 log lines), median of `runs`;
//  - of the spinner alone (shown as while an operation runs, nothing else happening), less the
//    same window idle, median of `runs` five-second windows.
// Goals: under 5 % of a core during a read all, under 0.5 % for the spinner.

#include "BenchFigures.h"
#include "FakeRadio.h"
#include "TestSettings.h"

#include "App/KorvelApp.h"
#include "App/LanguageSelection.h"
#include "MainWindow/ContentView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

constexpr int spinnerWindowMilliseconds = 5000;

void fill(FakeRadio &radio) {
    for (int channel = 1; channel <= 5; ++channel)
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

double idlePercent() {
    return percentOfCore([] { QTest::qWait(spinnerWindowMilliseconds); });
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
    QTest::qWait(500);

    qsizetype lines = 0;
    double seconds = 0;
    const double readAll = medianOf(runs, [&] {
        model->clearLog();
        QElapsedTimer wall;
        wall.start();
        const double percent = percentOfCore([&] {
            model->readAll();
            if (!QTest::qWaitFor([&] { return !model->isBusy(); }, 60000))
                qFatal("the read all did not end");
        });
        seconds = double(wall.nsecsElapsed()) / 1e9;
        lines = model->logLines().size();
        QTest::qWait(300);
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
