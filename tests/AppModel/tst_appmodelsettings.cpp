#include "ConnectedModel.h"
#include "TestWaits.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
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
        app.setSettingValue(
            state.id(), title == u"BEEP LEVEL" ? u" 7 "_s : ConnectedModel::menuValue(state.definition()));
    }
}

// The status after `done` of `count` items: the share in whole percent, cut.
QString progressStatus(const QString &text, int done, int count) {
    return text.arg(int(100.0 * done / count));
}

} // namespace

// Reading and writing the menu settings against the fake radio over a pseudo-terminal.
class AppModelSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<LinkTestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    // Every item is read in table order; one that fails is logged and the run goes on. Each item
    // publishes progress, status, states; the end states, progress, status.
    void fullReadOfEachModel_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts"); // status while and after reading, the two failures
        QTest::addRow("FT-710") << RadioModel::ft710 << u"de"_s
                                << QStringList{"Einstellungen werden gelesen … %1 %",
                                               "Einstellungen gelesen · 100 %",
                                               "Zeitüberschreitung bei CAT-Befehl: ",
                                               "Funkgerät hat CAT-Befehl abgelehnt: "};
        QTest::addRow("FT-991A, English")
            << RadioModel::ft991a << u"en"_s
            << QStringList{"Reading settings … %1 %", "Settings read · 100 %",
                           "Timed out waiting for CAT command: ", "Radio rejected CAT command: "};
    }
    void fullReadOfEachModel() {
        QFETCH(RadioModel, model);
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        TestSettings::setLanguage(language);
        ConnectedModel connected(model);
        AppModel &app = connected.app;
        const QList<DeviceSettingDefinition> definitions = app.currentSettingDefinitions();
        connected.fillMenu();
        connected.radio.silenceNext(definitions.at(1).readCommand);
        connected.radio.rejectNext(definitions.at(4).readCommand);
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

        QStringList expectedStatuses;
        for (int done = 0; done <= definitions.size(); ++done)
            expectedStatuses.append(progressStatus(texts[0], done, definitions.size()));
        QCOMPARE(statuses, expectedStatuses << texts[1]);
        QCOMPARE(order.mid(order.size() - 6),
                 QStringList({"progress", "status", "states", "states", "progress", "status"}));
        QStringList commands;
        for (const DeviceSettingDefinition &definition : definitions)
            commands.append(definition.readCommand);
        QCOMPARE(connected.radio.received(), commands);
        for (int i = 0; i < definitions.size(); ++i) {
            const DeviceSettingState &state = app.settingsStates().at(i);
            QCOMPARE(state.value,
                     i == 1 || i == 4 ? QString() : ConnectedModel::menuValue(state.definition()));
            QCOMPARE(state.originalValue, state.value);
        }
        const QStringList messages = connected.messages();
        for (int i : {1, 4})
            QVERIFY(messages.contains(u"Setting read failed [%1]: %2%3"_s.arg(
                definitions.at(i).title, texts[i == 1 ? 2 : 3], definitions.at(i).readCommand)));
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.settingsProgress(), 1.0);
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(connected.newestMessage(), u"Settings read finished for "_s + rawValue(model));

        app.disconnect(); // resets progress and status, keeps the states
        QCOMPARE(app.settingsProgress(), 0.0);
        QCOMPARE(app.settingsStatusText(), QString());
        QVERIFY(!app.settingsStates().first().value.isEmpty());
    }

    // BEEP LEVEL (as " 7 ") and MEM GROUP are ordinary items, CAT-1 RATE changes the link.
    void changedItemsAreWrittenLinkItemsLast_data() {
        QTest::addColumn<QString>("rejectedTitle");
        QTest::addColumn<bool>("alert");
        QTest::addColumn<QString>("language");
        QTest::addRow("all accepted") << QString() << true << u"de"_s;
        QTest::addRow("ordinary item rejected, English") << u"BEEP LEVEL"_s << true << u"en"_s;
        QTest::addRow("link item rejected") << u"CAT-1 RATE"_s << false << u"de"_s;
    }
    void changedItemsAreWrittenLinkItemsLast() {
        QFETCH(QString, rejectedTitle);
        QFETCH(bool, alert);
        QFETCH(QString, language);
        TestSettings::setLanguage(language);
        const bool english = language == u"en";
        if (!rejectedTitle.isEmpty())
            LinkTiming::setScale(0.5); // the rejection must arrive inside the window
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        const QStringList titles{"BEEP LEVEL", "MEM GROUP", "CAT-1 RATE"};
        change(app, {"CAT-1 RATE", "MEM GROUP", "BEEP LEVEL"});
        QStringList sent;
        for (const QString &title : titles)
            sent.append(stateTitled(app, title).definition().writeCommand(stateTitled(app, title).value));
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
            english ? u"Writing settings … %1 %"_s : u"Einstellungen werden geschrieben … %1 %"_s;
        QStringList expectedStatuses;
        for (int done = 0; done <= titles.size(); ++done)
            expectedStatuses.append(progressStatus(writing, done, titles.size()));
        QCOMPARE(statuses, expectedStatuses << (english ? u"Settings written · 100 %"_s
                                                        : u"Einstellungen geschrieben · 100 %"_s));
        const QStringList messages = connected.messages();
        for (int k = 0; k < titles.size(); ++k) {
            const DeviceSettingState &state = stateTitled(app, titles[k]);
            if (titles[k] == rejectedTitle) {
                QVERIFY(state.isDirty());
                QVERIFY(messages.contains(u"Setting write failed [%1]: %2%3"_s.arg(
                    titles[k],
                    english ? u"Radio rejected CAT command: "_s : u"Funkgerät hat CAT-Befehl abgelehnt: "_s,
                    sent[k])));
            } else {
                const QString value = sent[k].mid(state.definition().writePrefix.size()).chopped(1);
                QCOMPARE(state.value + u'|' + state.originalValue, value + u'|' + value);
                QVERIFY(messages.contains(u"Setting write OK [%1] = %2"_s.arg(titles[k], value)));
            }
        }
        QCOMPARE(app.hasDirtySettings(), !rejectedTitle.isEmpty());
        QCOMPARE(app.settingsPhase(), SettingsOperationPhase::idle);
        QCOMPARE(connected.newestMessage(), u"Settings write finished for FT-710"_s);
        const QString reconnect =
            english
                ? u"CAT/interface settings were changed. Please check or reconnect the connection afterwards."_s
                : u"CAT-/Schnittstellen-Einstellungen wurden geändert. Bitte die Verbindung danach prüfen "
                  u"oder "
                  "neu verbinden."_s;
        QCOMPARE(app.alertMessage(), alert ? std::optional(reconnect) : std::nullopt);
    }

    void nothingToWriteLeavesARunningReadAlone() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        connected.app.readSettings();
        connected.app.writeSettings();
        QCOMPARE(connected.app.alertMessage(),
                 std::optional(u"Keine geänderten Einstellungen zum Schreiben vorhanden."_s));
        TestSettings::setLanguage(u"en"_s);
        connected.app.writeSettings();
        QCOMPARE(connected.app.alertMessage(), std::optional(u"No changed settings available to write."_s));
        QVERIFY(connected.app.isBusy());
        QCOMPARE(connected.app.settingsPhase(), SettingsOperationPhase::reading);
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);
        QCOMPARE(connected.newestMessage(), u"Settings read finished for FT-710"_s);
    }

    // A newer operation cancels the run after its first item: the rest stay changed, unsent.
    void cancelledAfterTheFirstOfThreeItems() {
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        change(app, {"BEEP LEVEL", "MEM GROUP", "CAT-1 RATE"});
        QObject::connect(&app, &AppModel::logLinesChanged, &app, [&] {
            if (app.logLines().first().contains(u"Setting write OK [BEEP LEVEL]"_s))
                app.readSelected();
        });
        app.writeSettings();
        QTRY_VERIFY(connected.messages().contains(u"Settings write cancelled for FT-710"_s));
        QVERIFY(!stateTitled(app, "BEEP LEVEL").isDirty());
        QVERIFY(stateTitled(app, "MEM GROUP").isDirty() && stateTitled(app, "CAT-1 RATE").isDirty());
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
        QCOMPARE(stateTitled(app, "BEEP LEVEL").value + app.settingsStatusText(), QString());
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
        QTRY_VERIFY(connected.messages().contains(u"Settings read cancelled for FT-991A"_s));
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
        const QString cancelled = u"Settings read cancelled for FT-710"_s;
        QVERIFY2(!connected.messages().contains(cancelled), "the old read ended before the write");
        QSignalSpy states(&app, &AppModel::settingsStatesChanged);
        QSignalSpy progress(&app, &AppModel::settingsProgressChanged);
        QSignalSpy statuses(&app, &AppModel::settingsStatusTextChanged);
        QTRY_VERIFY_WITH_TIMEOUT(connected.messages().contains(cancelled), 20000);
        QCOMPARE(states.count() + progress.count() + statuses.count(), 0);
        QVERIFY(!app.hasDirtySettings());
        QCOMPARE(app.settingsProgress(), 1.0);
        QCOMPARE(app.settingsStatusText(), u"Einstellungen geschrieben · 100 %"_s);
    }

    // While BEEP LEVEL is written the user edits another item: every item goes out with the value
    // it had when the run started, and the edit stays unsent (the item stays changed).
    void editsMadeWhileWritingAreKept_data() {
        QTest::addColumn<QString>("editedTitle");
        QTest::addColumn<bool>("inTheRun");
        QTest::addRow("item outside the run") << u"CAT-1 RATE"_s << false;
        QTest::addRow("item still to write") << u"MEM GROUP"_s << true;
    }
    void editsMadeWhileWritingAreKept() {
        QFETCH(QString, editedTitle);
        QFETCH(bool, inTheRun);
        ConnectedModel connected(RadioModel::ft710);
        connected.fillMenu();
        AppModel &app = connected.app;
        change(app, {"BEEP LEVEL", "MEM GROUP"});
        const DeviceSettingState edited = stateTitled(app, editedTitle);
        const QString edit = edited.definition().normalizeForWrite(u"2"_s);
        QObject::connect(&app, &AppModel::logLinesChanged, &app, [&] {
            if (app.logLines().first().contains(u"Setting write OK [BEEP LEVEL]"_s))
                app.setSettingValue(edited.id(), edit);
        });
        app.writeSettings();
        QTRY_VERIFY(!app.isBusy());
        QCOMPARE(connected.newestMessage(), u"Settings write finished for FT-710"_s);
        const DeviceSettingState &after = stateTitled(app, editedTitle);
        QCOMPARE(after.value, edit);
        QCOMPARE(after.originalValue, inTheRun ? edited.value : edited.originalValue);
        QVERIFY(!connected.radio.received().contains(edited.definition().writeCommand(edit)));
        QVERIFY(!stateTitled(app, "BEEP LEVEL").isDirty() && app.hasDirtySettings());
    }

private:
    std::unique_ptr<LinkTestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(AppModelSettingsTest)
#include "tst_appmodelsettings.moc"
