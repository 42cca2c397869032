#include "Model/JSONDecodingError.h"
#include "Model/MemoryBackup.h"
#include "ModelTesting.h"
#include "TestSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>
#include <stdexcept>

namespace {

using Kind = JSONDecodingError::Kind;
// Members to replace; an undefined value removes the member (a QJsonObject would drop it at once).
using Members = QList<std::pair<QString, QJsonValue>>;

void replaceMembers(QJsonObject &object, const Members &members) {
    for (const auto &[key, value] : members) {
        object.remove(key);
        if (!value.isUndefined())
            object.insert(key, value);
    }
}

const QDateTime writtenAt(QDate(2025, 3, 1), QTime(14, 5, 9), Qt::UTC);

// A stored frequency with leading zeros must come back unchanged.
RadioMemory occupied(const QString &slot, RadioModel model) {
    return channel(model, {{u"slot"_s, slot}, {u"frequency"_s, u"007100000"_s}, {u"tag"_s, u"Relais Ü"_s}});
}

// A valid backup document with the given top-level members replaced.
QByteArray backup(const Members &members = {}) {
    QJsonObject object{{u"radioModel"_s, u"FT-991A"_s},
                       {u"memories"_s, QJsonArray{occupied(u"001"_s, RadioModel::ft991a).toJson()}},
                       {u"exportedAt"_s, u"2025-03-01T14:05:09Z"_s}};
    replaceMembers(object, members);
    return QJsonDocument(object).toJson();
}

// A valid backup whose one channel has the given members replaced.
QByteArray backupWithChannel(const Members &members) {
    QJsonObject channelJson = occupied(u"001"_s, RadioModel::ft991a).toJson();
    replaceMembers(channelJson, members);
    return backup({{u"memories"_s, QJsonArray{channelJson}}});
}

} // namespace

// The backup file and the JSON form of the channels it holds.
class MemoryBackupTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    // The export time loses its fraction of a second, also before 1970.
    void writingAndReadingKeepsModelChannelsAndWholeSeconds_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QList<RadioMemory>>("memories");
        QTest::addColumn<QDateTime>("exportedAt");
        QTest::addRow("FT-710 table with an empty channel")
            << RadioModel::ft710
            << QList<RadioMemory>{occupied(u"001"_s, RadioModel::ft710),
                                  RadioMemory::empty(u"002"_s, RadioModel::ft710)}
            << writtenAt.addMSecs(870);
        QTest::addRow("no channels, before 1970")
            << RadioModel::ft991a << QList<RadioMemory>{}
            << QDateTime(QDate(1969, 12, 31), QTime(23, 59, 58, 500), Qt::UTC);
        QTest::addRow("other model, repeated and out-of-range slots")
            << RadioModel::ft710
            << QList<RadioMemory>{occupied(u"117"_s, RadioModel::ft991a),
                                  occupied(u"117"_s, RadioModel::ft991a),
                                  RadioMemory::empty(u"500"_s, RadioModel::ft710)}
            << writtenAt;
    }
    void writingAndReadingKeepsModelChannelsAndWholeSeconds() {
        QFETCH(RadioModel, model);
        QFETCH(QList<RadioMemory>, memories);
        QFETCH(QDateTime, exportedAt);
        const MemoryBackup written{.radioModel = model, .memories = memories, .exportedAt = exportedAt};
        const MemoryBackup read = MemoryBackup::fromFileContents(written.toFileContents());
        QCOMPARE(read.radioModel, model);
        QCOMPARE(read.memories, memories);
        QCOMPARE(read.exportedAt, exportedAt.addMSecs(-exportedAt.time().msec()));
    }

    void writtenFileHasSortedKeysAndAUtcDate() {
        const MemoryBackup backup{
            .radioModel = RadioModel::ft991a,
            .memories = {occupied(u"001"_s, RadioModel::ft991a)},
            .exportedAt = QDateTime(QDate(2025, 3, 1), QTime(16, 5, 9, 500), QTimeZone(2 * 3600)),
        };
        const QString text = QString::fromUtf8(backup.toFileContents());
        QVERIFY2(text.contains(u"\"exportedAt\": \"2025-03-01T14:05:09Z\""_s), qPrintable(text));
        QVERIFY2(text.contains(u"\"frequency\": \"007100000\""_s), qPrintable(text));
        // Every key in the order written, the channel's keys nested in "memories".
        QStringList keys;
        for (const QRegularExpressionMatch &key : QRegularExpression(u"\n *\"(\\w+)\": "_s).globalMatch(text))
            keys << key.captured(1);
        QCOMPARE(keys, (QStringList{u"exportedAt"_s, u"memories"_s, u"flagsRaw"_s, u"frequency"_s,
                                    u"isEmpty"_s, u"modeCode"_s, u"radioModel"_s, u"shiftRaw"_s, u"slot"_s,
                                    u"tag"_s, u"toneNumberCode"_s, u"toneNumberKindRaw"_s, u"radioModel"_s}));
    }

    void invalidExportTimeIsNotWritten() {
        const MemoryBackup backup{.radioModel = RadioModel::ft710, .memories = {}, .exportedAt = QDateTime()};
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, backup.toFileContents());
    }

    void readerAcceptsWhatTheFormatAllows_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QDateTime>("exportedAt");
        QTest::addRow("as written") << backup() << 1 << writtenAt;
        QTest::addRow("empty memories") << backup({{u"memories"_s, QJsonArray{}}}) << 0 << writtenAt;
        QTest::addRow("further member ignored")
            << backup({{u"comment"_s, u"from the club"_s}}) << 1 << writtenAt;
        QTest::addRow("zone offset") << backup({{u"exportedAt"_s, u"2025-03-01T16:05:09+02:00"_s}}) << 1
                                     << writtenAt;
        QTest::addRow("fraction of a second")
            << backup({{u"exportedAt"_s, u"2025-03-01T14:05:09.250Z"_s}}) << 1 << writtenAt.addMSecs(250);
        QTest::addRow("compact JSON")
            << QJsonDocument::fromJson(backup()).toJson(QJsonDocument::Compact) << 1 << writtenAt;
    }
    void readerAcceptsWhatTheFormatAllows() {
        QFETCH(QByteArray, contents);
        QFETCH(int, channels);
        QFETCH(QDateTime, exportedAt);
        const MemoryBackup read = MemoryBackup::fromFileContents(contents);
        QCOMPARE(read.radioModel, RadioModel::ft991a);
        QCOMPARE(read.memories.size(), channels);
        QCOMPARE(read.exportedAt, exportedAt);
        QCOMPARE(read.exportedAt.timeSpec(), Qt::UTC);
    }

    // The two tone members are optional in a channel; every other member is required.
    void channelToneMembersAreOptional_data() {
        QTest::addColumn<QJsonValue>("kind");
        QTest::addColumn<QJsonValue>("code");
        QTest::addColumn<QString>("expectedKind");
        QTest::addColumn<QString>("expectedCode");
        const QJsonValue absent(QJsonValue::Undefined);
        QTest::addRow("both absent") << absent << absent << QString() << u"000"_s;
        QTest::addRow("both null") << QJsonValue() << QJsonValue() << QString() << u"000"_s;
        QTest::addRow("code null") << QJsonValue(u"1"_s) << QJsonValue() << u"1"_s << u"000"_s;
        QTest::addRow("both present") << QJsonValue(u"0"_s) << QJsonValue(u"012"_s) << u"0"_s << u"012"_s;
    }
    void channelToneMembersAreOptional() {
        QFETCH(QJsonValue, kind);
        QFETCH(QJsonValue, code);
        QFETCH(QString, expectedKind);
        QFETCH(QString, expectedCode);
        const RadioMemory read =
            MemoryBackup::fromFileContents(
                backupWithChannel(
                    {{u"toneNumberKindRaw"_s, kind}, {u"toneNumberCode"_s, code}, {u"comment"_s, 3}}))
                .memories.first();
        QCOMPARE(read.toneNumberKindRaw, expectedKind);
        QCOMPARE(read.toneNumberCode, expectedCode);
        QCOMPARE(read.frequency, u"007100000"_s);
    }

    // Any fault anywhere rejects the whole file; the error names the offending value.
    void readerRejectsTheWholeFileOnAnyFault_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        // One top-level member, or one member of the only channel, replaced; undefined removes it.
        const auto topLevel = [](const QString &name, const QString &key, const QJsonValue &value,
                                 Kind kind) {
            QTest::addRow("%s", qPrintable(name)) << backup({{key, value}}) << kind << key;
        };
        const auto inChannel = [](const QString &name, const QString &key, const QJsonValue &value,
                                  Kind kind) {
            QTest::addRow("channel %s", qPrintable(name))
                << backupWithChannel({{key, value}}) << kind << u"memories[0]."_s + key;
        };
        const QJsonValue absent(QJsonValue::Undefined);
        QTest::addRow("no JSON") << QByteArray("{\"radioModel\": ") << Kind::dataCorrupted << QString();
        QTest::addRow("empty file") << QByteArray() << Kind::dataCorrupted << QString();
        QTest::addRow("top level array") << QByteArray("[]") << Kind::typeMismatch << QString();
        for (const QString &key : {u"radioModel"_s, u"memories"_s, u"exportedAt"_s}) {
            topLevel(key + u" missing"_s, key, absent, Kind::keyNotFound);
            topLevel(key + u" null"_s, key, QJsonValue(), Kind::valueNotFound);
        }
        topLevel(u"radioModel lower case"_s, u"radioModel"_s, u"ft-991a"_s, Kind::dataCorrupted);
        topLevel(u"radioModel unknown"_s, u"radioModel"_s, u"FT-891"_s, Kind::dataCorrupted);
        topLevel(u"radioModel number"_s, u"radioModel"_s, 710, Kind::typeMismatch);
        topLevel(u"memories object"_s, u"memories"_s, QJsonObject{}, Kind::typeMismatch);
        topLevel(u"exportedAt number"_s, u"exportedAt"_s, 1740837909, Kind::typeMismatch);
        for (const QString &date :
             {u"2025-03-01"_s, u"2025-03-01T14:05:09"_s, u"2025-03-01T14:05Z"_s, u"2025-03-01 14:05:09Z"_s,
              u"20250301T140509Z"_s, u"2025-02-30T14:05:09Z"_s, u"2025-03-01T24:00:00Z"_s,
              u"2025-03-01T14:05:09+0200"_s, u"yesterday"_s, QString(), u" 2025-03-01T14:05:09Z"_s})
            topLevel(u"exportedAt \""_s + date + u'"', u"exportedAt"_s, date, Kind::dataCorrupted);
        QTest::addRow("channel is a string")
            << backup({{u"memories"_s, QJsonArray{u"001"_s}}}) << Kind::typeMismatch << u"memories[0]"_s;
        QJsonObject channelWithoutTag = RadioMemory::empty(u"002"_s, RadioModel::ft991a).toJson();
        channelWithoutTag.remove(u"tag"_s);
        QTest::addRow("second channel lacks its tag")
            << backup({{u"memories"_s, QJsonArray{RadioMemory::empty(u"001"_s, RadioModel::ft991a).toJson(),
                                                  channelWithoutTag}}})
            << Kind::keyNotFound << u"memories[1].tag"_s;
        for (const QString &key : {u"slot"_s, u"radioModel"_s, u"frequency"_s, u"shiftRaw"_s, u"modeCode"_s,
                                   u"flagsRaw"_s, u"tag"_s, u"isEmpty"_s}) {
            inChannel(key + u" missing"_s, key, absent, Kind::keyNotFound);
            inChannel(key + u" null"_s, key, QJsonValue(), Kind::valueNotFound);
        }
        inChannel(u"frequency as number"_s, u"frequency"_s, 145500000, Kind::typeMismatch);
        inChannel(u"isEmpty as string"_s, u"isEmpty"_s, u"false"_s, Kind::typeMismatch);
        inChannel(u"toneNumberCode as number"_s, u"toneNumberCode"_s, 8, Kind::typeMismatch);
        inChannel(u"model in lower case"_s, u"radioModel"_s, u"ft-710"_s, Kind::dataCorrupted);
    }
    void readerRejectsTheWholeFileOnAnyFault() {
        QFETCH(QByteArray, contents);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        try {
            MemoryBackup::fromFileContents(contents);
            QFAIL("the file was accepted");
        } catch (const JSONDecodingError &error) {
            QCOMPARE(error.kind(), kind);
            QCOMPARE(error.path(), path);
        }
    }

    void decodingErrorText() {
        const JSONDecodingError error =
            JSONDecodingError(Kind::keyNotFound, u"tag"_s).nestedIn(u"memories[3]"_s);
        setLanguage(u"de"_s);
        QCOMPARE(error.description(), u"Schlüssel fehlt: memories[3].tag"_s);
        setLanguage(u"en"_s);
        QCOMPARE(error.description(), u"Missing key: memories[3].tag"_s);
    }

    void defaultFileNameNamesTheModel() {
        QCOMPARE(MemoryBackup::defaultFileName(RadioModel::ft710), u"Korvel_FT-710_backup.json"_s);
        QCOMPARE(MemoryBackup::defaultFileName(RadioModel::ft991a), u"Korvel_FT-991A_backup.json"_s);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(MemoryBackupTest)
#include "tst_memorybackup.moc"
