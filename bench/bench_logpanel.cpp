// Cost of one activity-log line in the main window's log panel as the log grows.
//
//   build/bench/bench_logpanel [lines]      (default 100000; QT_QPA_PLATFORM=offscreen works)
//
// Prints the mean time per line, the panel's update included, over the 1,000 lines that end at
// 10^3 and over the 1,000 lines that end at the full count. The panel inserts each line at the
// top of its text, so the cost per line must not grow with the log's length.

#include "MainWindow/ContentView.h"
#include "ScratchAppModel.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextStream>

namespace {

constexpr int window = 1000;

double microsecondsPerLine(ScratchAppModel &scratch, int firstLine) {
    QElapsedTimer timer;
    timer.start();
    scratch.appendLogLines(firstLine, window);
    QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / window / 1000.0;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    const int lines = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 2 * window) : 100000;

    ScratchAppModel scratch;
    ContentView mainWindow(&scratch.model());
    mainWindow.show();
    QCoreApplication::processEvents();

    const double early = microsecondsPerLine(scratch, 0);
    for (int line = window; line < lines - window; line += window)
        microsecondsPerLine(scratch, line);
    const double late = microsecondsPerLine(scratch, lines - window);

    const auto *text = mainWindow.findChild<QPlainTextEdit *>(QStringLiteral("log.text"));
    QTextStream out(stdout);
    out << "lines shown:                   " << text->document()->blockCount() << "\n"
        << "us per line at 10^3 lines:     " << QString::number(early, 'f', 1) << "\n"
        << "us per line at " << lines << " lines:  " << QString::number(late, 'f', 1) << "\n";
    return text->document()->blockCount() == lines ? 0 : 1;
}
