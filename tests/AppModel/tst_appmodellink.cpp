#include "ConnectedModel.h"
#include "Localization/UserDefaults.h"
#include "RadioLink/LinkTiming.h"

#include <QSignalSpy>
#include <QTest>
#include <algorithm>

namespace {

const QString channelPayload = QStringLiteral("145500000+000000410000");

RadioMemory channel4(const QString &frequency, const QString &flags = QStringLiteral("00000")) {
    RadioMemory memory = RadioMemory::empty(QStringLiteral("004"), RadioModel::ft710);
    memory.frequency = frequency;
    memory.flagsRaw = flags;
    memory.tag = QStringLiteral("REPEATER");
    memory.isEmpty = false;
    return memory;
}

} // namespace

// The link and the memory operations against the fake radio over a pseudo-terminal.
class AppModelLinkTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<LinkTestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    void reconnectCancelsTheRunningRead_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QString>("framing");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts"); // switch line, cancelled line, no-port alert
        QTest::addRow("FT-710") << RadioModel::ft710 << "[FT-710] [8N1]"
                                << "de"
                                << QStringList{QString(), "Alles lesen abgebrochen für FT-710",
                                               "Bitte zuerst einen seriellen Port auswählen."};
        QTest::addRow("FT-991A, English")
            << RadioModel::ft991a << "[FT-991A] [8N2 / HW-Handshake]"
            << "en"
            << QStringList{"Radio model switched to FT-991A", "Read all cancelled for FT-991A",
                           "Please select a serial port first."};
    }
    void reconnectCancelsTheRunningRead() {
        QFETCH(RadioModel, model);
        QFETCH(QString, framing);
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        L::setPreferredLanguagesSource([language] { return QStringList{language}; });
        ConnectedModel connected(model);
        const QString opened = "Opened " + connected.radio.devicePath() + " @ 38400 " + framing;
        const QStringList connectLines{texts.first(), opened}; // no "Disconnected" at the first connect
        QCOMPARE(connected.messages(), connectLines.mid(texts.first().isEmpty() ? 1 : 0));
        connected.app.readAll();
        QTRY_VERIFY(connected.radio.received().size() > 4);
        connected.app.connect();
        QVERIFY(!connected.app.isBusy() && connected.app.isConnected());
        const QStringList messages = connected.operationMessages();
        QCOMPARE(messages.mid(messages.size() - 2), QStringList({"Disconnected", opened}));
        QTRY_COMPARE(connected.newestMessage(), texts.at(1));
        QVERIFY(!connected.app.isBusy());

        // No port chosen: only the alert; the link stays open and nothing is stored.
        const int lines = connected.app.logLines().size();
        connected.app.setSelectedPort(QString());
        UserDefaults::remove(AppModel::preferencesKey());
        connected.app.connect();
        QVERIFY(connected.app.isConnected());
        QCOMPARE(connected.app.logLines().size(), lines);
        QCOMPARE(connected.app.alertMessage(), std::optional<QString>(texts.at(2)));
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
    }

    // Channels 2 and 9 hold data, 7 times out, the rest are empty.
    void readAllPublishesTheTableOnce_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<int>("importedRows"); // 0: the model's empty table
        QTest::addColumn<std::optional<QString>>("selected");
        QTest::addColumn<QString>("selectedAfter");
        QTest::addColumn<QString>("firstCommand");
        QTest::addColumn<QString>("language");
        const std::optional<QString> none;
        // A selection stays, even one no row has.
        QTest::addRow("FT-991A, absent row selected")
            << RadioModel::ft991a << 0 << std::optional<QString>("500") << "500"
            << "MC001;"
            << "de";
        // The imported rows, their first slot changed to "050", are sorted again at the end.
        QTest::addRow("imported rows, nothing selected, English") << RadioModel::ft710 << 10 << none << "002"
                                                                  << "MR001;"
                                                                  << "en";
    }
    void readAllPublishesTheTableOnce() {
        QFETCH(RadioModel, model);
        QFETCH(int, importedRows);
        QFETCH(std::optional<QString>, selected);
        QFETCH(QString, selectedAfter);
        QFETCH(QString, firstCommand);
        QFETCH(QString, language);
        L::setPreferredLanguagesSource([language] { return QStringList{language}; });
        const bool english = language == QLatin1String("en");
        ConnectedModel connected(model);
        if (importedRows > 0) {
            QList<RadioMemory> imported;
            for (int channel = importedRows; channel >= 1; --channel)
                imported.append(RadioMemory::empty(RadioMemory::slotText(channel), model));
            connected.app.applyImportedBackup(MemoryBackup{model, imported, QDateTime::currentDateTimeUtc()});
            connected.app.setMemoryAt(0, RadioMemory::empty(QStringLiteral("050"), model));
        }
        connected.app.setSelectedMemoryID(selected);
        for (int channel : {2, 7, 9, 50})
            connected.radio.setChannel(channel, {channelPayload, QStringLiteral("CH%1").arg(channel)});
        connected.radio.silenceNext(QStringLiteral("MR007"));
        QSignalSpy tables(&connected.app, &AppModel::memoriesChanged);

        connected.app.readAll();
        QVERIFY(connected.app.isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);

        QCOMPARE(tables.count(), 1);
        const QList<RadioMemory> &memories = connected.app.memories();
        QCOMPARE(memories.size(),
                 importedRows > 0 ? importedRows : memoryRange(model).count()); // never grows
        QVERIFY(std::is_sorted(memories.begin(), memories.end(),
                               [](const RadioMemory &a, const RadioMemory &b) { return a.slot < b.slot; }));
        const auto row = [&](const char *slot) {
            return *std::find_if(memories.begin(), memories.end(), [&](const RadioMemory &memory) {
                return memory.slot == QLatin1String(slot);
            });
        };
        QCOMPARE(row("002").tag.trimmed(), QStringLiteral("CH2"));
        QCOMPARE(row("050").tag.trimmed(), QStringLiteral("CH50"));
        QVERIFY(row("007").isEmpty); // the failed channel keeps its row
        QCOMPARE(row("009").frequency, QStringLiteral("145500000"));
        QCOMPARE(connected.app.selectedMemoryID(), std::optional<QString>(selectedAfter));

        const QString name = rawValue(model);
        const QString empty =
            english ? QStringLiteral("Memory %1 appears empty or is not readable on %2")
                    : QStringLiteral("Speicher %1 scheint leer zu sein oder ist auf %2 nicht lesbar");
        QCOMPARE(
            connected.operationMessages().mid(connected.operationMessages().indexOf(empty.arg("001", name)),
                                              9),
            QStringList({empty.arg("001", name), empty.arg("003", name), empty.arg("004", name),
                         empty.arg("005", name), empty.arg("006", name),
                         english ? "Read failed for 007: Timed out waiting for CAT command: MR007;"
                                 : "Lesen fehlgeschlagen für 007: Zeitüberschreitung bei CAT-Befehl: MR007;",
                         empty.arg("008", name), empty.arg("010", name), empty.arg("011", name)}));
        QCOMPARE(connected.newestMessage(),
                 (english ? QStringLiteral("Finished reading all memories for ")
                          : QStringLiteral("Fertig mit dem Lesen aller Speicher für ")) +
                     name);
        QCOMPARE(connected.radio.received().first(), firstCommand);
        QVERIFY(connected.radio.received().contains(
            firstCommand.left(2) + RadioMemory::slotText(memoryRange(model).upperBound) + ";"));
    }

    void readAllCancelledByDisconnectKeepsTheTable_data() {
        QTest::addColumn<QString>("sentBeforeDisconnect"); // empty: cancelled in the same turn
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("cancelled");
        QTest::addRow("same turn") << QString() << "de"
                                   << "Alles lesen abgebrochen für FT-710";
        QTest::addRow("mid-run, English") << "MR010;"
                                          << "en"
                                          << "Read all cancelled for FT-710";
    }
    void readAllCancelledByDisconnectKeepsTheTable() {
        QFETCH(QString, sentBeforeDisconnect);
        QFETCH(QString, language);
        QFETCH(QString, cancelled);
        L::setPreferredLanguagesSource([language] { return QStringList{language}; });
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(1, {channelPayload, QStringLiteral("ONE")});
        const QList<RadioMemory> before = connected.app.memories();
        QSignalSpy tables(&connected.app, &AppModel::memoriesChanged);
        connected.app.readAll();
        if (!sentBeforeDisconnect.isEmpty())
            QTRY_VERIFY(connected.radio.received().contains(sentBeforeDisconnect));
        connected.app.disconnect();
        QVERIFY(!connected.app.isBusy());
        QTRY_COMPARE(connected.newestMessage(), cancelled);
        QCOMPARE(connected.app.memories(), before);
        QCOMPARE(tables.count(), 0);
        QCOMPARE(connected.radio.received().isEmpty(), sentBeforeDisconnect.isEmpty());
        QVERIFY(!connected.radio.received().contains(QStringLiteral("MR099;")));
    }

    // Nothing is sent on connect: the read's commands are the first on the line. A slot that is no
    // channel of the model is never read as another one.
    void readSelectedParsesTheSlotStrictly_data() {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("failure"); // logged with the slot as it is
        const QString noSlot = QStringLiteral("kein gültiger Speicherplatz");
        QTest::addRow("three digits") << "017" << false << QString();
        QTest::addRow("three digits, no answer")
            << "017" << true << "Zeitüberschreitung bei CAT-Befehl: MR017;";
        QTest::addRow("leading blank") << " 7" << false << noSlot;
        QTest::addRow("trailing letter") << "7a" << false << noSlot;
        QTest::addRow("Arabic-Indic digit") << QStringLiteral("\u0667") << false << noSlot;
    }
    void readSelectedParsesTheSlotStrictly() {
        QFETCH(QString, slot);
        QFETCH(bool, silent);
        QFETCH(QString, failure);
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(17, {channelPayload, QStringLiteral("SEVENTEEN")});
        if (silent)
            connected.radio.silenceNext(QStringLiteral("MR"));
        connected.app.replaceMemory(RadioMemory::empty(slot, RadioModel::ft710));
        connected.app.setSelectedMemoryID(slot);
        connected.app.readSelected();
        QTRY_VERIFY(!connected.app.isBusy());
        QVERIFY(!connected.app.alertMessage());
        QCOMPARE(connected.radio.received().isEmpty(), slot != QLatin1String("017"));
        if (!failure.isEmpty())
            QCOMPARE(connected.newestMessage(), "Lesen fehlgeschlagen für " + slot + ": " + failure);
        if (failure.isEmpty()) {
            QCOMPARE(connected.radio.received(), QStringList({"MR017;", "MT017;"}));
            QCOMPARE(connected.app.selectedMemory()->tag.trimmed(), QStringLiteral("SEVENTEEN"));
        }
    }

    void writeSelectedVerifiesTheReadBack_data() {
        QTest::addColumn<RadioMemory>("written");
        QTest::addColumn<QString>("fault"); // "silence" or "reject" the next command with this prefix
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<RadioMemory>("stored");
        QTest::addColumn<bool>("alert");
        QTest::addColumn<QString>("language");
        const QString sent = QStringLiteral("Schreiben für Speicher 004 über FT-710 via MW+MT gesendet");
        const RadioMemory written = channel4(QStringLiteral("145500000"));
        QTest::addRow("verified") << written << QString()
                                  << QStringList{sent, "Verifikation OK für Speicher 004"} << written << false
                                  << "de";
        RadioMemory readBack = channel4(QStringLiteral("145500000"), QStringLiteral("01000"));
        readBack.tag.clear();
        const RadioMemory padded = channel4(QStringLiteral("145500000"), QStringLiteral("1000"));
        QTest::addRow("mismatch") // the flags are written padded; the tag read back fails
            << padded << "reject MT004;"
            << QStringList{sent,
                           "Verifikationsabweichung für Speicher 004: Flags Raw: erwartet 1000, gelesen "
                           "01000 | Tag: erwartet REPEATER, gelesen "}
            << readBack << false << "de";
        QTest::addRow("read-back fails")
            << written << "silence MR004"
            << QStringList{sent,
                           "Verifikationslesen fehlgeschlagen für 004: Zeitüberschreitung bei CAT-Befehl: "
                           "MR004;"}
            << written << false << "de";
        const QString invalid =
            QStringLiteral("Leerer Speicher kann nicht ohne Frequenz geschrieben werden.");
        const RadioMemory empty = RadioMemory::empty(QStringLiteral("004"), RadioModel::ft710);
        QTest::addRow("write fails")
            << channel4(QString()) << QString()
            << QStringList{"Schreiben fehlgeschlagen für 004: Ungültiger Speicherinhalt: " + invalid} << empty
            << true << "de";
        const QString sentEnglish = QStringLiteral("Write sent for memory 004 via FT-710 MW+MT");
        QTest::addRow("English: verified")
            << written << QString() << QStringList{sentEnglish, "Verify OK for memory 004"} << written
            << false << "en";
        QTest::addRow("English: mismatch")
            << padded << "reject MT004;"
            << QStringList{sentEnglish,
                           "Verify mismatch for memory 004: Flags raw: expected 1000, read 01000 | "
                           "Tag: expected REPEATER, read "}
            << readBack << false << "en";
        QTest::addRow("English: read-back fails")
            << written << "silence MR004"
            << QStringList{sentEnglish,
                           "Verify read failed for 004: Timed out waiting for CAT command: MR004;"}
            << written << false << "en";
        QTest::addRow("English: write fails")
            << channel4(QString()) << QString()
            << QStringList{"Write failed for 004: Invalid memory content: " + invalid} << empty << true
            << "en";
    }
    void writeSelectedVerifiesTheReadBack() {
        QFETCH(RadioMemory, written);
        QFETCH(QString, fault);
        QFETCH(QStringList, lines);
        QFETCH(RadioMemory, stored);
        QFETCH(bool, alert);
        QFETCH(QString, language);
        L::setPreferredLanguagesSource([language] { return QStringList{language}; });
        ConnectedModel connected(RadioModel::ft710);
        if (fault.startsWith(QLatin1String("silence ")))
            connected.radio.silenceNext(fault.section(QLatin1Char(' '), 1));
        if (fault.startsWith(QLatin1String("reject ")))
            connected.radio.rejectNext(fault.section(QLatin1Char(' '), 1));
        const int before = connected.operationMessages().size();
        connected.app.writeSelected(written);
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.operationMessages().mid(before), lines);
        QCOMPARE(connected.app.memories().at(3), stored);
        QCOMPARE(connected.app.alertMessage(),
                 alert ? std::optional<QString>(lines.last().section(QStringLiteral(": "), 1, -1))
                       : std::nullopt);
        QCOMPARE(connected.radio.received().contains(QStringLiteral("MR004;")), !alert); // no read-back
    }

    void importOfTheOtherModelDisconnects() {
        ConnectedModel connected(RadioModel::ft710);
        connected.app.applyImportedBackup(
            MemoryBackup{RadioModel::ft991a,
                         {RadioMemory::empty(QStringLiteral("010"), RadioModel::ft991a),
                          RadioMemory::empty(QStringLiteral("002"), RadioModel::ft991a)},
                         QDateTime::currentDateTimeUtc()});
        const QStringList messages = connected.operationMessages();
        QCOMPARE(messages.mid(messages.size() - 3),
                 QStringList({"Disconnected", "Funkmodell gewechselt zu FT-991A",
                              "Backup mit 2 Speichern importiert"}));
        QVERIFY(!connected.app.isConnected());
        QCOMPARE(connected.app.memories().size(), 2);
        QCOMPARE(connected.app.selectedMemoryID(), std::optional<QString>(QStringLiteral("002")));

        L::setPreferredLanguagesSource([] { return QStringList{QStringLiteral("en-US")}; });
        connected.app.applyImportedBackup(
            MemoryBackup{RadioModel::ft991a, {}, QDateTime::currentDateTimeUtc()});
        QCOMPARE(connected.newestMessage(), QStringLiteral("Imported backup with 0 memories"));
        QVERIFY(connected.app.memories().isEmpty());
        QVERIFY(!connected.app.selectedMemoryID());
    }

    // What goes wrong on the device's side shows in the log, once. A device that goes away ends the
    // connection as "Trennen" does, with an alert naming it instead of "Disconnected".
    void linkFaultsAreReported_data() {
        QTest::addColumn<bool>("hangUp"); // else noise without end
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message"); // %1: the device
        QTest::addRow("noise") << false << "de"
                               << "Empfangene Daten ohne „;“ waren zu lang und wurden verworfen";
        QTest::addRow("noise, English") << false << "en"
                                        << R"(Received data without ";" was too long and has been discarded)";
        QTest::addRow("device gone")
            << true << "de"
            << "Verbindung zu %1 verloren – das Gerät wurde getrennt oder ist nicht mehr erreichbar.";
        QTest::addRow("device gone, English")
            << true << "en"
            << "Connection to %1 lost – the device was disconnected or is no longer available.";
    }
    void linkFaultsAreReported() {
        QFETCH(bool, hangUp);
        QFETCH(QString, language);
        QFETCH(QString, message);
        L::setPreferredLanguagesSource([language] { return QStringList{language}; });
        ConnectedModel connected(RadioModel::ft710);
        const QString expected = hangUp ? message.arg(connected.radio.devicePath()) : message;
        if (hangUp) {
            connected.app.readAll();
            QTRY_VERIFY(!connected.radio.received().isEmpty());
            connected.radio.hangUp();
        } else {
            connected.radio.send(QByteArray(64 * 1024, 'x'));
        }
        QTRY_VERIFY(connected.operationMessages().contains(expected));
        QCOMPARE(connected.operationMessages().count(expected), 1);
        QVERIFY(!connected.operationMessages().contains(QStringLiteral("Disconnected")));
        QCOMPARE(connected.app.isConnected(), !hangUp);
        QVERIFY(!connected.app.isBusy());
        QCOMPARE(connected.app.alertMessage(), hangUp ? std::optional(expected) : std::nullopt);
    }

    void aReplacedTaskLeavesTheNewerOneBusy() {
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
