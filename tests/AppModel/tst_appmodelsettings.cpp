#include "ConnectedModel.h"
#include "RadioLink/LinkTiming.h"
#include "TestWaits.h"

#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

const DeviceSettingState &stateTitled(const AppModel &app, const QString &title) {
    for (const DeviceSettingState &state : app.settingsStates()) {
        if (state.definition().title == title)
            return state;
    }
    qFatal("no menu item %s", qPrintable(title));
}

// Changes the items of these titles: BEEP LEVEL to " 7 " (sent normalised), the others to a value
// the radio accepts.
void change(AppModel &app, const QStringList &titles) {
    for (const QString &title : titles) {
        const DeviceSettingState state = stateTitled(app, title);
        app.setSettingValue(state.id(), title == QLatin1String("BEEP LEVEL")
                                            ? QStringLiteral(" 7 ")
                                            : ConnectedModel::menuValue(state.definition()));
    }
}

} // namespace

// Reading and writing the menu settings against the fake radio over a pseudo-terminal.
class AppModelSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<LinkTestEnvironment>(); }
    void cleanup() {
        m_environment.reset();
        LinkTiming::setWaits({});
    }

    void fullReadOfEachModel_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QList<int>>("percentages");
        QTest::addColumn<bool>("failures"); // item 1 times out, item 4 is rejected
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts"); // status at the start and after an item (%1), at the end
        QTest::addRow("FT-710") << RadioModel::ft710
                                << QList<int>{3,  7,  10, 14, 17, 21, 25, 28, 32, 35, 39, 42, 46, 50,
                                              53, 57, 60, 64, 67, 71, 75, 78, 82, 85, 89, 92, 96, 100}
                                << true << "de"
                                << QStringList{"Einstellungen werden gelesen … %1 %",
                                               "Einstellungen gelesen · 100 %"};
        QTest::addRow("FT-991A, English")
            << RadioModel::ft991a
            << QList<int>{4, 9, 14, 19, 23, 28, 33, 38, 42, 47, 52, 57, 61, 66, 71, 76, 80, 85, 90, 95, 100}
            << false << "en" << QStringList{"Reading settings … %1 %", "Settings read · 100 %"};
    }
    void fullReadOfEachModel() {
        QFETCH(RadioModel, model);
        QFETCH(QList<int>, percentages);
        QFETCH(bool, failures);
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        L::setPreferredLanguagesSource([language] { return QStringList{language}; });
        ConnectedModel connected(model);
        AppModel &app = connected.app;
        const QList<DeviceSettingDefinition> definitions = app.currentSettingDefinitions();
        connected.fillMenu();
        if (failures) {
            connected.radio.silenceNext(definitions.at(1).readCommand);
            connected.radio.rejectNext(definitions.at(4).readCommand);
        }
        QStringList statuses;
        QStringList order;
        QObject::connect(&app, &AppModel::settingsStatesChanged, [&] { order.append("states"); });
        QObject::connect(&app, &AppModel::settingsProgressChanged, [&] { order.append("progress"); });
        QObject::connect(&app, &AppModel::settingsStatusTextChanged, [&] {
            order.append("status");
            statuses.append(app.settingsStatusText());
        });

        app.readSettings();
        QVERIFY(app.isBusy());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::reading);
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);

        QStringList expectedStatuses{texts.first().arg(0)};
        for (int percent : percentages)
            expectedStatuses.append(texts.first().arg(percent));
        expectedStatuses.append(texts.last());
        QCOMPARE(statuses, expectedStatuses);
        // Each item publishes progress, status, states; the end states, progress, status.
        QCOMPARE(order.mid(order.size() - 6),
                 QStringList({"progress", "status", "states", "states", "progress", "status"}));

        QStringList expectedCommands;
        for (const DeviceSettingDefinition &definition : definitions)
            expectedCommands.append(definition.readCommand);
        QCOMPARE(connected.radio.received(), expectedCommands);
        for (int i = 0; i < definitions.size(); ++i) {
            const DeviceSettingState &state = app.settingsStates().at(i);
            const bool failed = failures && (i == 1 || i == 4);
            QCOMPARE(state.value, failed ? QString() : ConnectedModel::menuValue(state.definition()));
            QCOMPARE(state.originalValue, state.value);
        }
        if (failures) {
            const QStringList messages = connected.operationMessages();
            QVERIFY(messages.contains(
                QStringLiteral("Setting read failed [%1]: Zeitüberschreitung bei CAT-Befehl: %2")
                    .arg(definitions.at(1).title, definitions.at(1).readCommand)));
            QVERIFY(messages.contains(
                QStringLiteral("Setting read failed [%1]: Funkgerät hat CAT-Befehl abgelehnt: %2")
                    .arg(definitions.at(4).title, definitions.at(4).readCommand)));
        }
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.settingsProgress(), 1.0);
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(connected.newestMessage(), QStringLiteral("Settings read finished for ") + rawValue(model));

        app.disconnect(); // resets progress and status, keeps the states
        QCOMPARE(app.settingsProgress(), 0.0);
        QCOMPARE(app.settingsStatusText(), QString());
        QVERIFY(!app.settingsStates().first().value.isEmpty());
        const int lines = app.logLines().size();
        app.disconnect();
        QCOMPARE(app.logLines().size(), lines);
    }

    // BEEP LEVEL (as " 7 ") and MEM GROUP are ordinary items, CAT-1 RATE changes the link.
    void changedItemsAreWrittenLinkItemsLast_data() {
        QTest::addColumn<QString>("rejectedTitle");
        QTest::addColumn<bool>("alert");
        QTest::addColumn<QString>("language");
        QTest::addRow("all accepted") << QString() << true << "de";
        QTest::addRow("ordinary item rejected, English") << "BEEP LEVEL" << true << "en";
        QTest::addRow("link item rejected") << "CAT-1 RATE" << false << "de";
    }
    void changedItemsAreWrittenLinkItemsLast() {
        QFETCH(QString, rejectedTitle);
        QFETCH(bool, alert);
        QFETCH(QString, language);
        L::setPreferredLanguagesSource([language] { return QStringList{language}; });
        const bool english = language == QLatin1String("en");
        if (!rejectedTitle.isEmpty())
            LinkTiming::setScale(0.5); // the rejection must arrive inside the window
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        const QStringList titles{"BEEP LEVEL", "MEM GROUP", "CAT-1 RATE"};
        change(app, {"CAT-1 RATE", "MEM GROUP", "BEEP LEVEL"});
        QStringList sent;
        for (const QString &title : titles) {
            const DeviceSettingDefinition &definition = stateTitled(app, title).definition();
            sent.append(definition.writeCommand(definition.normalizeForWrite(stateTitled(app, title).value)));
        }
        if (!rejectedTitle.isEmpty())
            connected.radio.rejectNext(stateTitled(app, rejectedTitle).definition().writePrefix);
        QStringList statuses;
        QObject::connect(&app, &AppModel::settingsStatusTextChanged, &app,
                         [&] { statuses.append(app.settingsStatusText()); });

        app.writeSettings();
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::writing);
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);

        QCOMPARE(connected.radio.received(), sent);
        const QString writing =
            english ? "Writing settings … %1 %" : "Einstellungen werden geschrieben … %1 %";
        QCOMPARE(statuses,
                 QStringList({writing.arg(0), writing.arg(33), writing.arg(66), writing.arg(100),
                              english ? "Settings written · 100 %" : "Einstellungen geschrieben · 100 %"}));
        const QStringList messages = connected.operationMessages();
        for (int k = 0; k < titles.size(); ++k) {
            const DeviceSettingState &state = stateTitled(app, titles[k]);
            if (titles[k] == rejectedTitle) {
                QVERIFY(state.isDirty());
                QVERIFY(messages.contains(QStringLiteral("Setting write failed [%1]: %2%3")
                                              .arg(titles[k],
                                                   english ? "Radio rejected CAT command: "
                                                           : "Funkgerät hat CAT-Befehl abgelehnt: ",
                                                   sent[k])));
            } else {
                const QString value = sent[k].mid(state.definition().writePrefix.size()).chopped(1);
                QCOMPARE(state.value, value);
                QCOMPARE(state.originalValue, value);
                QVERIFY(
                    messages.contains(QStringLiteral("Setting write OK [%1] = %2").arg(titles[k], value)));
            }
        }
        QCOMPARE(app.hasDirtySettings(), !rejectedTitle.isEmpty());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(connected.newestMessage(), QStringLiteral("Settings write finished for FT-710"));
        const QString reconnect =
            english
                ? "CAT/interface settings were changed. Please check or reconnect the connection afterwards."
                : "CAT-/Schnittstellen-Einstellungen wurden geändert. Bitte die Verbindung danach prüfen "
                  "oder "
                  "neu verbinden.";
        QCOMPARE(app.alertMessage(), alert ? std::optional<QString>(reconnect) : std::nullopt);
    }

    void nothingToWriteLeavesARunningReadAlone() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        connected.app.readSettings();
        connected.app.writeSettings();
        QCOMPARE(connected.app.alertMessage(),
                 std::optional<QString>(
                     QStringLiteral("Keine geänderten Einstellungen zum Schreiben vorhanden.")));
        L::setPreferredLanguagesSource([] { return QStringList{QStringLiteral("en-US")}; });
        connected.app.writeSettings();
        QCOMPARE(connected.app.alertMessage(),
                 std::optional<QString>(QStringLiteral("No changed settings available to write.")));
        QVERIFY(connected.app.isBusy());
        QCOMPARE(connected.app.settingsPhase(), SettingsOperationPhase::reading);
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);
        QCOMPARE(connected.newestMessage(), QStringLiteral("Settings read finished for FT-710"));
    }

    void cancelledAfterTheFirstOfThreeItems() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        change(app, {"BEEP LEVEL", "MEM GROUP", "CAT-1 RATE"});
        QObject::connect(&app, &AppModel::logLinesChanged, &app, [&] {
            if (app.logLines().first().contains(QStringLiteral("Setting write OK [BEEP LEVEL]")))
                app.readSelected(); // a newer operation cancels the run
        });

        app.writeSettings();
        QTRY_VERIFY(
            connected.operationMessages().contains(QStringLiteral("Settings write cancelled for FT-710")));

        QCOMPARE(stateTitled(app, "BEEP LEVEL").value, stateTitled(app, "BEEP LEVEL").originalValue);
        QVERIFY(stateTitled(app, "MEM GROUP").isDirty());
        QVERIFY(stateTitled(app, "CAT-1 RATE").isDirty());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QVERIFY(!app.alertMessage());
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);
        for (const QString &command : connected.radio.received())
            QVERIFY2(!command.startsWith(stateTitled(app, "MEM GROUP").definition().writePrefix),
                     qPrintable(command));
    }

    void statesRebuiltBeforeTheRunStartsAreNotWritten() {
        ConnectedModel connected(RadioModel::ft710);
        AppModel &app = connected.app;
        change(app, {"BEEP LEVEL"});
        app.writeSettings();
        app.resetSettingsStates();
        QTRY_VERIFY(!app.isBusy());
        QVERIFY(connected.radio.received().isEmpty());
        QCOMPARE(stateTitled(app, "BEEP LEVEL").value, QString());
        QCOMPARE(app.settingsStatusText(), QString());
    }

    void aModelSwitchDuringARunPublishesNothingStale() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        const QString third = app.currentSettingDefinitions().at(2).readCommand;
        connected.radio.delayNext(third, 100ms);
        app.readSettings();
        QTRY_VERIFY(connected.radio.received().contains(third));

        app.setSelectedRadioModel(RadioModel::ft991a);
        QSignalSpy states(&app, &AppModel::settingsStatesChanged);
        QSignalSpy progress(&app, &AppModel::settingsProgressChanged);
        QSignalSpy statuses(&app, &AppModel::settingsStatusTextChanged);
        QTRY_VERIFY(
            connected.operationMessages().contains(QStringLiteral("Settings read cancelled for FT-991A")));

        QCOMPARE(states.count() + progress.count() + statuses.count(), 0);
        QCOMPARE(app.settingsStates().size(), DeviceSettingDefinition::ft991aDefinitions().size());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QVERIFY(!app.isBusy());
    }

    // A read cancelled by a disconnect still waits for its outstanding query; a write made on the
    // new link ends first, and the old read must not publish over its result.
    void aCancelledReadEndingAfterANewerRunPublishesNothing() {
        LinkTiming::setScale(1.0);
        TestWaits::use([](LinkTiming::Waits &waits) { waits.settingsQueryTimeout = 1.0; });
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        const QString first = app.currentSettingDefinitions().first().readCommand;
        connected.radio.silenceNext(first);
        app.readSettings();
        QTRY_VERIFY(connected.radio.received().contains(first));
        app.disconnect();
        app.connect();
        change(app, {"BEEP LEVEL"});
        app.writeSettings();
        QTRY_VERIFY(!app.isBusy());
        const QString cancelled = QStringLiteral("Settings read cancelled for FT-710");
        QVERIFY2(!connected.operationMessages().contains(cancelled), "the old read ended before the write");
        const QList<DeviceSettingState> written = app.settingsStates();
        QSignalSpy states(&app, &AppModel::settingsStatesChanged);
        QSignalSpy progress(&app, &AppModel::settingsProgressChanged);
        QSignalSpy statuses(&app, &AppModel::settingsStatusTextChanged);

        QTRY_VERIFY_WITH_TIMEOUT(connected.operationMessages().contains(cancelled), 20000);

        QCOMPARE(states.count() + progress.count() + statuses.count(), 0);
        QCOMPARE(stateTitled(app, "BEEP LEVEL").originalValue, stateTitled(app, "BEEP LEVEL").value);
        QCOMPARE(app.settingsStates().size(), written.size());
        QCOMPARE(app.settingsProgress(), 1.0);
        QCOMPARE(app.settingsStatusText(), QStringLiteral("Einstellungen geschrieben · 100 %"));
        QVERIFY(!app.hasDirtySettings());
    }

    // While BEEP LEVEL is written the user edits another item: every item goes out with the value
    // it had when the run started, and the edit stays unsent (the item stays changed).
    void editsMadeWhileWritingAreKept_data() {
        QTest::addColumn<QString>("editedTitle");
        QTest::addColumn<bool>("inTheRun");
        QTest::addRow("item outside the run") << "CAT-1 RATE" << false;
        QTest::addRow("item still to write") << "MEM GROUP" << true;
    }
    void editsMadeWhileWritingAreKept() {
        QFETCH(QString, editedTitle);
        QFETCH(bool, inTheRun);
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        change(app, {"BEEP LEVEL", "MEM GROUP"});
        const DeviceSettingState edited = stateTitled(app, editedTitle);
        const QString edit = edited.definition().normalizeForWrite(QStringLiteral("2"));
        QObject::connect(&app, &AppModel::logLinesChanged, &app, [&] {
            if (app.logLines().first().contains(QStringLiteral("Setting write OK [BEEP LEVEL]")))
                app.setSettingValue(edited.id(), edit);
        });

        app.writeSettings();
        QTRY_VERIFY(!app.isBusy());

        QCOMPARE(connected.newestMessage(), QStringLiteral("Settings write finished for FT-710"));
        const DeviceSettingState &after = stateTitled(app, editedTitle);
        QCOMPARE(after.value, edit);
        QCOMPARE(after.originalValue, inTheRun ? edited.value : edited.originalValue);
        QVERIFY(!connected.radio.received().contains(edited.definition().writeCommand(edit)));
        QCOMPARE(stateTitled(app, "BEEP LEVEL").value, stateTitled(app, "BEEP LEVEL").originalValue);
        QVERIFY(app.hasDirtySettings());
    }

private:
    std::unique_ptr<LinkTestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(AppModelSettingsTest)
#include "tst_appmodelsettings.moc"
