// Cost of one activity-log line as the log grows, and the memory the log takes.
//
//   build/bench/bench_applog [lines]      (default 100000)
//
// Prints the mean time per appendLog() over the 1,000 lines that end at 10^3 and over the 1,000
// lines that end at the full count, and the resident memory after the run. The cost per line
// must not grow with the log's length.

#include "AppModel/AppModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>

namespace {

constexpr int window = 1000;

double nanosecondsPerLine(AppModel &model, int firstLine) {
    QElapsedTimer timer;
    timer.start();
    for (int line = firstLine; line < firstLine + window; ++line)
        model.appendLog(QStringLiteral("TX MR%1;").arg(line % 1000, 3, 10, QLatin1Char('0')));
    return double(timer.nsecsElapsed()) / window;
}

// The peak resident set of the process in kilobytes (Linux reports kilobytes, macOS bytes).
long residentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
#ifdef Q_OS_MACOS
    return usage.ru_maxrss / 1024;
#else
    return usage.ru_maxrss;
#endif
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication application(argc, argv);
    const int lines = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 2 * window) : 100000;

    // Never the user's settings or devices.
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    AppModel::Options options;
    options.deviceFolder = scratch.path();
    AppModel model(options);
    // A view that shows the newest line, as the log panel does.
    qsizetype shownLength = 0;
    QObject::connect(&model, &AppModel::logLinesChanged, &model,
                     [&] { shownLength += model.logLines().constFirst().size(); });

    const long residentBefore = residentKilobytes();
    const double early = nanosecondsPerLine(model, 0);
    for (int line = window; line < lines - window; ++line)
        model.appendLog(QStringLiteral("RX MR%1;").arg(line % 1000, 3, 10, QLatin1Char('0')));
    const double late = nanosecondsPerLine(model, lines - window);

    QTextStream out(stdout);
    out << "lines in the log:              " << model.logLines().size() << "\n"
        << "ns per line at 10^3 lines:     " << qRound(early) << "\n"
        << "ns per line at " << lines << " lines:  " << qRound(late) << "\n"
        << "peak resident memory (MiB):    " << residentKilobytes() / 1024
        << " (before the log: " << residentBefore / 1024 << ")\n";
    return shownLength > 0 ? 0 : 1;
}
