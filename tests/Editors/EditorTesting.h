#pragma once

#include "AppModel/AppModel.h"
#include "Editors/EditorDraft.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/MemoryBackup.h"
#include "TestSettings.h"
#include "TestWaits.h"

#include <QJsonObject>
#include <QTest>
#include <memory>

// The one memory record of the editor tests: channel 001 on 145.5 MHz FM, shift "-000600", flags
// "01002" (CTCSS ENC/DEC and a minus repeater shift on the FT-991A), tone 008 and the tag DB0XYZ,
// with the fields named by their JSON keys replaced.
inline RadioMemory memoryRecord(RadioModel model, const QJsonObject &fields = {}) {
    QJsonObject json = RadioMemory{.slot = QStringLiteral("001"),
                                   .radioModel = model,
                                   .frequency = QStringLiteral("145500000"),
                                   .shiftRaw = QStringLiteral("-000600"),
                                   .modeCode = QStringLiteral("4"),
                                   .flagsRaw = QStringLiteral("01002"),
                                   .toneNumberKindRaw = QStringLiteral("0"),
                                   .toneNumberCode = QStringLiteral("008"),
                                   .tag = QStringLiteral("DB0XYZ"),
                                   .isEmpty = false}
                           .toJson();
    for (auto field = fields.begin(); field != fields.end(); ++field)
        json.insert(field.key(), field.value());
    return RadioMemory::fromJson(json);
}

// Channels 001 to `count`, each tagged with its number.
inline QList<RadioMemory> memoryRecords(RadioModel model, int count) {
    QList<RadioMemory> rows;
    for (int channel = 1; channel <= count; ++channel)
        rows << memoryRecord(model,
                             {{"slot", RadioMemory::slotText(channel)}, {"tag", QString::number(channel)}});
    return rows;
}

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
