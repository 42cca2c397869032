#include "ConnectedModel.h"
#include "Localization/UserDefaults.h"
#include "MemoryRecord.h"

#include <QSignalSpy>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString channelPayload = u"145500000+000000410000"_s;

// The channel the write tests send: slot 004 of an FT-710.
RadioMemory channel4(const QJsonObject &fields = {}) {
    return withFields(memoryRecord(RadioModel::ft710, {{"slot", "004"},
                                                       {"flagsRaw", "00000"},
                                                       {"toneNumberKindRaw", ""},
                                                       {"toneNumberCode", "000"},
                                                       {"tag", "REPEATER"}}),
                      fields);
}

} // namespace

// The link and the memory operations against the fake radio over a pseudo-terminal.
class AppModelLinkTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<LinkTestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    // Connecting again ends the link and the running read first; without a port only the alert.
    void reconnectCancelsTheRunningRead_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts"); // framing, switch line, cancelled line, no-port alert
        QTest::addRow("FT-710") << RadioModel::ft710 << u"de"_s
                                << QStringList{"[FT-710] [8N1]", "", "Alles lesen abgebrochen für FT-710",
                                               "Bitte zuerst einen seriellen Port auswählen."};
        QTest::addRow("FT-991A, English")
            << RadioModel::ft991a << u"en"_s
            << QStringList{"[FT-991A] [8N2 / HW-Handshake]", "Radio model switched to FT-991A",
                           "Read all cancelled for FT-991A", "Please select a serial port first."};
    }
    void reconnectCancelsTheRunningRead() {
        QFETCH(RadioModel, model);
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        TestSettings::setLanguage(language);
        ConnectedModel connected(model);
        const QString opened = "Opened " + connected.radio.devicePath() + " @ 38400 " + texts[0];
        QCOMPARE(connected.messages(), (QStringList{texts[1], opened}.mid(texts[1].isEmpty() ? 1 : 0)));
        connected.app.readAll();
        QTRY_VERIFY(connected.radio.received().size() > 4);
        connected.app.connect();
        QVERIFY(!connected.app.isBusy() && connected.app.isConnected());
        QCOMPARE(connected.messages().mid(connected.messages().size() - 2),
                 QStringList({"Disconnected", opened}));
        QTRY_COMPARE(connected.newestMessage(), texts[2]);
        QVERIFY(!connected.app.isBusy());

        const int lines = connected.app.logLines().size();
        connected.app.setSelectedPort(QString());
        UserDefaults::remove(AppModel::preferencesKey());
        connected.app.connect();
        QVERIFY(connected.app.isConnected());
        QCOMPARE(connected.app.logLines().size(), lines);
        QCOMPARE(connected.app.alertMessage(), std::optional(texts[3]));
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
    }

    // Channels 2, 9 and 50 hold data, 7 times out, the rest are empty. The table keeps its rows
    // (an imported one of ten rows too, its first changed to "050") and is published once, sorted.
    void readAllPublishesTheTableOnce_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<int>("importedRows"); // 0: the model's empty table
        QTest::addColumn<std::optional<QString>>("selected");
        QTest::addColumn<QString>("selectedAfter");
        QTest::addColumn<QString>("language");
        QTest::addRow("FT-991A, absent row stays selected")
            << RadioModel::ft991a << 0 << std::optional(u"500"_s) << u"500"_s << u"de"_s;
        QTest::addRow("imported rows, nothing selected, English")
            << RadioModel::ft710 << 10 << std::optional<QString>() << u"002"_s << u"en"_s;
    }
    void readAllPublishesTheTableOnce() {
        QFETCH(RadioModel, model);
        QFETCH(int, importedRows);
        QFETCH(std::optional<QString>, selected);
        QFETCH(QString, selectedAfter);
        QFETCH(QString, language);
        TestSettings::setLanguage(language);
        ConnectedModel connected(model);
        if (importedRows > 0) {
            QList<RadioMemory> imported;
            for (int channel = importedRows; channel >= 1; --channel)
                imported.append(RadioMemory::empty(RadioMemory::slotText(channel), model));
            connected.app.applyImportedBackup(MemoryBackup{model, imported, QDateTime::currentDateTimeUtc()});
            connected.app.setMemoryAt(0, RadioMemory::empty(u"050"_s, model));
        }
        connected.app.setSelectedMemoryID(selected);
        for (int channel : {2, 7, 9, 50})
            connected.radio.setChannel(channel, {channelPayload, u"CH%1"_s.arg(channel)});
        connected.radio.silenceNext(u"MR007"_s);
        QSignalSpy tables(&connected.app, &AppModel::memoriesChanged);

        connected.app.readAll();
        QVERIFY(connected.app.isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!connected.app.isBusy(), 20000);

        QCOMPARE(tables.count(), 1);
        const QList<RadioMemory> &memories = connected.app.memories();
        QCOMPARE(memories.size(), importedRows > 0 ? importedRows : memoryRange(model).count());
        QVERIFY(std::is_sorted(memories.begin(), memories.end(),
                               [](const RadioMemory &a, const RadioMemory &b) { return a.slot < b.slot; }));
        const auto row = [&](const QString &slot) {
            return *std::find_if(memories.begin(), memories.end(),
                                 [&](const auto &m) { return m.slot == slot; });
        };
        QCOMPARE(row(u"002"_s).tag + row(u"050"_s).tag + row(u"009"_s).frequency, u"CH2CH50145500000"_s);
        QVERIFY(row(u"007"_s).isEmpty); // the failed channel keeps its row
        QCOMPARE(connected.app.selectedMemoryID(), std::optional(selectedAfter));

        const QString name = rawValue(model);
        const bool german = language == u"de";
        const QString empty = german ? u"Speicher %1 scheint leer zu sein oder ist auf %2 nicht lesbar"_s
                                     : u"Memory %1 appears empty or is not readable on %2"_s;
        const QString failed =
            german ? u"Lesen fehlgeschlagen für 007: Zeitüberschreitung bei CAT-Befehl: MR007;"_s
                   : u"Read failed for 007: Timed out waiting for CAT command: MR007;"_s;
        const QStringList messages = connected.messages();
        QCOMPARE(messages.mid(messages.indexOf(empty.arg("001", name)), 8),
                 QStringList({empty.arg("001", name), empty.arg("003", name), empty.arg("004", name),
                              empty.arg("005", name), empty.arg("006", name), failed, empty.arg("008", name),
                              empty.arg("010", name)}));
        QCOMPARE(connected.newestMessage(), (german ? u"Fertig mit dem Lesen aller Speicher für "_s
                                                    : u"Finished reading all memories for "_s) +
                                                name);
        const QString command = model == RadioModel::ft991a ? u"MC"_s : u"MR"_s;
        QCOMPARE(connected.radio.received().first(), command + u"001;"_s);
        QVERIFY(connected.radio.received().contains(
            command + RadioMemory::slotText(memoryRange(model).upperBound) + u';'));
    }

    // Cancelled in the turn it started, the read sends nothing; later, it stops where it is.
    void readAllCancelledByDisconnectKeepsTheTable_data() {
        QTest::addColumn<QString>("sentBeforeDisconnect"); // empty: cancelled in the same turn
        QTest::addRow("same turn") << QString();
        QTest::addRow("mid-run") << u"MR010;"_s;
    }
    void readAllCancelledByDisconnectKeepsTheTable() {
        QFETCH(QString, sentBeforeDisconnect);
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(1, {channelPayload, u"ONE"_s});
        const QList<RadioMemory> before = connected.app.memories();
        QSignalSpy tables(&connected.app, &AppModel::memoriesChanged);
        connected.app.readAll();
        if (!sentBeforeDisconnect.isEmpty())
            QTRY_VERIFY(connected.radio.received().contains(sentBeforeDisconnect));
        connected.app.disconnect();
        QVERIFY(!connected.app.isBusy());
        QTRY_COMPARE(connected.newestMessage(), u"Alles lesen abgebrochen für FT-710"_s);
        QCOMPARE(connected.app.memories(), before);
        QCOMPARE(tables.count(), 0);
        QCOMPARE(connected.radio.received().isEmpty(), sentBeforeDisconnect.isEmpty());
        QVERIFY(!connected.radio.received().contains(u"MR099;"_s));
    }

    // Nothing is sent on connect: the read's commands are the first on the line. A slot that is no
    // channel of the model is never read as another one; a failure is logged with the slot as it is.
    void readSelectedParsesTheSlotStrictly_data() {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("failure");
        const QString noSlot = u"kein gültiger Speicherplatz"_s;
        QTest::addRow("three digits") << u"017"_s << false << QString();
        QTest::addRow("three digits, no answer")
            << u"017"_s << true << u"Zeitüberschreitung bei CAT-Befehl: MR017;"_s;
        QTest::addRow("leading blank") << u" 7"_s << false << noSlot;
        QTest::addRow("trailing letter") << u"7a"_s << false << noSlot;
        QTest::addRow("beyond the range") << u"100"_s << false << noSlot;
        QTest::addRow("Arabic-Indic digit") << u"\u0667"_s << false << noSlot;
    }
    void readSelectedParsesTheSlotStrictly() {
        QFETCH(QString, slot);
        QFETCH(bool, silent);
        QFETCH(QString, failure);
        ConnectedModel connected(RadioModel::ft710);
        connected.radio.setChannel(17, {channelPayload, u"SEVENTEEN"_s});
        if (silent)
            connected.radio.silenceNext(u"MR"_s);
        connected.app.replaceMemory(RadioMemory::empty(slot, RadioModel::ft710));
        connected.app.setSelectedMemoryID(slot);
        connected.app.readSelected();
        QTRY_VERIFY(!connected.app.isBusy());
        QVERIFY(!connected.app.alertMessage());
        QCOMPARE(connected.radio.received().isEmpty(), slot != u"017");
        if (!failure.isEmpty()) {
            QCOMPARE(connected.newestMessage(), "Lesen fehlgeschlagen für " + slot + ": " + failure);
        } else {
            QCOMPARE(connected.radio.received(), QStringList({"MR017;", "MT017;"}));
            QCOMPARE(connected.app.selectedMemory()->tag, u"SEVENTEEN"_s);
        }
    }

    // What was written is stored, then what was read back, and the differences are logged; a
    // failed write is logged and alerted and not read back.
    void writeSelectedVerifiesTheReadBack_data() {
        QTest::addColumn<RadioMemory>("written");
        QTest::addColumn<QString>("fault"); // "silence" or "reject" the next command with this prefix
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<RadioMemory>("stored");
        QTest::addColumn<QString>("language");
        const RadioMemory written = channel4();
        const RadioMemory padded = channel4({{"flagsRaw", "1000"}});
        const RadioMemory readBack = channel4({{"flagsRaw", "01000"}, {"tag", ""}});
        const RadioMemory noFrequency = channel4({{"frequency", ""}});
        const RadioMemory empty = RadioMemory::empty(u"004"_s, RadioModel::ft710);
        const QString sent = u"Schreiben für Speicher 004 über FT-710 via MW+MT gesendet"_s;
        const QString sentEnglish = u"Write sent for memory 004 via FT-710 MW+MT"_s;
        const QString invalid = u"Leerer Speicher kann nicht ohne Frequenz geschrieben werden."_s;
        QTest::addRow("verified") << written << QString()
                                  << QStringList{sent, "Verifikation OK für Speicher 004"} << written
                                  << u"de"_s;
        QTest::addRow("mismatch") // the flags are written padded; the tag read back fails
            << padded << u"reject MT004;"_s
            << QStringList{sent,
                           "Verifikationsabweichung für Speicher 004: Flags Raw: erwartet 1000, gelesen "
                           "01000 | Tag: erwartet REPEATER, gelesen "}
            << readBack << u"de"_s;
        QTest::addRow("read-back fails") << written << u"silence MR004"_s
                                         << QStringList{sent, "Verifikationslesen fehlgeschlagen für 004: "
                                                              "Zeitüberschreitung bei CAT-Befehl: MR004;"}
                                         << written << u"de"_s;
        QTest::addRow("write fails")
            << noFrequency << QString()
            << QStringList{"Schreiben fehlgeschlagen für 004: Ungültiger Speicherinhalt: " + invalid} << empty
            << u"de"_s;
        QTest::addRow("English: verified")
            << written << QString() << QStringList{sentEnglish, "Verify OK for memory 004"} << written
            << u"en"_s;
        QTest::addRow("English: mismatch")
            << padded << u"reject MT004;"_s
            << QStringList{sentEnglish,
                           "Verify mismatch for memory 004: Flags raw: expected 1000, read 01000 | "
                           "Tag: expected REPEATER, read "}
            << readBack << u"en"_s;
        QTest::addRow("English: read-back fails")
            << written << u"silence MR004"_s
            << QStringList{sentEnglish,
                           "Verify read failed for 004: Timed out waiting for CAT command: MR004;"}
            << written << u"en"_s;
        QTest::addRow("English: write fails")
            << noFrequency << QString()
            << QStringList{"Write failed for 004: Invalid memory content: " + invalid} << empty << u"en"_s;
    }
    void writeSelectedVerifiesTheReadBack() {
        QFETCH(RadioMemory, written);
        QFETCH(QString, fault);
        QFETCH(QStringList, lines);
        QFETCH(RadioMemory, stored);
        QFETCH(QString, language);
        TestSettings::setLanguage(language);
        ConnectedModel connected(RadioModel::ft710);
        if (fault.startsWith(u"silence "))
            connected.radio.silenceNext(fault.section(u' ', 1));
        if (fault.startsWith(u"reject "))
            connected.radio.rejectNext(fault.section(u' ', 1));
        const int before = connected.messages().size();
        connected.app.writeSelected(written);
        QTRY_VERIFY(!connected.app.isBusy());
        QCOMPARE(connected.messages().mid(before), lines);
        QCOMPARE(connected.app.memories().at(3), stored);
        const bool failed = written.frequency.isEmpty();
        QCOMPARE(connected.app.alertMessage(),
                 failed ? std::optional(lines.last().section(u": "_s, 1, -1)) : std::nullopt);
        QCOMPARE(connected.radio.received().contains(u"MR004;"_s), !failed);
    }

    // An alert shows what the port could not send before anything is stored or sent.
    void unsendableChannelIsAlertedBeforeWriting() {
        ConnectedModel connected(RadioModel::ft710);
        QVERIFY(!connected.app.alertIfUnsendable(channel4()));
        QVERIFY(!connected.app.alertMessage());
        QVERIFY(connected.app.alertIfUnsendable(channel4({{"tag", "Zürich"}})));
        QVERIFY(connected.app.alertMessage()->startsWith(u"Ungültiger Speicherinhalt: Das Feld „Tag“"_s));
        QVERIFY(connected.radio.received().isEmpty());
    }

    void importOfTheOtherModelDisconnects() {
        ConnectedModel connected(RadioModel::ft710);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        connected.app.applyImportedBackup(MemoryBackup{RadioModel::ft991a,
                                                       {RadioMemory::empty(u"010"_s, RadioModel::ft991a),
                                                        RadioMemory::empty(u"002"_s, RadioModel::ft991a)},
                                                       now});
        const QStringList messages = connected.messages();
        QCOMPARE(messages.mid(messages.size() - 3),
                 QStringList({"Disconnected", "Funkmodell gewechselt zu FT-991A",
                              "Backup mit 2 Speichern importiert"}));
        QVERIFY(!connected.app.isConnected());
        QCOMPARE(connected.app.memories().size(), 2);
        QCOMPARE(connected.app.selectedMemoryID(), std::optional(u"002"_s));
        TestSettings::setLanguage(u"en"_s);
        connected.app.applyImportedBackup(MemoryBackup{RadioModel::ft991a, {}, now});
        QCOMPARE(connected.newestMessage(), u"Imported backup with 0 memories"_s);
        QVERIFY(connected.app.memories().isEmpty() && !connected.app.selectedMemoryID());
    }

    // What goes wrong on the device's side shows in the log, once. A device that goes away ends the
    // connection as "Trennen" does, with an alert naming it instead of "Disconnected".
    void linkFaultsAreReported_data() {
        QTest::addColumn<bool>("hangUp"); // else noise without end
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message"); // %1: the device
        QTest::addRow("noise") << false << u"de"_s
                               << u"Empfangene Daten ohne „;“ waren zu lang und wurden verworfen"_s;
        QTest::addRow("noise, English")
            << false << u"en"_s << uR"(Received data without ";" was too long and has been discarded)"_s;
        QTest::addRow("device gone")
            << true << u"de"_s
            << u"Verbindung zu %1 verloren – das Gerät wurde getrennt oder ist nicht mehr erreichbar."_s;
        QTest::addRow("device gone, English")
            << true << u"en"_s
            << u"Connection to %1 lost – the device was disconnected or is no longer available."_s;
    }
    void linkFaultsAreReported() {
        QFETCH(bool, hangUp);
        QFETCH(QString, language);
        QFETCH(QString, message);
        TestSettings::setLanguage(language);
        ConnectedModel connected(RadioModel::ft710);
        const QString expected = hangUp ? message.arg(connected.radio.devicePath()) : message;
        if (hangUp) {
            connected.app.readAll();
            QTRY_VERIFY(!connected.radio.received().isEmpty());
            connected.radio.hangUp();
        } else {
            connected.radio.send(QByteArray(64 * 1024, 'x'));
        }
        QTRY_VERIFY(connected.messages().contains(expected));
        QCOMPARE(connected.messages().count(expected), 1);
        QVERIFY(!connected.messages().contains(u"Disconnected"_s));
        QCOMPARE(connected.app.isConnected(), !hangUp);
        QVERIFY(!connected.app.isBusy());
        QCOMPARE(connected.app.alertMessage(), hangUp ? std::optional(expected) : std::nullopt);
    }

    // A task that ends after a newer one started leaves the newer one's busy flag alone.
    void aReplacedTaskLeavesTheNewerOneBusy() {
        ConnectedModel connected(RadioModel::ft991a);
        connected.fillMenu();
        AppModel &app = connected.app;
        bool started = false;
        QObject::connect(&app, &AppModel::logLinesChanged, &app, [&] {
            if (!started && app.logLines().first().contains(u"SET OK MC001;"_s)) {
                started = true;
                app.readSettings();
            }
        });
        bool idleBeforeTheEnd = false;
        QObject::connect(&app, &AppModel::isBusyChanged, &app, [&] {
            if (started && !app.isBusy() && !connected.newestMessage().startsWith(u"Settings read"_s))
                idleBeforeTheEnd = true;
        });
        connected.radio.setChannel(1, {channelPayload, u"ONE"_s});
        app.readAll();
        QTRY_VERIFY_WITH_TIMEOUT(connected.messages().contains(u"Alles lesen abgebrochen für FT-991A"_s),
                                 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!app.isBusy(), 20000);
        QCOMPARE(connected.newestMessage(), u"Settings read finished for FT-991A"_s);
        QVERIFY(!idleBeforeTheEnd);
        QVERIFY(!connected.radio.received().contains(u"MR001;"_s));
    }

private:
    std::unique_ptr<LinkTestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(AppModelLinkTest)
#include "tst_appmodellink.moc"
