// Cost of one activity-log line as the log grows, and the memory the log takes.
//
//   build/bench/bench_applog [lines]      (default 100000)
//
// Prints the mean time per appendLog() over the 1,000 lines that end at 10^3 and over the 1,000
// lines that end at the full count, and the resident memory after the run. The cost per line
// must not grow with the log's length.

#include "ScratchAppModel.h"

#include <QCoreApplication>
#include <QTextStream>
#include <sys/resource.h>

namespace {

constexpr int window = 1000;

double nanosecondsPerLine(ScratchAppModel &scratch, int firstLine) {
    return double(scratch.appendLogLines(firstLine, window)) / window;
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

    ScratchAppModel scratch;
    AppModel &model = scratch.model();
    // A view that shows the newest line, as the log panel does.
    qsizetype shownLength = 0;
    QObject::connect(&model, &AppModel::logLinesChanged, &model,
                     [&] { shownLength += model.logLines().constFirst().size(); });

    const long residentBefore = residentKilobytes();
    const double early = nanosecondsPerLine(scratch, 0);
    scratch.appendLogLines(window, lines - 2 * window);
    const double late = nanosecondsPerLine(scratch, lines - window);

    QTextStream out(stdout);
    out << "lines in the log:              " << model.logLines().size() << "\n"
        << "ns per line at 10^3 lines:     " << qRound(early) << "\n"
        << "ns per line at " << lines << " lines:  " << qRound(late) << "\n"
        << "peak resident memory (MiB):    " << residentKilobytes() / 1024
        << " (before the log: " << residentBefore / 1024 << ")\n";
    return shownLength > 0 ? 0 : 1;
}
