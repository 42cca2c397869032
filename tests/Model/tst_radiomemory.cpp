#include "MemoryRecord.h"
#include "Model/JSONDecodingError.h"
#include "Model/MemoryBackup.h"
#include "Model/TextOps.h"
#include "TestRows.h"
#include "TestSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

using Kind = JSONDecodingError::Kind;
// Members to replace; an undefined value removes the member (a QJsonObject would drop it at once).
using Members = QList<std::pair<QString, QJsonValue>>;

const QDateTime writtenAt(QDate(2025, 3, 1), QTime(14, 5, 9), Qt::UTC);

QJsonObject replaced(QJsonObject object, const Members &members) {
    for (const auto &[key, value] : members) {
        object.remove(key);
        if (!value.isUndefined())
            object.insert(key, value);
    }
    return object;
}

// A stored frequency with leading zeros must come back unchanged.
RadioMemory stored(const QString &slot, RadioModel model) {
    return memoryRecord(model,
                        {{u"slot"_s, slot}, {u"frequency"_s, u"007100000"_s}, {u"tag"_s, u"Relais Ü"_s}});
}

// A valid backup document of one FT-991A channel, with top-level and channel members replaced.
QByteArray backup(const Members &members = {}, const Members &channelMembers = {}) {
    const QJsonObject channel = replaced(stored(u"001"_s, RadioModel::ft991a).toJson(), channelMembers);
    const QJsonObject object{{u"radioModel"_s, u"FT-991A"_s},
                             {u"memories"_s, QJsonArray{channel}},
                             {u"exportedAt"_s, u"2025-03-01T14:05:09Z"_s}};
    return QJsonDocument(replaced(object, members)).toJson();
}

} // namespace

// The memory record, the character-counting helpers of its fixed-width fields, and the backup file.
class RadioMemoryTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    // Lengths and cuts count user-perceived characters, never splitting a surrogate pair; digits are
    // characters with the numeric property. Text | characters | a cut | what is before it | digits.
    void characters_data() {
        addRows({"|0|-1||", "a1c|3|5|a1c|1", "e\u0301xy|3|1|e\u0301|", "\U0001F4FB!|2|1|\U0001F4FB|",
                 "\u09660\U0001D7D8X|4|3|\u09660\U0001D7D8|\u09660\U0001D7D8", "1.5|3|2|1.|15",
                 "1\u00B2\u00BD|3|0||1\u00B2\u00BD", "a7\u0301|2|1|a|7\u0301"});
    }
    void characters() {
        QFETCH(QStringList, row);
        const auto [text, count, cut, prefix, digits] = fields<5>(row);
        QCOMPARE(TextOps::characterCount(text), count.toInt());
        QCOMPARE(TextOps::prefix(text, cut.toInt()), prefix);
        QCOMPARE(TextOps::numericCharacters(text), digits);
    }

    // Zeros on the left of numbers, blanks on the right of tags, as the CAT fields take them.
    // Side | text | length | padded.
    void padding_data() {
        addRows({"left||5|00000", "left|7|3|007", "left|12345|3|123", "left|123|3|123",
                 "left|e\u0301|3|00e\u0301", "left|123|-2|", "right|AB|12|AB          ",
                 "right|ABCDEFGHIJKLMN|12|ABCDEFGHIJKL", "right|Cafe\u0301|6|Cafe\u0301  ", "right|AB|-1|"});
    }
    void padding() {
        QFETCH(QStringList, row);
        const auto [side, text, length, padded] = fields<4>(row);
        QCOMPARE(side == u"left" ? TextOps::paddingLeft(text, length.toInt(), u"0"_s)
                                 : TextOps::paddingRight(text, length.toInt(), u" "_s),
                 padded);
        QCOMPARE(TextOps::ifEmpty(text, u"4"_s), text.isEmpty() ? u"4"_s : text);
    }

    void emptyChannel_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addRow("FT-710") << RadioModel::ft710;
        QTest::addRow("FT-991A") << RadioModel::ft991a;
    }
    void emptyChannel() {
        QFETCH(RadioModel, model);
        const RadioMemory memory = RadioMemory::empty(u"42"_s, model);
        QCOMPARE(memory, withFields(memoryRecord(model), {{u"slot"_s, u"42"_s},
                                                          {u"frequency"_s, u""_s},
                                                          {u"shiftRaw"_s, u"+000000"_s},
                                                          {u"flagsRaw"_s, u"10000"_s},
                                                          {u"toneNumberKindRaw"_s, u""_s},
                                                          {u"toneNumberCode"_s, u"000"_s},
                                                          {u"tag"_s, u""_s},
                                                          {u"isEmpty"_s, true}}));
        QCOMPARE(memory.id(), u"42"_s);
        QCOMPARE(memory.tailRaw(), u"410000"_s);
        QCOMPARE(memory.ft991aToneSqlModeCode() + memory.ft991aRepeaterShiftCode(), u"00"_s);
        QCOMPARE(RadioMemory::slotText(7) + RadioMemory::slotText(117), u"007117"_s);
    }

    // The record reads the first five flag characters as they are, left-filled with "0"; the
    // FT-710 never reads them. The tail is the mode character ("4" for none) and those five.
    // Model | mode | flags | tail | tone/squelch code, shift code and tone/squelch mode.
    void flagCodes_data() {
        addRows({"FT-991A|4|32|400032|020", "FT-991A|4|0300109|403001|313", "FT-991A|4|02001|402001|212",
                 "FT-991A|4|1x002|41x002|x20", "FT-991A|||400000|000", "FT-991A|4|\u0301|40000\u0301|000",
                 "FT-991A|ab|12345|a12345|252", "FT-710|4|13002|413002|000"});
    }
    void flagCodes() {
        QFETCH(QStringList, row);
        const auto [model, mode, flags, tail, codes] = fields<5>(row);
        const RadioMemory memory =
            memoryRecord(*radioModelFromRawValue(model), {{"modeCode", mode}, {"flagsRaw", flags}});
        QCOMPARE(memory.ft991aToneSqlModeCode() + memory.ft991aRepeaterShiftCode() +
                     code(memory.ft991aToneSqlMode()),
                 codes);
        QCOMPARE(memory.tailRaw(), tail);
    }

    void equality_data() {
        QTest::addColumn<QJsonObject>("change");
        QTest::addColumn<bool>("equal");
        QTest::addRow("none") << QJsonObject{} << true;
        QTest::addRow("tag in decomposed form") << QJsonObject{{u"tag"_s, u"Cafe\u0301"_s}} << true;
        QTest::addRow("tag with a blank") << QJsonObject{{u"tag"_s, u"Caf\u00E9 "_s}} << false;
        QTest::addRow("marked empty") << QJsonObject{{u"isEmpty"_s, true}} << false;
        QTest::addRow("tone kind") << QJsonObject{{u"toneNumberKindRaw"_s, u"1"_s}} << false;
    }
    void equality() {
        QFETCH(QJsonObject, change);
        QFETCH(bool, equal);
        const RadioMemory memory = memoryRecord(RadioModel::ft710, {{u"tag"_s, u"Caf\u00E9"_s}});
        QCOMPARE(memory == withFields(memory, change), equal);
    }

    // --- the backup file

    // The export time loses its fraction of a second, also before 1970; a backup is written as it
    // is, with channels of another model, repeated or out of range.
    void writingAndReadingKeepsModelChannelsAndWholeSeconds_data() {
        QTest::addColumn<MemoryBackup>("written");
        const auto ft710 = RadioModel::ft710;
        QTest::addRow("FT-710 table with an empty channel") << MemoryBackup{
            ft710, {stored(u"001"_s, ft710), RadioMemory::empty(u"002"_s, ft710)}, writtenAt.addMSecs(870)};
        QTest::addRow("no channels, before 1970") << MemoryBackup{
            RadioModel::ft991a, {}, QDateTime(QDate(1969, 12, 31), QTime(23, 59, 58, 500), Qt::UTC)};
        QTest::addRow("other model, repeated and out-of-range slots")
            << MemoryBackup{ft710,
                            {stored(u"117"_s, RadioModel::ft991a), stored(u"117"_s, RadioModel::ft991a),
                             RadioMemory::empty(u"500"_s, ft710)},
                            writtenAt};
    }
    void writingAndReadingKeepsModelChannelsAndWholeSeconds() {
        QFETCH(MemoryBackup, written);
        const MemoryBackup read = MemoryBackup::fromFileContents(written.toFileContents());
        QCOMPARE(read.radioModel, written.radioModel);
        QCOMPARE(read.memories, written.memories);
        QCOMPARE(read.exportedAt, written.exportedAt.addMSecs(-written.exportedAt.time().msec()));
    }

    void writtenFileHasSortedKeysAndAUtcDate() {
        const MemoryBackup backup{RadioModel::ft991a,
                                  {stored(u"001"_s, RadioModel::ft991a)},
                                  QDateTime(QDate(2025, 3, 1), QTime(16, 5, 9, 500), QTimeZone(2 * 3600))};
        const QString text = QString::fromUtf8(backup.toFileContents());
        QVERIFY2(text.contains(u"\"exportedAt\": \"2025-03-01T14:05:09Z\""_s), qPrintable(text));
        QVERIFY2(text.contains(u"\"frequency\": \"007100000\""_s), qPrintable(text));
        QStringList keys; // in the order written, the channel's nested in "memories"
        for (const QRegularExpressionMatch &key : QRegularExpression(u"\n *\"(\\w+)\": "_s).globalMatch(text))
            keys << key.captured(1);
        QCOMPARE(keys.join(u' '),
                 u"exportedAt memories flagsRaw frequency isEmpty modeCode radioModel shiftRaw "
                 "slot tag toneNumberCode toneNumberKindRaw radioModel"_s);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 (MemoryBackup{RadioModel::ft710, {}, QDateTime()}.toFileContents()));
        QCOMPARE(MemoryBackup::defaultFileName(RadioModel::ft991a), u"Korvel_FT-991A_backup.json"_s);
    }

    // Any valid JSON form; further members ignored; the two tone members of a channel optional.
    void readerAcceptsWhatTheFormatAllows_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QStringList>("read"); // channels, export time, tone kind and code of the first
        const QJsonValue absent(QJsonValue::Undefined);
        const QString at = u"2025-03-01T14:05:09.000Z"_s;
        QTest::addRow("as written") << backup() << QStringList{"1", at, "0", "008"};
        QTest::addRow("empty memories") << backup({{u"memories"_s, QJsonArray{}}}) << QStringList{"0", at};
        QTest::addRow("further members")
            << backup({{u"x"_s, 1}}, {{u"x"_s, 1}}) << QStringList{"1", at, "0", "008"};
        QTest::addRow("zone offset") << backup({{u"exportedAt"_s, u"2025-03-01T16:05:09+02:00"_s}})
                                     << QStringList{"1", at, "0", "008"};
        QTest::addRow("fraction of a second") << backup({{u"exportedAt"_s, u"2025-03-01T14:05:09.250Z"_s}})
                                              << QStringList{"1", "2025-03-01T14:05:09.250Z", "0", "008"};
        QTest::addRow("compact JSON") << QJsonDocument::fromJson(backup()).toJson(QJsonDocument::Compact)
                                      << QStringList{"1", at, "0", "008"};
        QTest::addRow("tone members absent")
            << backup({}, {{u"toneNumberKindRaw"_s, absent}, {u"toneNumberCode"_s, absent}})
            << QStringList{"1", at, "", "000"};
        QTest::addRow("tone members null")
            << backup({}, {{u"toneNumberKindRaw"_s, QJsonValue()}, {u"toneNumberCode"_s, QJsonValue()}})
            << QStringList{"1", at, "", "000"};
    }
    void readerAcceptsWhatTheFormatAllows() {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, read);
        const MemoryBackup backup = MemoryBackup::fromFileContents(contents);
        QStringList actual{QString::number(backup.memories.size()),
                           backup.exportedAt.toString(Qt::ISODateWithMs)};
        if (!backup.memories.isEmpty())
            actual << backup.memories.first().toneNumberKindRaw << backup.memories.first().toneNumberCode;
        QCOMPARE(actual, read);
        QCOMPARE(backup.radioModel, RadioModel::ft991a);
        QCOMPARE(backup.exportedAt.timeSpec(), Qt::UTC);
        if (!backup.memories.isEmpty())
            QCOMPARE(backup.memories.first().frequency, u"007100000"_s);
    }

    // Any fault anywhere rejects the whole file; the error names the offending value.
    void readerRejectsTheWholeFileOnAnyFault_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        const auto topLevel = [](const QString &key, const QJsonValue &value, Kind kind,
                                 const QString &name) {
            QTest::addRow("%s %s", qPrintable(key), qPrintable(name))
                << backup({{key, value}}) << kind << key;
        };
        const auto inChannel = [](const QString &key, const QJsonValue &value, Kind kind,
                                  const QString &name) {
            QTest::addRow("channel %s %s", qPrintable(key), qPrintable(name))
                << backup({}, {{key, value}}) << kind << u"memories[0]."_s + key;
        };
        const QJsonValue absent(QJsonValue::Undefined);
        QTest::addRow("no JSON") << QByteArray("{\"radioModel\": ") << Kind::dataCorrupted << QString();
        QTest::addRow("empty file") << QByteArray() << Kind::dataCorrupted << QString();
        QTest::addRow("top level array") << QByteArray("[]") << Kind::typeMismatch << QString();
        for (const QString &key : {u"radioModel"_s, u"memories"_s, u"exportedAt"_s}) {
            topLevel(key, absent, Kind::keyNotFound, u"missing"_s);
            topLevel(key, QJsonValue(), Kind::valueNotFound, u"null"_s);
        }
        topLevel(u"radioModel"_s, u"ft-991a"_s, Kind::dataCorrupted, u"lower case"_s);
        topLevel(u"radioModel"_s, 710, Kind::typeMismatch, u"number"_s);
        topLevel(u"memories"_s, QJsonObject{}, Kind::typeMismatch, u"object"_s);
        topLevel(u"exportedAt"_s, 1740837909, Kind::typeMismatch, u"number"_s);
        for (const QString &date :
             {u"2025-03-01"_s, u"2025-03-01T14:05:09"_s, u"2025-03-01T14:05Z"_s, u"20250301T140509Z"_s,
              u"2025-02-30T14:05:09Z"_s, u"2025-03-01T24:00:00Z"_s, u"2025-03-01T14:05:09+0200"_s, QString()})
            topLevel(u"exportedAt"_s, date, Kind::dataCorrupted, u'"' + date + u'"');
        QTest::addRow("channel is a string")
            << backup({{u"memories"_s, QJsonArray{u"001"_s}}}) << Kind::typeMismatch << u"memories[0]"_s;
        QJsonObject withoutTag = RadioMemory::empty(u"002"_s, RadioModel::ft991a).toJson();
        withoutTag.remove(u"tag"_s);
        QTest::addRow("second channel lacks its tag")
            << backup({{u"memories"_s,
                        QJsonArray{RadioMemory::empty(u"001"_s, RadioModel::ft991a).toJson(), withoutTag}}})
            << Kind::keyNotFound << u"memories[1].tag"_s;
        for (const QString &key : {u"slot"_s, u"radioModel"_s, u"frequency"_s, u"shiftRaw"_s, u"modeCode"_s,
                                   u"flagsRaw"_s, u"tag"_s, u"isEmpty"_s}) {
            inChannel(key, absent, Kind::keyNotFound, u"missing"_s);
            inChannel(key, QJsonValue(), Kind::valueNotFound, u"null"_s);
        }
        inChannel(u"frequency"_s, 145500000, Kind::typeMismatch, u"number"_s);
        inChannel(u"isEmpty"_s, u"false"_s, Kind::typeMismatch, u"string"_s);
        inChannel(u"toneNumberCode"_s, 8, Kind::typeMismatch, u"number"_s);
        inChannel(u"radioModel"_s, u"FT-891"_s, Kind::dataCorrupted, u"unknown"_s);
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
        TestSettings::setLanguage(u"de"_s);
        QCOMPARE(error.description(), u"Schlüssel fehlt: memories[3].tag"_s);
        TestSettings::setLanguage(u"en"_s);
        QCOMPARE(QString::fromUtf8(error.what()), u"Missing key: memories[3].tag"_s);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(RadioMemoryTest)
#include "tst_radiomemory.moc"
