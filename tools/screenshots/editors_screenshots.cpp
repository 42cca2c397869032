// Pictures of the memory editors for a reviewer: the table of both models and the detail editor
// of an FT-991A channel with a CTCSS tone. Run it on an X display, e.g.
//   xvfb-run -a build/tools/screenshots/editors_screenshots /tmp/shots
// It writes table-ft710.png, table-ft991a.png and detail-ft991a.png into the folder given.

#include "AppModel/AppModel.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "MainWindow/ContentView.h"
#include "Model/MemoryBackup.h"
#include "TestSettings.h"

#include <QApplication>
#include <QDir>
#include <QTest>

namespace {

QList<RadioMemory> channels(RadioModel model) {
    QList<RadioMemory> rows;
    const ChannelRange range = memoryRange(model);
    for (int channel = range.lowerBound; channel <= range.upperBound; ++channel)
        rows << RadioMemory::empty(RadioMemory::slotText(channel), model);
    const auto fill = [&](int channel, const char *frequency, const char *shift, const char *mode,
                          const char *flags, const char *tag) {
        RadioMemory &memory = rows[channel - 1];
        memory.frequency = QString::fromLatin1(frequency);
        memory.shiftRaw = QString::fromLatin1(shift);
        memory.modeCode = QString::fromLatin1(mode);
        memory.flagsRaw = QString::fromLatin1(flags);
        memory.tag = QString::fromUtf8(tag);
        memory.isEmpty = false;
    };
    fill(1, "145500000", "+000000", "4", "10000", "CALLING");
    fill(2, "439125000", "+000000", "4", "11002", "DB0ABC");
    fill(3, "145600000", "-000600", "4", "13001", "DB0XX");
    fill(4, "14074000", "+000000", "C", "10000", "FT8 20M");
    fill(5, "3573000", "+000000", "1", "10000", "80M LSB");
    rows[1].toneNumberKindRaw = QStringLiteral("0");
    rows[1].toneNumberCode = QStringLiteral("012");
    rows[1].shiftRaw = QStringLiteral("+000120");
    rows[2].toneNumberKindRaw = QStringLiteral("1");
    rows[2].toneNumberCode = QStringLiteral("023");
    return rows;
}

bool shoot(RadioModel model, EditorMode mode, const QString &path) {
    AppModel app;
    app.applyImportedBackup(MemoryBackup{model, channels(model), QDateTime::currentDateTimeUtc()});
    app.setSelectedMemoryID(QStringLiteral("002"));
    ContentView window(&app);
    window.setEditorMode(mode);
    window.setShowAdvanced(mode == EditorMode::detail);
    // Tall enough for the detail editor to show all its fields above the log.
    window.resize(1440, mode == EditorMode::detail ? 1350 : 900);
    window.show();
    QTest::qWait(300);
    return window.grab().save(path);
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    TestSettings settings;
    UserDefaults::setValue(L::userDefaultsLanguageKey(), QStringLiteral("de"));
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    folder.mkpath(QStringLiteral("."));
    const bool saved = shoot(RadioModel::ft710, EditorMode::table, folder.filePath("table-ft710.png")) &&
                       shoot(RadioModel::ft991a, EditorMode::table, folder.filePath("table-ft991a.png")) &&
                       shoot(RadioModel::ft991a, EditorMode::detail, folder.filePath("detail-ft991a.png"));
    return saved ? 0 : 1;
}
