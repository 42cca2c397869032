// Cost of one activity-log line in the main window's log panel as the log grows, and the memory
// each line takes.
//
//   xvfb-run -a -s "-screen 0 1440x900x24" build/bench/bench_logpanel [lines]      (default 100000)
//
// Prints the CPU time of one line that arrives on its own, until the panel has painted it: the
// median over five windows of 20 such lines near 10^3 lines and near the full count (it must not
// grow with the log); and the growth of the resident memory over the whole log divided by its
// lines, the model's own copy of the lines included. Goal: under 400 bytes per line.

#include "BenchFigures.h"
#include "ScratchAppModel.h"

#include "MainWindow/ContentView.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEventLoop>
#include <QTextStream>

namespace {

constexpr int window = 20;

// Runs the event loop until `area` has painted.
void waitForPaint(QWidget *area) {
    struct PaintWatch : QObject {
        QEventLoop loop;
        bool eventFilter(QObject *, QEvent *event) override {
            if (event->type() == QEvent::Paint)
                loop.quit();
            return false;
        }
    } watch;
    area->installEventFilter(&watch);
    runLoopUntilQuit(watch.loop, "a paint of the log");
    area->removeEventFilter(&watch);
}

double microsecondsPerLine(ScratchAppModel &scratch, QWidget *text, int &added) {
    const double before = threadCpuSeconds();
    for (int line = 0; line < window; ++line) {
        scratch.appendLogLines(added++, 1);
        waitForPaint(text);
    }
    return (threadCpuSeconds() - before) / window * 1e6;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    const int lines = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 20 * window) : 100000;

    ScratchAppModel scratch;
    ContentView mainWindow(&scratch.model());
    mainWindow.show();
    QCoreApplication::processEvents();
    QWidget *text = mainWindow.findChild<QAbstractScrollArea *>(QStringLiteral("log.text"))->viewport();
    const qint64 residentBefore = residentBytes();

    int added = 0;
    const double early = medianOf(5, [&] { return microsecondsPerLine(scratch, text, added); });
    constexpr int batch = 1000;
    for (const int filled = lines - 5 * window; added < filled; added += batch) {
        scratch.appendLogLines(added, std::min(batch, filled - added));
        QCoreApplication::processEvents();
    }
    added = lines - 5 * window;
    const double late = medianOf(5, [&] { return microsecondsPerLine(scratch, text, added); });
    const double bytesPerLine = double(residentBytes() - residentBefore) / lines;

    QTextStream(stdout) << "log panel, " << scratch.model().logLines().size() << " lines\n"
                        << "  CPU µs per line near 10^3 lines:    " << fixed(early, 1) << "\n"
                        << "  CPU µs per line near " << lines << " lines: " << fixed(late, 1) << "\n"
                        << "  memory per line, bytes:             " << qRound(bytesPerLine)
                        << " (goal < 400)\n";
    return scratch.model().logLines().size() == lines ? 0 : 1;
}
