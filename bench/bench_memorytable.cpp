// Cost of the memory table on the 117 rows of an FT-991A: one pass of data() over every cell (just
// after the table changed, and again), one edited cell and a full read-all replacement, the last
// two each until the table has painted. No language is stored, so texts follow the system's.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_memorytable [repeats]      (default 200)
//
// Each figure is the median of its runs: `repeats` row edits, a tenth as many data() passes and
// replacements. Goals: a data() pass under 5 ms, a row edit under 1 ms, a replacement under 10 ms.

#include "BenchFigures.h"
#include "ScratchAppModel.h"

#include "Editors/MemoryColumn.h"
#include "Editors/MemoryTableModel.h"
#include "Editors/MemoryTablePanel.h"
#include "Model/MemoryBackup.h"

#include <QApplication>
#include <QElapsedTimer>
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

void replaceTable(AppModel &model, int generation) {
    model.applyImportedBackup(
        MemoryBackup{RadioModel::ft991a, readAllResult(generation), QDateTime::currentDateTimeUtc()});
}

// Milliseconds that `step` takes, with the paint it causes.
template <typename Step> double millisecondsPainted(Step step) {
    QElapsedTimer timer;
    timer.start();
    step();
    QApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    const int repeats = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 10) : 200;

    ScratchAppModel scratch;
    AppModel &model = scratch.model();
    MemoryTablePanel panel(&model, nullptr);
    panel.resize(1400, 900);
    panel.show();
    QApplication::processEvents();
    const double build = millisecondsPainted([&] { replaceTable(model, 0); });

    MemoryTableModel *table = panel.model();
    qsizetype shown = 0;
    const auto dataPass = [&] {
        QElapsedTimer timer;
        timer.start();
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column)
                shown += table->data(table->index(row, column)).toString().size();
        }
        return double(timer.nsecsElapsed()) / 1e6;
    };
    int generation = 0;
    const double freshPass = medianOf(repeats / 10, [&] {
        replaceTable(model, ++generation);
        return dataPass();
    });
    const double keptPass = medianOf(repeats / 10, dataPass);

    const QModelIndex name = table->index(3, table->section(MemoryColumn::name));
    int edit = 0;
    const double rowEdit = medianOf(repeats, [&] {
        return millisecondsPainted([&] { table->setData(name, QStringLiteral("EDIT %1").arg(++edit)); });
    });

    const double replacement = medianOf(
        repeats / 10, [&] { return millisecondsPainted([&] { replaceTable(model, ++generation); }); });

    QTextStream(stdout) << "memory table, 117 FT-991A rows\n"
                        << "  build and first paint, ms:         " << fixed(build, 2) << "\n"
                        << "  one data() pass over all cells, ms: " << fixed(freshPass, 3)
                        << " just after the table changed, " << fixed(keptPass, 3)
                        << " after that (goal < 5)\n"
                        << "  one row edit, ms:                   " << fixed(rowEdit, 3) << " (goal < 1)\n"
                        << "  full replacement of 117 rows, ms:   " << fixed(replacement, 2)
                        << " (goal < 10)\n";
    return shown > 0 ? 0 : 1;
}
