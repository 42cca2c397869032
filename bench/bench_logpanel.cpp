// Cost of one activity-log line in the main window's log panel as the log grows, and the memory
// each line takes.
//
//   build/bench/bench_logpanel [lines]      (default 100000; QT_QPA_PLATFORM=offscreen works)
//
// A line arrives on a turn of the event loop of its own, as during a read all, and is painted
// before the next comes. Prints the median over five windows of 200 such lines of the time per
// line, the panel's update and paint included, near 10^3 lines and near the full count (it must
// not grow with the log), and the growth of the resident memory over the whole log divided by
// its lines (the model's own copy of the lines included). Goal: under 400 bytes per line.

#include "BenchFigures.h"
#include "ScratchAppModel.h"

#include "MainWindow/ContentView.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextStream>

namespace {

constexpr int window = 200;

double microsecondsPerLine(ScratchAppModel &scratch, int &added) {
    QElapsedTimer timer;
    timer.start();
    for (int line = 0; line < window; ++line) {
        scratch.appendLogLines(added++, 1);
        QCoreApplication::processEvents();
    }
    return double(timer.nsecsElapsed()) / window / 1000.0;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    const int lines = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 20 * window) : 100000;

    ScratchAppModel scratch;
    ContentView mainWindow(&scratch.model());
    mainWindow.show();
    QCoreApplication::processEvents();
    const qint64 residentBefore = residentBytes();

    int added = 0;
    const double early = medianOf(5, [&] { return microsecondsPerLine(scratch, added); });
    constexpr int batch = 1000;
    for (; added < lines - 5 * window; added += batch) {
        scratch.appendLogLines(added, std::min(batch, lines - 5 * window - added));
        QCoreApplication::processEvents();
    }
    added = lines - 5 * window;
    const double late = medianOf(5, [&] { return microsecondsPerLine(scratch, added); });
    const double bytesPerLine = double(residentBytes() - residentBefore) / lines;

    const auto *text = mainWindow.findChild<QPlainTextEdit *>(QStringLiteral("log.text"));
    const int shown = text ? text->document()->blockCount() : scratch.model().logLines().size();
    QTextStream(stdout) << "log panel, " << scratch.model().logLines().size() << " lines\n"
                        << "  µs per line near 10^3 lines:      " << fixed(early, 1) << "\n"
                        << "  µs per line near " << lines << " lines:   " << fixed(late, 1) << "\n"
                        << "  memory per line, bytes:           " << qRound(bytesPerLine)
                        << " (goal < 400)\n";
    return shown == lines ? 0 : 1;
}
