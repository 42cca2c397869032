#include "Model/JSONDecodingError.h"
#include "Model/MemoryBackup.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QTimeZone>
#include <stdexcept>

namespace {

using Kind = JSONDecodingError::Kind;

RadioMemory occupiedChannel(const QString &slot, RadioModel model) {
    RadioMemory memory = RadioMemory::empty(slot, model);
    memory.frequency = QStringLiteral("145500000");
    memory.shiftRaw = QStringLiteral("-000600");
    memory.flagsRaw = QStringLiteral("02002");
    memory.toneNumberKindRaw = QStringLiteral("0");
    memory.toneNumberCode = QStringLiteral("012");
    memory.tag = QStringLiteral("Relais Ü");
    memory.isEmpty = false;
    return memory;
}

// A valid backup document with one channel.
QJsonObject validBackup() {
    return QJsonObject{
        {QStringLiteral("radioModel"), QStringLiteral("FT-991A")},
        {QStringLiteral("memories"),
         QJsonArray{occupiedChannel(QStringLiteral("001"), RadioModel::ft991a).toJson()}},
        {QStringLiteral("exportedAt"), QStringLiteral("2025-03-01T14:05:09Z")},
    };
}

QByteArray contentsOf(const QJsonObject &object) {
    return QJsonDocument(object).toJson();
}

QByteArray backupWith(const QString &key, const QJsonValue &value) {
    QJsonObject object = validBackup();
    object.insert(key, value);
    return contentsOf(object);
}

QByteArray backupWithout(const QString &key) {
    QJsonObject object = validBackup();
    object.remove(key);
    return contentsOf(object);
}

} // namespace

class MemoryBackupTest : public QObject {
    Q_OBJECT

private slots:
    void writingAndReadingKeepsModelChannelsAndWholeSeconds_data();
    void writingAndReadingKeepsModelChannelsAndWholeSeconds();
    void writtenFileHasSortedKeysAndAUtcDate();
    void writtenDateDropsTheFractionOfTheSecond_data();
    void writtenDateDropsTheFractionOfTheSecond();
    void readerAcceptsWhatTheFormatAllows_data();
    void readerAcceptsWhatTheFormatAllows();
    void readerRejectsTheWholeFileOnAnyFault_data();
    void readerRejectsTheWholeFileOnAnyFault();
    void invalidExportTimeIsNotWritten();
    void defaultFileNameNamesTheModel_data();
    void defaultFileNameNamesTheModel();
};

void MemoryBackupTest::writingAndReadingKeepsModelChannelsAndWholeSeconds_data() {
    QTest::addColumn<RadioModel>("model");
    QTest::addColumn<QList<RadioMemory>>("memories");
    QTest::addRow("FT-710 table with an empty channel")
        << RadioModel::ft710
        << QList<RadioMemory>{occupiedChannel("001", RadioModel::ft710),
                              RadioMemory::empty("002", RadioModel::ft710)};
    QTest::addRow("no channels") << RadioModel::ft991a << QList<RadioMemory>{};
    QTest::addRow("other model, repeated and out-of-range slots")
        << RadioModel::ft710
        << QList<RadioMemory>{occupiedChannel("117", RadioModel::ft991a),
                              occupiedChannel("117", RadioModel::ft991a),
                              RadioMemory::empty("500", RadioModel::ft710)};
}

void MemoryBackupTest::writingAndReadingKeepsModelChannelsAndWholeSeconds() {
    QFETCH(RadioModel, model);
    QFETCH(QList<RadioMemory>, memories);
    const QDateTime exportedAt(QDate(2025, 3, 1), QTime(14, 5, 9, 870), Qt::UTC);
    const MemoryBackup written{.radioModel = model, .memories = memories, .exportedAt = exportedAt};

    const MemoryBackup read = MemoryBackup::fromFileContents(written.toFileContents());

    QCOMPARE(read.radioModel, model);
    QCOMPARE(read.memories, memories);
    QCOMPARE(read.exportedAt, QDateTime(QDate(2025, 3, 1), QTime(14, 5, 9), Qt::UTC));
}

void MemoryBackupTest::writtenFileHasSortedKeysAndAUtcDate() {
    const MemoryBackup backup{
        .radioModel = RadioModel::ft991a,
        .memories = {occupiedChannel("001", RadioModel::ft991a)},
        .exportedAt = QDateTime(QDate(2025, 3, 1), QTime(16, 5, 9, 500), QTimeZone(2 * 3600)),
    };
    const QString text = QString::fromUtf8(backup.toFileContents());

    QVERIFY2(text.contains(QStringLiteral("\"exportedAt\": \"2025-03-01T14:05:09Z\"")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\"radioModel\": \"FT-991A\"")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\n    ")), "indented");
    const QStringList topLevelKeys{"\n    \"exportedAt\"", "\n    \"memories\"", "\n    \"radioModel\""};
    const QStringList channelKeys{"flagsRaw", "frequency", "isEmpty", "modeCode",       "radioModel",
                                  "shiftRaw", "slot",      "tag",     "toneNumberCode", "toneNumberKindRaw"};
    qsizetype position = -1;
    for (const QString &key : topLevelKeys) {
        const qsizetype next = text.indexOf(key);
        QVERIFY2(next > position, qPrintable(key));
        position = next;
    }
    position = text.indexOf(QStringLiteral("\"memories\""));
    for (const QString &key : channelKeys) {
        const qsizetype next = text.indexOf(QLatin1Char('"') + key + QLatin1Char('"'), position);
        QVERIFY2(next > position, qPrintable(key));
        position = next;
    }
}

void MemoryBackupTest::writtenDateDropsTheFractionOfTheSecond_data() {
    QTest::addColumn<QDateTime>("exportedAt");
    QTest::addColumn<QString>("written");
    QTest::addRow("after 1970") << QDateTime(QDate(2025, 3, 1), QTime(14, 5, 9, 870), Qt::UTC)
                                << "2025-03-01T14:05:09Z";
    QTest::addRow("before 1970") << QDateTime(QDate(1969, 12, 31), QTime(23, 59, 58, 500), Qt::UTC)
                                 << "1969-12-31T23:59:58Z";
}

void MemoryBackupTest::writtenDateDropsTheFractionOfTheSecond() {
    QFETCH(QDateTime, exportedAt);
    QFETCH(QString, written);
    const MemoryBackup backup{.radioModel = RadioModel::ft710, .memories = {}, .exportedAt = exportedAt};
    QCOMPARE(backup.toJson().value(QStringLiteral("exportedAt")).toString(), written);
}

void MemoryBackupTest::readerAcceptsWhatTheFormatAllows_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QDateTime>("exportedAt");
    const QDateTime written(QDate(2025, 3, 1), QTime(14, 5, 9), Qt::UTC);
    QTest::addRow("as written") << contentsOf(validBackup()) << 1 << written;
    QTest::addRow("empty memories") << backupWith("memories", QJsonArray{}) << 0 << written;
    QTest::addRow("further member ignored") << backupWith("comment", "from the club") << 1 << written;
    QTest::addRow("zone offset") << backupWith("exportedAt", "2025-03-01T16:05:09+02:00") << 1 << written;
    QTest::addRow("fraction of a second")
        << backupWith("exportedAt", "2025-03-01T14:05:09.250Z") << 1 << written.addMSecs(250);
    QTest::addRow("compact JSON") << QJsonDocument(validBackup()).toJson(QJsonDocument::Compact) << 1
                                  << written;
}

void MemoryBackupTest::readerAcceptsWhatTheFormatAllows() {
    QFETCH(QByteArray, contents);
    QFETCH(int, channels);
    QFETCH(QDateTime, exportedAt);
    const MemoryBackup backup = MemoryBackup::fromFileContents(contents);
    QCOMPARE(backup.radioModel, RadioModel::ft991a);
    QCOMPARE(backup.memories.size(), channels);
    QCOMPARE(backup.exportedAt, exportedAt);
    QCOMPARE(backup.exportedAt.timeSpec(), Qt::UTC);
}

void MemoryBackupTest::readerRejectsTheWholeFileOnAnyFault_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("path");

    QTest::addRow("no JSON") << QByteArray("{\"radioModel\": ") << Kind::dataCorrupted << "";
    QTest::addRow("empty file") << QByteArray() << Kind::dataCorrupted << "";
    QTest::addRow("top level array") << QByteArray("[]") << Kind::typeMismatch << "";

    QTest::addRow("radioModel missing") << backupWithout("radioModel") << Kind::keyNotFound << "radioModel";
    QTest::addRow("memories missing") << backupWithout("memories") << Kind::keyNotFound << "memories";
    QTest::addRow("exportedAt missing") << backupWithout("exportedAt") << Kind::keyNotFound << "exportedAt";

    QTest::addRow("radioModel lower case")
        << backupWith("radioModel", "ft-991a") << Kind::dataCorrupted << "radioModel";
    QTest::addRow("radioModel unknown")
        << backupWith("radioModel", "FT-891") << Kind::dataCorrupted << "radioModel";
    QTest::addRow("radioModel number") << backupWith("radioModel", 710) << Kind::typeMismatch << "radioModel";
    QTest::addRow("radioModel null") << backupWith("radioModel", QJsonValue::Null) << Kind::valueNotFound
                                     << "radioModel";

    QTest::addRow("memories object") << backupWith("memories", QJsonObject{}) << Kind::typeMismatch
                                     << "memories";
    QJsonObject channelWithoutTag = RadioMemory::empty("002", RadioModel::ft991a).toJson();
    channelWithoutTag.remove("tag");
    QTest::addRow("second channel lacks its tag")
        << backupWith("memories",
                      QJsonArray{RadioMemory::empty("001", RadioModel::ft991a).toJson(), channelWithoutTag})
        << Kind::keyNotFound << "memories[1].tag";
    QTest::addRow("channel is a string")
        << backupWith("memories", QJsonArray{"001"}) << Kind::typeMismatch << "memories[0]";

    QTest::addRow("exportedAt number")
        << backupWith("exportedAt", 1740837909) << Kind::typeMismatch << "exportedAt";
    QTest::addRow("exportedAt null") << backupWith("exportedAt", QJsonValue::Null) << Kind::valueNotFound
                                     << "exportedAt";
    const QStringList badDates{"2025-03-01",
                               "2025-03-01T14:05:09",
                               "2025-03-01T14:05Z",
                               "2025-03-01 14:05:09Z",
                               "20250301T140509Z",
                               "2025-02-30T14:05:09Z",
                               "2025-03-01T24:00:00Z",
                               "2025-03-01T14:05:09+0200",
                               "yesterday",
                               "",
                               " 2025-03-01T14:05:09Z"};
    for (const QString &date : badDates)
        QTest::addRow("exportedAt \"%s\"", qPrintable(date))
            << backupWith("exportedAt", date) << Kind::dataCorrupted << "exportedAt";
}

void MemoryBackupTest::readerRejectsTheWholeFileOnAnyFault() {
    QFETCH(QByteArray, contents);
    QFETCH(Kind, kind);
    QFETCH(QString, path);
    try {
        MemoryBackup::fromFileContents(contents);
        QFAIL("the file was accepted");
    } catch (const JSONDecodingError &error) {
        QCOMPARE(error.kind(), kind);
        QCOMPARE(error.path(), path);
        QVERIFY(!error.description().isEmpty());
    }
}

void MemoryBackupTest::invalidExportTimeIsNotWritten() {
    const MemoryBackup backup{.radioModel = RadioModel::ft710, .memories = {}, .exportedAt = QDateTime()};
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, backup.toFileContents());
}

void MemoryBackupTest::defaultFileNameNamesTheModel_data() {
    QTest::addColumn<RadioModel>("model");
    QTest::addColumn<QString>("fileName");
    QTest::addRow("FT-710") << RadioModel::ft710 << "Korvel_FT-710_backup.json";
    QTest::addRow("FT-991A") << RadioModel::ft991a << "Korvel_FT-991A_backup.json";
}

void MemoryBackupTest::defaultFileNameNamesTheModel() {
    QFETCH(RadioModel, model);
    QFETCH(QString, fileName);
    QCOMPARE(MemoryBackup::defaultFileName(model), fileName);
}

QTEST_GUILESS_MAIN(MemoryBackupTest)
#include "tst_memorybackup.moc"
