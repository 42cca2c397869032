// Cost of the memory table: building the 117 rows of an FT-991A, one edited cell, and a full
// read-all replacement, each until the table has painted.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_memorytable [repeats]      (default 200)
//
// Goals: a row edit under 2 ms, a full table replacement under 50 ms.

#include "Editors/MemoryColumn.h"
#include "Editors/MemoryTableModel.h"
#include "Editors/MemoryTablePanel.h"
#include "Model/MemoryBackup.h"
#include "ScratchAppModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTextStream>

namespace {

// A table as a read-all returns it: every channel occupied, with tones and offsets.
QList<RadioMemory> readAllResult(int generation) {
    QList<RadioMemory> rows;
    const ChannelRange range = memoryRange(RadioModel::ft991a);
    for (int channel = range.lowerBound; channel <= range.upperBound; ++channel) {
        RadioMemory memory = RadioMemory::empty(RadioMemory::slotText(channel), RadioModel::ft991a);
        memory.frequency = QString::number(144000000 + channel * 12500 + generation);
        memory.isEmpty = false;
        memory.tag = QStringLiteral("CH%1").arg(channel);
        memory.shiftRaw = channel % 3 ? QStringLiteral("+000000") : QStringLiteral("-000120");
        memory.flagsRaw = QStringLiteral("1%1001").arg(channel % 5);
        memory.toneNumberKindRaw = channel % 5 == 0 ? QString() : (channel % 5 < 3 ? "0" : "1");
        memory.toneNumberCode = QStringLiteral("%1").arg(channel % 50, 3, 10, QLatin1Char('0'));
        rows << memory;
    }
    return rows;
}

double millisecondsSince(const QElapsedTimer &timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    const int repeats = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 1) : 200;

    ScratchAppModel scratch;
    AppModel &model = scratch.model();
    MemoryTablePanel panel(&model, nullptr);
    panel.resize(1400, 900);
    panel.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    model.applyImportedBackup(
        MemoryBackup{RadioModel::ft991a, readAllResult(0), QDateTime::currentDateTimeUtc()});
    QApplication::processEvents();
    const double build = millisecondsSince(timer);

    MemoryTableModel *table = panel.model();
    const QModelIndex name = table->index(3, table->section(MemoryColumn::name));
    timer.restart();
    for (int edit = 0; edit < repeats; ++edit) {
        table->setData(name, QStringLiteral("EDIT %1").arg(edit));
        QApplication::processEvents();
    }
    const double rowEdit = millisecondsSince(timer) / repeats;

    const int replacements = std::max(repeats / 10, 1);
    timer.restart();
    for (int run = 1; run <= replacements; ++run) {
        model.applyImportedBackup(
            MemoryBackup{RadioModel::ft991a, readAllResult(run), QDateTime::currentDateTimeUtc()});
        QApplication::processEvents();
    }
    const double replacement = millisecondsSince(timer) / replacements;

    QTextStream out(stdout);
    out << "memory table, 117 FT-991A rows\n";
    out << "  build and first paint:     " << QString::number(build, 'f', 2) << " ms\n";
    out << "  one row edit, mean of " << repeats << ": " << QString::number(rowEdit, 'f', 3)
        << " ms (goal < 2 ms)\n";
    out << "  full replacement, mean of " << replacements << ": " << QString::number(replacement, 'f', 2)
        << " ms (goal < 50 ms)\n";
    return rowEdit < 2.0 && replacement < 50.0 ? 0 : 1;
}
