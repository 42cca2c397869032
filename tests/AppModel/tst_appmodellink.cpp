#include "ConnectedModel.h"
#include "RadioLink/LinkTiming.h"

#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

const QString channelPayload = QStringLiteral("145500000+000000410000");

QStringList slotsOf(const QList<RadioMemory> &memories) {
    QStringList slotTexts;
    for (const RadioMemory &memory : memories)
        slotTexts.append(memory.slot);
    return slotTexts;
}

} // namespace

// The link and the memory operations against the fake radio over a pseudo-terminal.
class AppModelLinkTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<LinkTestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    void connectLogsTheOpenedLink_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QString>("framing");
        QTest::addRow("FT-710") << RadioModel::ft710 << "[FT-710] [8N1]";
        QTest::addRow("FT-991A") << RadioModel::ft991a << "[FT-991A] [8N2 / HW-Handshake]";
    }
    void connectLogsTheOpenedLink() {
        QFETCH(RadioModel, model);
        QFETCH(QString, framing);
        ConnectedModel connected(model);
        QVERIFY(connected.app.isConnected());
        QCOMPARE(connected.newestMessage(),
                 QStringLiteral("Opened %1 @ 38400 ").arg(connected.radio.devicePath()) + framing);
    }

    void connectSendsNothing() {
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(1, {channelPayload, QStringLiteral("FIRST")});
        connected.app.readSelected();
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.radio.received().value(0), QStringLiteral("MR001;"));
    }

    void reconnectLogsDisconnectedThenOpened() {
        ConnectedModel connected(RadioModel::ft710);
        connected.app.connect();
        const QStringList messages = connected.messages();
        QCOMPARE(messages.mid(messages.size() - 3),
                 QStringList(
                     {messages.value(messages.size() - 3), "Disconnected",
                      QStringLiteral("Opened %1 @ 38400 [FT-710] [8N1]").arg(connected.radio.devicePath())}));
        QVERIFY(messages.value(messages.size() - 3).startsWith(QStringLiteral("Opened ")));
        QVERIFY(connected.app.isConnected());
    }

    void reconnectCancelsTheRunningOperation() {
        ConnectedModel connected(RadioModel::ft710);
        connected.app.readAll();
        QTRY_VERIFY(connected.radio.received().contains(QStringLiteral("MR005;")));
        connected.app.connect();
        QVERIFY(!connected.app.isBusy());
        QVERIFY(connected.app.isConnected());
        QTRY_COMPARE(connected.newestMessage(), QStringLiteral("Alles lesen abgebrochen für FT-710"));
        QVERIFY(!connected.app.isBusy());
    }

    void disconnectWhileDisconnectedOnlyResetsTheSettingsRun() {
        ConnectedModel connected(RadioModel::ft710);
        connected.app.disconnect();
        const int lines = connected.app.logLines().size();
        connected.app.disconnect();
        QCOMPARE(connected.app.logLines().size(), lines);
        QCOMPARE(connected.app.settingsPhase(), SettingsOperationPhase::idle);
        QVERIFY(!connected.app.isConnected());
    }

    void connectWithoutPortKeepsTheLinkOpen() {
        ConnectedModel connected(RadioModel::ft710);
        const int lines = connected.app.logLines().size();
        connected.app.setSelectedPort(QString());
        connected.app.connect();
        QVERIFY(connected.app.isConnected());
        QCOMPARE(connected.app.logLines().size(), lines);
        QVERIFY(connected.app.alertMessage());
    }

    void readAllFillsTheTableOnce_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QString>("firstCommand");
        QTest::addRow("FT-710") << RadioModel::ft710 << "MR001;";
        QTest::addRow("FT-991A") << RadioModel::ft991a << "MC001;";
    }
    void readAllFillsTheTableOnce() {
        QFETCH(RadioModel, model);
        QFETCH(QString, firstCommand);
        ConnectedModel connected(model);
        const QString name = rawValue(model);
        connected.radio.setChannel(2, {channelPayload, QStringLiteral("TWO")});
        connected.radio.setChannel(7, {channelPayload, QStringLiteral("SEVEN")});
        connected.radio.setChannel(9, {channelPayload, QStringLiteral("NINE")});
        connected.radio.silenceNext(QStringLiteral("MR007"));
        QSignalSpy tables(&connected.app, &AppModel::memoriesChanged);

        connected.app.readAll();
        QVERIFY(connected.app.isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);

        QCOMPARE(tables.count(), 1);
        const QList<RadioMemory> &memories = connected.app.memories();
        QCOMPARE(memories.size(), memoryRange(model).count());
        QCOMPARE(memories.at(1).tag.trimmed(), QStringLiteral("TWO"));
        QVERIFY(!memories.at(1).isEmpty);
        QVERIFY(memories.at(6).isEmpty); // the failed channel keeps its row
        QCOMPARE(memories.at(8).frequency, QStringLiteral("145500000"));

        const QStringList messages = connected.operationMessages();
        const QString emptyLine =
            QStringLiteral("Speicher %1 scheint leer zu sein oder ist auf %2 nicht lesbar");
        QVERIFY(messages.contains(emptyLine.arg("001", name)));
        QVERIFY(messages.contains(emptyLine.arg("003", name)));
        QVERIFY(!messages.contains(emptyLine.arg("002", name)));
        QVERIFY(messages.contains("Lesen fehlgeschlagen für 007: Zeitüberschreitung bei CAT-Befehl: MR007;"));
        QCOMPARE(messages.last(), QStringLiteral("Fertig mit dem Lesen aller Speicher für ") + name);
        QCOMPARE(connected.radio.received().first(), firstCommand);
    }

    void readAllKeepsTheRowsOfAnImportedTable() {
        ConnectedModel connected(RadioModel::ft710);
        QList<RadioMemory> imported;
        for (int channel = 10; channel >= 1; --channel)
            imported.append(RadioMemory::empty(RadioMemory::slotText(channel), RadioModel::ft710));
        connected.app.applyImportedBackup(
            MemoryBackup{RadioModel::ft710, imported, QDateTime::currentDateTimeUtc()});
        connected.radio.setChannel(50, {channelPayload, QStringLiteral("FIFTY")});
        connected.radio.setChannel(3, {channelPayload, QStringLiteral("THREE")});
        connected.app.readAll();
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);
        QCOMPARE(slotsOf(connected.app.memories()),
                 QStringList({"001", "002", "003", "004", "005", "006", "007", "008", "009", "010"}));
        QCOMPARE(connected.app.memories().at(2).tag.trimmed(), QStringLiteral("THREE"));
        QVERIFY(connected.radio.received().contains(QStringLiteral("MR099;")));
    }

    void readAllSelectsTheFirstRowOnlyWithoutSelection_data() {
        QTest::addColumn<std::optional<QString>>("before");
        QTest::addColumn<std::optional<QString>>("after");
        QTest::addRow("none") << std::optional<QString>() << std::optional<QString>("001");
        QTest::addRow("017") << std::optional<QString>("017") << std::optional<QString>("017");
        QTest::addRow("no such row") << std::optional<QString>("500") << std::optional<QString>("500");
    }
    void readAllSelectsTheFirstRowOnlyWithoutSelection() {
        QFETCH(std::optional<QString>, before);
        QFETCH(std::optional<QString>, after);
        ConnectedModel connected(RadioModel::ft710);
        connected.app.setSelectedMemoryID(before);
        connected.app.readAll();
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);
        QCOMPARE(connected.app.selectedMemoryID(), after);
    }

    void readAllCancelledInTheSameTurnSendsNothing() {
        ConnectedModel connected(RadioModel::ft710);
        connected.app.readAll();
        connected.app.disconnect();
        QVERIFY(!connected.app.isBusy());
        QTRY_COMPARE(connected.newestMessage(), QStringLiteral("Alles lesen abgebrochen für FT-710"));
        QVERIFY(connected.radio.received().isEmpty());
    }

    void readAllCancelledByDisconnectKeepsTheTable() {
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(1, {channelPayload, QStringLiteral("ONE")});
        const QList<RadioMemory> before = connected.app.memories();
        QSignalSpy tables(&connected.app, &AppModel::memoriesChanged);
        connected.app.readAll();
        QTRY_VERIFY(connected.radio.received().contains(QStringLiteral("MR010;")));
        connected.app.disconnect();
        QVERIFY(!connected.app.isBusy());
        QTRY_COMPARE(connected.newestMessage(), QStringLiteral("Alles lesen abgebrochen für FT-710"));
        QCOMPARE(connected.app.memories(), before);
        QCOMPARE(tables.count(), 0);
        QVERIFY(!connected.radio.received().contains(QStringLiteral("MR099;")));
    }

    void readSelectedStoresTheChannel() {
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(17, {channelPayload, QStringLiteral("SEVENTEEN")});
        connected.app.setSelectedMemoryID(QStringLiteral("017"));
        QSignalSpy rows(&connected.app, &AppModel::memoryChanged);
        connected.app.readSelected();
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.app.selectedMemory()->tag.trimmed(), QStringLiteral("SEVENTEEN"));
        QCOMPARE(rows.count(), 1);
        QCOMPARE(rows.first().first().toInt(), 16);
        QCOMPARE(connected.radio.received(), QStringList({"MR017;", "MT017;"}));
    }

    void readSelectedParsesTheSlotStrictly_data() {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("command");
        QTest::addRow("three digits") << "007"
                                      << "MR007;";
        QTest::addRow("leading blank") << " 7"
                                       << "MR000;";
        QTest::addRow("trailing letter") << "7a"
                                         << "MR000;";
        QTest::addRow("Arabic-Indic digit") << QStringLiteral("\u0667") << "MR000;";
    }
    void readSelectedParsesTheSlotStrictly() {
        QFETCH(QString, slot);
        QFETCH(QString, command);
        ConnectedModel connected(RadioModel::ft710);
        connected.app.applyImportedBackup(MemoryBackup{RadioModel::ft710,
                                                       {RadioMemory::empty(slot, RadioModel::ft710)},
                                                       QDateTime::currentDateTimeUtc()});
        connected.app.readSelected();
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.radio.received().value(0), command);
    }

    void readSelectedFailureIsOnlyLogged() {
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(1, {channelPayload, QStringLiteral("ONE")});
        connected.radio.silenceNext(QStringLiteral("MR"));
        connected.app.readSelected();
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.newestMessage(),
                 QStringLiteral("Lesen fehlgeschlagen für 001: Zeitüberschreitung bei CAT-Befehl: MR001;"));
        QVERIFY(!connected.app.alertMessage());
    }

    void writeSelectedVerifiesTheReadBack() {
        ConnectedModel connected(RadioModel::ft710);
        RadioMemory memory = RadioMemory::empty(QStringLiteral("004"), RadioModel::ft710);
        memory.frequency = QStringLiteral("145500000");
        memory.tag = QStringLiteral("REPEATER");
        memory.isEmpty = false;
        connected.app.writeSelected(memory);
        QTRY_VERIFY(!connected.app.isBusy());
        const QStringList messages = connected.operationMessages();
        QCOMPARE(messages.mid(messages.size() - 2),
                 QStringList({"Schreiben für Speicher 004 über FT-710 via MW+MT gesendet",
                              "Verifikation OK für Speicher 004"}));
        QCOMPARE(connected.app.memories().at(3).tag.trimmed(), QStringLiteral("REPEATER"));
        QVERIFY(!connected.app.alertMessage());
    }

    void writeSelectedLogsEveryDifference() {
        ConnectedModel connected(RadioModel::ft710);
        RadioMemory memory = RadioMemory::empty(QStringLiteral("004"), RadioModel::ft710);
        memory.frequency = QStringLiteral("145500000");
        memory.tag = QStringLiteral("REPEATER");
        memory.flagsRaw = QStringLiteral("1000"); // written padded, read back as "01000"
        memory.isEmpty = false;
        connected.radio.rejectNext(QStringLiteral("MT004;")); // the read-back tag
        connected.app.writeSelected(memory);
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.newestMessage(),
                 QStringLiteral("Verifikationsabweichung für Speicher 004: Flags Raw: erwartet "
                                "1000, gelesen 01000 | Tag: erwartet REPEATER, gelesen "));
        QCOMPARE(connected.app.memories().at(3).flagsRaw, QStringLiteral("01000"));
        QCOMPARE(connected.app.memories().at(3).tag.trimmed(), QString());
    }

    void writeSelectedFailureAlerts() {
        ConnectedModel connected(RadioModel::ft710);
        RadioMemory memory = RadioMemory::empty(QStringLiteral("004"), RadioModel::ft710);
        memory.isEmpty = false;
        connected.app.writeSelected(memory);
        QTRY_VERIFY(!connected.app.isBusy());
        const QString newest = connected.operationMessages().last();
        QVERIFY2(newest.startsWith(
                     QStringLiteral("Schreiben fehlgeschlagen für 004: Ungültiger Speicherinhalt: ")),
                 qPrintable(newest));
        QCOMPARE(connected.app.alertMessage(),
                 std::optional<QString>(newest.mid(newest.indexOf(QStringLiteral("Ungültiger")))));
        QVERIFY(!connected.radio.received().contains(QStringLiteral("MR004;")));
    }

    void writeSelectedVerifyReadFailureIsOnlyLogged() {
        ConnectedModel connected(RadioModel::ft710);
        RadioMemory memory = RadioMemory::empty(QStringLiteral("004"), RadioModel::ft710);
        memory.frequency = QStringLiteral("145500000");
        memory.isEmpty = false;
        connected.radio.silenceNext(QStringLiteral("MR004"));
        connected.app.writeSelected(memory);
        QTRY_VERIFY(!connected.app.isBusy());
        const QStringList messages = connected.operationMessages();
        QCOMPARE(
            messages.mid(messages.size() - 2),
            QStringList(
                {"Schreiben für Speicher 004 über FT-710 via MW+MT gesendet",
                 "Verifikationslesen fehlgeschlagen für 004: Zeitüberschreitung bei CAT-Befehl: MR004;"}));
        QCOMPARE(connected.app.memories().at(3), memory);
        QVERIFY(!connected.app.alertMessage());
    }

    void importOfTheOtherModelDisconnects() {
        ConnectedModel connected(RadioModel::ft710);
        connected.app.applyImportedBackup(
            MemoryBackup{RadioModel::ft991a,
                         {RadioMemory::empty(QStringLiteral("001"), RadioModel::ft991a)},
                         QDateTime::currentDateTimeUtc()});
        const QStringList messages = connected.operationMessages();
        QCOMPARE(messages.mid(messages.size() - 3),
                 QStringList({"Disconnected", "Funkmodell gewechselt zu FT-991A",
                              "Backup mit 1 Speichern importiert"}));
        QVERIFY(!connected.app.isConnected());
    }

    void aReplacedTaskLeavesTheNewerOneBusy() {
        LinkTiming::setScale(1.0); // the newer run starts inside the pause after the channel select
        ConnectedModel connected(RadioModel::ft991a);
        connected.fillMenu();
        AppModel &app = connected.app;
        bool started = false;
        QObject::connect(&app, &AppModel::logLinesChanged, &app, [&] {
            if (!started && app.logLines().first().contains(QStringLiteral("SET OK MC001;"))) {
                started = true;
                app.readSettings();
            }
        });
        bool idleBeforeTheEnd = false;
        QObject::connect(&app, &AppModel::isBusyChanged, &app, [&] {
            if (started && !app.isBusy() &&
                !connected.newestMessage().startsWith(QStringLiteral("Settings read")))
                idleBeforeTheEnd = true;
        });

        connected.radio.setChannel(1, {channelPayload, QStringLiteral("ONE")});
        app.readAll();
        QTRY_VERIFY_WITH_TIMEOUT(
            connected.operationMessages().contains(QStringLiteral("Alles lesen abgebrochen für FT-991A")),
            10000);
        QVERIFY(app.isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);
        QCOMPARE(connected.newestMessage(), QStringLiteral("Settings read finished for FT-991A"));
        QVERIFY(!idleBeforeTheEnd);
        QVERIFY(!connected.radio.received().contains(QStringLiteral("MR001;")));
    }

private:
    std::unique_ptr<LinkTestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(AppModelLinkTest)
#include "tst_appmodellink.moc"
