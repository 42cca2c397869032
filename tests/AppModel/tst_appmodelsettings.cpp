#include "ConnectedModel.h"
#include "RadioLink/LinkTiming.h"

#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

int positionOf(const AppModel &app, const QString &title) {
    const QList<DeviceSettingState> &states = app.settingsStates();
    for (int position = 0; position < states.size(); ++position) {
        if (states[position].definition().title == title)
            return position;
    }
    return -1;
}

const DeviceSettingState &stateTitled(const AppModel &app, const QString &title) {
    return app.settingsStates().at(positionOf(app, title));
}

} // namespace

// Reading and writing the menu settings against the fake radio over a pseudo-terminal.
class AppModelSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<LinkTestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    void fullReadOfEachModel_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QList<int>>("percentages");
        QTest::addRow("FT-710") << RadioModel::ft710
                                << QList<int>{3,  7,  10, 14, 17, 21, 25, 28, 32, 35, 39, 42, 46, 50,
                                              53, 57, 60, 64, 67, 71, 75, 78, 82, 85, 89, 92, 96, 100};
        QTest::addRow("FT-991A") << RadioModel::ft991a
                                 << QList<int>{4,  9,  14, 19, 23, 28, 33, 38, 42, 47, 52,
                                               57, 61, 66, 71, 76, 80, 85, 90, 95, 100};
    }
    void fullReadOfEachModel() {
        QFETCH(RadioModel, model);
        QFETCH(QList<int>, percentages);
        ConnectedModel connected(model);
        const QList<DeviceSettingDefinition> definitions = connected.app.currentSettingDefinitions();
        connected.fillMenu();
        QStringList statuses;
        QObject::connect(&connected.app, &AppModel::settingsStatusTextChanged, &connected.app,
                         [&] { statuses.append(connected.app.settingsStatusText()); });
        QStringList order;
        QObject::connect(&connected.app, &AppModel::settingsStatesChanged, [&] { order.append("states"); });
        QObject::connect(&connected.app, &AppModel::settingsProgressChanged,
                         [&] { order.append("progress"); });
        QObject::connect(&connected.app, &AppModel::settingsStatusTextChanged,
                         [&] { order.append("status"); });

        connected.app.readSettings();
        QVERIFY(connected.app.isBusy());
        QCOMPARE(connected.app.settingsPhase(), SettingsOperationPhase::reading);
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);

        QStringList expectedStatuses{QStringLiteral("Einstellungen werden gelesen … 0 %")};
        for (int percent : percentages)
            expectedStatuses.append(QStringLiteral("Einstellungen werden gelesen … %1 %").arg(percent));
        expectedStatuses.append(QStringLiteral("Einstellungen gelesen · 100 %"));
        QCOMPARE(statuses, expectedStatuses);
        // Each item publishes progress, status, states; the end states, progress, status.
        QCOMPARE(order.mid(order.size() - 6),
                 QStringList({"progress", "status", "states", "states", "progress", "status"}));

        QStringList expectedCommands;
        for (const DeviceSettingDefinition &definition : definitions)
            expectedCommands.append(definition.readCommand);
        QCOMPARE(connected.radio.received(), expectedCommands);

        for (const DeviceSettingState &state : connected.app.settingsStates()) {
            QCOMPARE(state.value, ConnectedModel::menuValue(state.definition()));
            QCOMPARE(state.originalValue, state.value);
        }
        QVERIFY(!connected.app.hasDirtySettings());
        QCOMPARE(connected.app.settingsProgress(), 1.0);
        QCOMPARE(connected.app.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(connected.newestMessage(), QStringLiteral("Settings read finished for ") + rawValue(model));
    }

    void failedItemsAreLoggedAndLeftEmpty() {
        ConnectedModel connected(RadioModel::ft710);
        const QList<DeviceSettingDefinition> definitions = connected.app.currentSettingDefinitions();
        connected.fillMenu();
        connected.radio.silenceNext(definitions.at(1).readCommand);
        connected.radio.rejectNext(definitions.at(4).readCommand);

        connected.app.readSettings();
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);

        const QStringList messages = connected.operationMessages();
        QVERIFY(messages.contains(
            QStringLiteral("Setting read failed [%1]: Zeitüberschreitung bei CAT-Befehl: %2")
                .arg(definitions.at(1).title, definitions.at(1).readCommand)));
        QVERIFY(messages.contains(
            QStringLiteral("Setting read failed [%1]: Funkgerät hat CAT-Befehl abgelehnt: %2")
                .arg(definitions.at(4).title, definitions.at(4).readCommand)));
        for (int failed : {1, 4}) {
            QCOMPARE(connected.app.settingsStates().at(failed).value, QString());
            QCOMPARE(connected.app.settingsStates().at(failed).originalValue, QString());
        }
        QCOMPARE(connected.app.settingsStatusText(), QStringLiteral("Einstellungen gelesen · 100 %"));
        QCOMPARE(connected.newestMessage(), QStringLiteral("Settings read finished for FT-710"));
    }

    void restoreAfterEditsSendsNothing() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        connected.app.readSettings();
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);
        connected.radio.clearReceived();

        const DeviceSettingState first = connected.app.settingsStates().first();
        connected.app.setSettingValue(first.id(), first.definition().normalizeForWrite(QStringLiteral("0")));
        QVERIFY(connected.app.hasDirtySettings());
        connected.app.restoreSettingsToOriginal();
        QVERIFY(!connected.app.hasDirtySettings());
        QCOMPARE(connected.app.settingsStates().first(), first);
        connected.app.readSelected(); // the next command on the line is this one's
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.radio.received().value(0), QStringLiteral("MR001;"));
    }

    void changedItemsAreWrittenLinkItemsLast() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        const QStringList titles{"BEEP LEVEL", "CAT-1 RATE", "MEM GROUP"};
        for (const QString &title : titles)
            QVERIFY2(positionOf(app, title) >= 0, qPrintable(title));
        for (const QString &title : titles)
            app.setSettingValue(stateTitled(app, title).id(),
                                ConnectedModel::menuValue(stateTitled(app, title).definition()));
        QStringList statuses;
        QObject::connect(&app, &AppModel::settingsStatusTextChanged, &app,
                         [&] { statuses.append(app.settingsStatusText()); });

        app.writeSettings();
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::writing);
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);

        QStringList expected;
        for (const QString &title : QStringList{"BEEP LEVEL", "MEM GROUP", "CAT-1 RATE"}) {
            const DeviceSettingDefinition &definition = stateTitled(app, title).definition();
            expected.append(definition.writeCommand(ConnectedModel::menuValue(definition)));
        }
        QCOMPARE(connected.radio.received(), expected);
        QCOMPARE(
            statuses,
            QStringList({"Einstellungen werden geschrieben … 0 %", "Einstellungen werden geschrieben … 33 %",
                         "Einstellungen werden geschrieben … 66 %",
                         "Einstellungen werden geschrieben … 100 %", "Einstellungen geschrieben · 100 %"}));
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(connected.newestMessage(), QStringLiteral("Settings write finished for FT-710"));
        QCOMPARE(app.alertMessage(), std::optional<QString>(QStringLiteral(
                                         "CAT-/Schnittstellen-Einstellungen wurden geändert. Bitte die "
                                         "Verbindung danach prüfen oder neu verbinden.")));
    }

    void writtenValuesAreNormalised() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        const DeviceSettingState numeric = firstOrdinaryOfKind(app, DeviceSettingFieldKind::numeric);
        const QString normalised = numeric.definition().normalizeForWrite(QStringLiteral(" 7 "));
        app.setSettingValue(numeric.id(), QStringLiteral(" 7 "));
        app.writeSettings();
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);
        QCOMPARE(connected.radio.received(), QStringList{numeric.definition().writeCommand(normalised)});
        const DeviceSettingState &written =
            app.settingsStates().at(positionOf(app, numeric.definition().title));
        QCOMPARE(written.value, normalised);
        QCOMPARE(written.originalValue, normalised);
        QVERIFY(connected.operationMessages().contains(
            QStringLiteral("Setting write OK [%1] = %2").arg(numeric.definition().title, normalised)));
        QVERIFY(!app.alertMessage());
    }

    void aRejectedItemStaysDirty_data() {
        QTest::addColumn<QString>("rejectedTitle");
        QTest::addColumn<bool>("alert");
        QTest::addRow("ordinary item rejected") << "BEEP LEVEL" << true;
        QTest::addRow("link item rejected") << "CAT-1 RATE" << false;
    }
    void aRejectedItemStaysDirty() {
        QFETCH(QString, rejectedTitle);
        QFETCH(bool, alert);
        LinkTiming::setScale(0.5); // the rejection must arrive inside the window
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        for (const QString &title : QStringList{"BEEP LEVEL", "CAT-1 RATE"})
            app.setSettingValue(stateTitled(app, title).id(),
                                ConnectedModel::menuValue(stateTitled(app, title).definition()));
        connected.radio.rejectNext(stateTitled(app, rejectedTitle).definition().writePrefix);

        app.writeSettings();
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);

        const DeviceSettingDefinition &rejected = stateTitled(app, rejectedTitle).definition();
        QVERIFY(stateTitled(app, rejectedTitle).isDirty());
        QVERIFY(connected.operationMessages().contains(
            QStringLiteral("Setting write failed [%1]: Funkgerät hat CAT-Befehl abgelehnt: %2")
                .arg(rejected.title, rejected.writeCommand(ConnectedModel::menuValue(rejected)))));
        QVERIFY(app.hasDirtySettings());
        QCOMPARE(app.settingsStatusText(), QStringLiteral("Einstellungen geschrieben · 100 %"));
        QCOMPARE(app.alertMessage().has_value(), alert);
    }

    void nothingToWriteLeavesARunningReadAlone() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        connected.app.readSettings();
        connected.app.writeSettings();
        QCOMPARE(connected.app.alertMessage(),
                 std::optional<QString>(
                     QStringLiteral("Keine geänderten Einstellungen zum Schreiben vorhanden.")));
        QVERIFY(connected.app.isBusy());
        QCOMPARE(connected.app.settingsPhase(), SettingsOperationPhase::reading);
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);
        QCOMPARE(connected.newestMessage(), QStringLiteral("Settings read finished for FT-710"));
    }

    void notConnectedIsTestedBeforeTheChanges() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        connected.app.disconnect();
        connected.app.writeSettings();
        QCOMPARE(connected.app.alertMessage(),
                 std::optional<QString>(QStringLiteral("Keine aktive CAT-Verbindung.")));
    }

    void cancelledAfterTheFirstOfThreeItems() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        const QStringList titles{"BEEP LEVEL", "MEM GROUP", "CAT-1 RATE"};
        for (const QString &title : titles)
            app.setSettingValue(stateTitled(app, title).id(),
                                ConnectedModel::menuValue(stateTitled(app, title).definition()));
        const QString firstWritten = QStringLiteral("Setting write OK [BEEP LEVEL]");
        QObject::connect(&app, &AppModel::logLinesChanged, &app, [&] {
            if (app.logLines().first().contains(firstWritten))
                app.readAll(); // a newer operation cancels the run
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
        connected.fillMenu();
        AppModel &app = connected.app;
        app.setSettingValue(stateTitled(app, "BEEP LEVEL").id(),
                            ConnectedModel::menuValue(stateTitled(app, "BEEP LEVEL").definition()));
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
        const QList<DeviceSettingDefinition> definitions = app.currentSettingDefinitions();
        connected.fillMenu();
        connected.radio.delayNext(definitions.at(2).readCommand, 100ms);
        app.readSettings();
        QTRY_VERIFY(connected.radio.received().contains(definitions.at(2).readCommand));

        app.setSelectedRadioModel(RadioModel::ft991a);
        QSignalSpy states(&app, &AppModel::settingsStatesChanged);
        QSignalSpy progress(&app, &AppModel::settingsProgressChanged);
        QSignalSpy statuses(&app, &AppModel::settingsStatusTextChanged);
        QTRY_VERIFY(
            connected.operationMessages().contains(QStringLiteral("Settings read cancelled for FT-991A")));

        QCOMPARE(states.count(), 0);
        QCOMPARE(progress.count(), 0);
        QCOMPARE(statuses.count(), 0);
        QCOMPARE(app.settingsStates().size(), DeviceSettingDefinition::ft991aDefinitions().size());
        QCOMPARE(app.settingsStates().first().value, QString());
        QCOMPARE(app.settingsStatusText(), QString());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QVERIFY(!app.isBusy());
    }

private:
    static DeviceSettingState firstOrdinaryOfKind(const AppModel &app, DeviceSettingFieldKind kind) {
        for (const DeviceSettingState &state : app.settingsStates()) {
            if (state.definition().fieldKind == kind && !state.definition().disruptsConnection &&
                state.definition().digits > 1)
                return state;
        }
        return app.settingsStates().first();
    }

    std::unique_ptr<LinkTestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(AppModelSettingsTest)
#include "tst_appmodelsettings.moc"
