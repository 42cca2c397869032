// Cold start of Korvel to its first painted main window, against a minimal Qt window of the same
// size, each in a process of its own.
//
//   xvfb-run -a -s "-screen 0 1440x900x24" build/bench/bench_startup [runs]      (default 9)
//
// Starts this program `runs` times as Korvel (the application object and its main window, on a
// scratch settings store and an empty device folder) and `runs` times as a bare QWidget, and
// times each from the start of the process until it ends right after its window's first paint.
// Prints both medians and their ratio. Goal: at most 1.5.

#include "BenchFigures.h"
#include "TestSettings.h"

#include "App/KorvelApp.h"
#include "MainWindow/ContentView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

const QString korvelRole = QStringLiteral("--korvel");
const QString minimalRole = QStringLiteral("--minimal");

// Ends the program on the turn after `window` first paints, so the paint is on the screen.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget *window)
        : m_window(window) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == m_window) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget *m_window;
};

int runKorvel(int argc, char **argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Korvel"));
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    const TestSettings settings;
    const QTemporaryDir devices;
    AppModel::Options options;
    options.deviceFolder = devices.path();
    KorvelApp korvel(options);
    const FirstPaint firstPaint(korvel.mainWindow());
    korvel.show();
    const QSize size = korvel.mainWindow()->size();
    QTextStream(stdout) << size.width() << ' ' << size.height();
    return QApplication::exec();
}

int runMinimal(int argc, char **argv, const QSize &size) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(size);
    const FirstPaint firstPaint(&window);
    window.show();
    return QApplication::exec();
}

// Milliseconds from starting the process with `arguments` to its end, and what it printed.
std::pair<double, QString> timeProcess(const QStringList &arguments) {
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(QCoreApplication::applicationFilePath(), arguments);
    process.waitForFinished(60000);
    return {double(timer.nsecsElapsed()) / 1e6, QString::fromLocal8Bit(process.readAllStandardOutput())};
}

} // namespace

int main(int argc, char **argv) {
    const QString role = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (role == korvelRole)
        return runKorvel(argc, argv);
    if (role == minimalRole)
        return argc == 4 ? runMinimal(argc, argv, QSize(std::atoi(argv[2]), std::atoi(argv[3]))) : 2;
    bool counted = false;
    const int runs = argc > 1 ? role.toInt(&counted) : 9;
    if (argc > 1 && (!counted || runs < 1))
        return 2;

    QCoreApplication application(argc, argv);
    QStringList size;
    const double korvel = medianOf(runs, [&] {
        const auto [milliseconds, printed] = timeProcess({korvelRole});
        size = printed.split(QLatin1Char(' '));
        if (size.size() != 2)
            qFatal("Korvel did not start");
        return milliseconds;
    });
    const double minimal = medianOf(runs, [&] { return timeProcess(QStringList{minimalRole} + size).first; });
    QTextStream(stdout) << "cold start to the first painted window, ms: Korvel " << fixed(korvel, 1)
                        << ", a bare " << size.join(QLatin1Char('x')) << " window " << fixed(minimal, 1)
                        << ", ratio " << fixed(korvel / minimal, 2) << " (goal <= 1.5)\n";
    return 0;
}
