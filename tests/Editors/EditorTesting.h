#pragma once

#include "AppModel/AppModel.h"
#include "Editors/EditorDraft.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/MemoryBackup.h"
#include "TestSettings.h"
#include "TestWaits.h"

#include <QTest>
#include <memory>

// One fresh world per editor test: an empty settings store with German chosen, the application
// model and the draft object both editors share; `connectRadio` adds a fake radio on the link.
struct EditorFixture {
    EditorFixture() {
        UserDefaults::setValue(L::userDefaultsLanguageKey(), QStringLiteral("de"));
        TestWaits::use();
    }

    // Replaces the table as an import does (which selects the first row), then selects `selected`.
    void load(RadioModel model, const QList<RadioMemory> &rows, const std::optional<QString> &selected = {}) {
        app.applyImportedBackup(MemoryBackup{model, rows, QDateTime::currentDateTimeUtc()});
        if (selected)
            app.setSelectedMemoryID(selected);
    }
    void connectRadio(RadioModel model = RadioModel::ft991a) {
        radio = std::make_unique<FakeRadio>(model);
        app.setSelectedPort(radio->devicePath());
        app.connect();
        QVERIFY(app.isConnected());
    }

    TestSettings settings;
    std::unique_ptr<FakeRadio> radio;
    AppModel app;
    EditorDraft draft{&app};
};

// An occupied repeater channel with a CTCSS tone (100.0 Hz) and a shift of -600.
inline RadioMemory ctcssChannel(int channel, RadioModel model = RadioModel::ft991a) {
    RadioMemory memory = RadioMemory::empty(RadioMemory::slotText(channel), model);
    memory.frequency = QStringLiteral("145525000");
    memory.isEmpty = false;
    memory.tag = QStringLiteral("RPT %1").arg(channel);
    memory.shiftRaw = QStringLiteral("-000600");
    memory.flagsRaw = QStringLiteral("11001");
    memory.toneNumberKindRaw = QStringLiteral("0");
    memory.toneNumberCode = QStringLiteral("012");
    return memory;
}
