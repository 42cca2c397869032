// Cost of one activity-log line in the main window's log panel as the log grows.
//
//   build/bench/bench_logpanel [lines]      (default 100000; QT_QPA_PLATFORM=offscreen works)
//
// Prints the mean time per line, the panel's update included, over the 1,000 lines that end at
// 10^3 and over the 1,000 lines that end at the full count. The panel inserts each line at the
// top of its text, so the cost per line must not grow with the log's length.

#include "AppModel/AppModel.h"
#include "MainWindow/ContentView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr int window = 1000;

double microsecondsPerLine(AppModel &model, int firstLine) {
    QElapsedTimer timer;
    timer.start();
    for (int line = firstLine; line < firstLine + window; ++line)
        model.appendLog(QStringLiteral("TX MR%1;").arg(line % 1000, 3, 10, QLatin1Char('0')));
    QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / window / 1000.0;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    const int lines = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 2 * window) : 100000;

    // Never the user's settings or devices.
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    AppModel::Options options;
    options.deviceFolder = scratch.path();
    AppModel model(options);
    ContentView mainWindow(&model);
    mainWindow.show();
    QCoreApplication::processEvents();

    const double early = microsecondsPerLine(model, 0);
    for (int line = window; line < lines - window; line += window)
        microsecondsPerLine(model, line);
    const double late = microsecondsPerLine(model, lines - window);

    const auto *text = mainWindow.findChild<QPlainTextEdit *>(QStringLiteral("log.text"));
    QTextStream out(stdout);
    out << "lines shown:                   " << text->document()->blockCount() << "\n"
        << "us per line at 10^3 lines:     " << QString::number(early, 'f', 1) << "\n"
        << "us per line at " << lines << " lines:  " << QString::number(late, 'f', 1) << "\n";
    return text->document()->blockCount() == lines ? 0 : 1;
}
