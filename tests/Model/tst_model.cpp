#include "GoldenFile.h"
#include "Localization/L.h"
#include "MemoryRecord.h"
#include "Model/DeviceSettingDefinition.h"
#include "Model/DeviceSettingFieldKind.h"
#include "Model/DeviceSettingState.h"
#include "Model/JSONDecodingError.h"
#include "Model/MemoryBackup.h"
#include "Model/MemoryDraft.h"
#include "Model/RadioError.h"
#include "Model/SettingsOperationPhase.h"
#include "Model/TextOps.h"
#include "TestRows.h"
#include "TestSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimeZone>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

QString yesNo(bool value) {
    return value ? u"yes"_s : u"no"_s;
}
QString shown(const QString &text) {
    return text.isEmpty() ? u"\"\""_s : text;
}

// The ids of the cases, in their order.
template <typename Enum> QString ids(const QList<Enum> &cases) {
    QStringList found;
    for (Enum value : cases)
        found << id(value);
    return found.join(u' ');
}

// The raw value of the case a text finds, or "none".
template <typename Found> QString found(const Found &value) {
    return value ? rawValue(*value) : u"none"_s;
}

using Options = QList<DeviceSettingOption>;

const QList<std::pair<QString, const Options *>> &sharedLists() {
    using D = DeviceSettingDefinition;
    static const QList<std::pair<QString, const Options *>> lists{
        {u"timeoutOptions"_s, &D::timeoutOptions()},
        {u"ft710RateOptions"_s, &D::ft710RateOptions()},
        {u"ft991RateOptions"_s, &D::ft991RateOptions()},
        {u"onOffOptions"_s, &D::onOffOptions()},
        {u"enableDisableOptions"_s, &D::enableDisableOptions()},
        {u"pauseTimeOptions"_s, &D::pauseTimeOptions()},
        {u"ft991ToneLcutOptions"_s, &D::ft991ToneLcutOptions()},
        {u"ft991ToneHcutOptions"_s, &D::ft991ToneHcutOptions()}};
    return lists;
}

// "-" for none, the name of the shared list they are, or "code title" pairs.
QString optionsText(const Options &options) {
    if (options.isEmpty())
        return u"-"_s;
    for (const auto &[name, list] : sharedLists()) {
        if (options == *list)
            return name;
    }
    QStringList pairs;
    for (const DeviceSettingOption &option : options)
        pairs << option.code + u' ' + option.title;
    return pairs.join(u", "_s);
}

// The menu item of either radio's table with the given menu number; every one the tests use is there.
DeviceSettingDefinition item(const QString &menu) {
    for (const auto *table :
         {&DeviceSettingDefinition::ft710Definitions(), &DeviceSettingDefinition::ft991aDefinitions()}) {
        for (const DeviceSettingDefinition &definition : *table) {
            if (definition.writePrefix == u"EX"_s + menu)
                return definition;
        }
    }
    qFatal("no menu item %s", qPrintable(menu));
}

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

// A draft of `memory` with the fields named by their JSON keys typed in.
MemoryDraft typedDraft(const RadioMemory &memory, const QJsonObject &fields) {
    MemoryDraft draft(withFields(memory, fields));
    if (fields.contains(u"frequency"_s))
        draft.frequency = fields.value(u"frequency"_s).toString(); // as typed, leading zeros included
    return draft;
}

} // namespace

// The radio data model: tables, the memory record and its draft, the EX codec, the backup file.
class ModelTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // --- the vocabularies and the FT-991A tone tables
    // Every case of every vocabulary with its columns, in declaration order; titles in German.
    void vocabulariesMatchTheirGoldenFile() {
        TestSettings::setLanguage(u"de"_s);
        QStringList dumped;
        const auto line = [&](const QStringList &columns) { dumped << columns.join(u" | "_s); };
        for (RadioModel model : allRadioModels()) {
            QStringList modes;
            for (RadioModeOption mode : supportedModes(model))
                modes << code(mode);
            const ChannelRange range = memoryRange(model);
            line({"model", rawValue(model), u"channels %1-%2"_s.arg(range.lowerBound).arg(range.upperBound),
                  "modes " + modes.join(u' ')});
        }
        for (RadioModeOption mode : allRadioModeOptions())
            line({"mode", code(mode), title(mode)});
        for (ShiftDirectionOption direction : allShiftDirectionOptions())
            line({"shift direction", rawValue(direction)});
        const QString detail = u"DETAIL"_s;
        const QList<std::pair<const char *, RadioError>> errors{
            {"portOpenFailed", RadioError::portOpenFailed(detail)},
            {"portWriteFailed", RadioError::portWriteFailed(detail)},
            {"timeout", RadioError::timeout(detail)},
            {"rejected", RadioError::rejected(detail)},
            {"invalidResponse", RadioError::invalidResponse(detail)},
            {"invalidMemory", RadioError::invalidMemory(detail)},
            {"notConnected", RadioError::notConnected()},
            {"busy", RadioError::busy()},
            {"portInUse", RadioError::portInUse(detail)},
            {"connectionLost", RadioError::connectionLost(detail)}};
        for (const auto &[name, error] : errors) {
            const QString german = error.errorDescription();
            TestSettings::setLanguage(u"en"_s);
            line({"error", name, german, error.errorDescription()});
            TestSettings::setLanguage(u"de"_s);
        }
        for (FT991AToneSqlOption mode : allFT991AToneSqlOptions())
            line({"tone/squelch mode", code(mode), title(mode), "system " + rawValue(toneSystem(mode)),
                  "opening tone " + yesNo(openingToneEnabled(mode)),
                  "squelch decode " + yesNo(squelchDecodeEnabled(mode)),
                  "number kind " + shown(rawValue(numberKind(mode))),
                  "default code " + MemoryDraft::defaultToneCode(mode)});
        for (FT991AToneNumberKind kind :
             {FT991AToneNumberKind::none, FT991AToneNumberKind::ctcss, FT991AToneNumberKind::dcs})
            line({"tone number kind", shown(rawValue(kind)), "command code " + shown(commandCode(kind))});
        for (FT991AToneSystem system : allFT991AToneSystems())
            line({"tone system", rawValue(system), title(system)});
        for (SettingsOperationPhase phase :
             {SettingsOperationPhase::idle, SettingsOperationPhase::reading, SettingsOperationPhase::writing})
            line({"settings phase", rawValue(phase)});
        for (DeviceSettingFieldKind kind : {DeviceSettingFieldKind::choice, DeviceSettingFieldKind::numeric})
            line({"field kind", rawValue(kind)});
        for (FT991AToneSystem system : allFT991AToneSystems()) {
            for (bool tone : {false, true}) {
                for (bool decode : {false, true})
                    line({"compose", rawValue(system), "opening tone " + yesNo(tone),
                          "squelch decode " + yesNo(decode),
                          code(composeFT991AToneSqlOption(system, tone, decode))});
            }
        }
        compareWithGoldenFile(u"radio-vocabulary.txt"_s, dumped);
    }

    // A raw value finds its case only by exact match; a mode code is upper-cased first.
    void lookupsAreExact() {
        QCOMPARE(found(radioModelFromRawValue(u"FT-991A"_s)) + found(radioModelFromRawValue(u"ft-710"_s)) +
                     found(radioModelFromRawValue(u"FT-710 "_s)),
                 u"FT-991Anonenone"_s);
        QCOMPARE(found(radioModeOptionFromRawValue(u"a"_s)) + found(radioModeOptionFromCode(u"a"_s)) +
                     found(radioModeOptionFromCode(u"AB"_s)) + found(radioModeOptionFromCode(QString())),
                 u"noneAnonenone"_s);
        QCOMPARE(found(ft991aToneSqlOptionFromCode(u" 1"_s)) + found(ft991aToneSqlOptionFromCode(u"01"_s)) +
                     found(ft991aToneNumberKindFromRawValue(u"00"_s)) +
                     found(ft991aToneSystemFromRawValue(u"CTCSS"_s)),
                 u"nonenonenonenone"_s);
        QCOMPARE(ft991aToneNumberKindFromRawValue(QString()), FT991AToneNumberKind::none);
    }

    // A case's identity in lists is its raw value.
    void idsAreTheRawValues_data() {
        QTest::addColumn<QString>("ids");
        QTest::addColumn<QString>("rawValues");
        QTest::addRow("RadioModel") << ids(allRadioModels()) << u"FT-710 FT-991A"_s;
        QTest::addRow("RadioModeOption") << ids(allRadioModeOptions()) << u"1 2 3 4 5 6 7 8 9 A B C D E"_s;
        QTest::addRow("ShiftDirectionOption") << ids(allShiftDirectionOptions()) << u"Simplex + -"_s;
        QTest::addRow("FT991AToneSqlOption") << ids(allFT991AToneSqlOptions()) << u"0 1 2 3 4"_s;
        QTest::addRow("FT991AToneSystem") << ids(allFT991AToneSystems()) << u"off ctcss dcs"_s;
    }
    void idsAreTheRawValues() {
        QFETCH(QString, ids);
        QFETCH(QString, rawValues);
        QCOMPARE(ids, rawValues);
    }

    void toneTablesMatchTheirGoldenFile() {
        QStringList dumped;
        for (const auto *table : {&MemoryDraft::ft991aCtcssOptions(), &MemoryDraft::ft991aDcsOptions()}) {
            for (const FT991AToneCodeOption &option : *table)
                dumped << option.id() + u" | "_s + option.title();
        }
        compareWithGoldenFile(u"tone-tables.txt"_s, dumped);
    }

    // Kind, code and label all count; texts by canonical equivalence.
    void toneCodeOptionEquality() {
        using enum FT991AToneNumberKind;
        const FT991AToneCodeOption option{ctcss, u"000"_s, u"Caf\u00E9"_s};
        QVERIFY(option == (FT991AToneCodeOption{ctcss, u"000"_s, u"Cafe\u0301"_s}));
        for (const FT991AToneCodeOption &other : {FT991AToneCodeOption{dcs, u"000"_s, u"Caf\u00E9"_s},
                                                  FT991AToneCodeOption{ctcss, u"001"_s, u"Caf\u00E9"_s},
                                                  FT991AToneCodeOption{ctcss, u"000"_s, u"Cafe"_s}})
            QVERIFY(!(option == other));
    }

    // Equal options hash alike, canonically equivalent texts included; every row of the two tables
    // is an option of its own.
    void toneCodeOptionHashFollowsEquality() {
        using enum FT991AToneNumberKind;
        const FT991AToneCodeOption composed{ctcss, u"000"_s, u"Caf\u00E9"_s};
        const FT991AToneCodeOption decomposed{ctcss, u"000"_s, u"Cafe\u0301"_s};
        for (size_t seed : {size_t(0), size_t(42)})
            QCOMPARE(qHash(composed, seed), qHash(decomposed, seed));
        QCOMPARE((QSet<FT991AToneCodeOption>{composed, decomposed}.size()), 1);
        QSet<FT991AToneCodeOption> rows(MemoryDraft::ft991aCtcssOptions().cbegin(),
                                        MemoryDraft::ft991aCtcssOptions().cend());
        rows.unite(QSet<FT991AToneCodeOption>(MemoryDraft::ft991aDcsOptions().cbegin(),
                                              MemoryDraft::ft991aDcsOptions().cend()));
        QCOMPARE(rows.size(), 50 + 104);
    }

    // --- the menu tables and the EX command codec
    void menuTablesMatchTheirGoldenFile() {
        QStringList dumped;
        for (const auto *table :
             {&DeviceSettingDefinition::ft710Definitions(), &DeviceSettingDefinition::ft991aDefinitions()}) {
            for (const DeviceSettingDefinition &d : *table)
                dumped << u"%1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 | %9 | %10"_s.arg(
                    d.id, d.readCommand, d.writePrefix, d.group, d.title, QString::number(d.digits),
                    rawValue(d.fieldKind), optionsText(d.options), yesNo(d.disruptsConnection), d.help);
        }
        for (const auto &[name, list] : sharedLists()) {
            for (const DeviceSettingOption &option : *list)
                dumped << name + u" | "_s + option.code + u' ' + option.title;
        }
        compareWithGoldenFile(u"menu-tables.txt"_s, dumped);
    }

    // Item | reply | the value it carries, or "none" when it is no reply to the item's command.
    void parseResponse_data() {
        addRows({"026|EX026050;|050", "026|EX026;|", "028|EX0282;|2", "030102|EX0301022;|2",
                 "026|EX026050|none", "026|?;|none", "026|EX028050;|none", "026|EX026050;\n|none",
                 "030101|EX0301;|none", "026|EX026\u0301050;|none"});
    }
    void parseResponse() {
        QFETCH(QStringList, row);
        const auto [menu, reply, value] = fields<3>(row);
        QCOMPARE(item(menu).parseResponse(reply).value_or(u"none"_s), value);
    }

    // Numeric: an optional "-" and `digits` digits; choice: a code or the first. Item | value | normalised.
    void normalizeForWrite_data() {
        addRows({"026||000",      "026|7|007",    "026| 42 |042",     "026|-5|-005",
                 "026|+5|005",    "026|1234|123", "026|abc|000",      "026|-|-000",
                 "026|1-5|015",   "026|- 5|-005", "026|-\u03015|005", "026|\u0664\u0662|0\u0664\u0662",
                 "030115|300|30", "028|3|3",      "028|2|0",          "028||0",
                 "028| 1|0",      "030102|2|2",   "043|67|67",        "041|5|00"});
        QTest::addRow("line breaks before the sign") << QStringList{"026", "\r\n-5", "-005"};
    }
    void normalizeForWrite() {
        QFETCH(QStringList, row);
        const auto [menu, value, normalised] = fields<3>(row);
        const DeviceSettingDefinition definition = item(menu);
        QCOMPARE(definition.normalizeForWrite(value), normalised);
        QCOMPARE(definition.normalizeForWrite(normalised), normalised);
        QCOMPARE(definition.writeCommand(value), u"EX"_s + menu + normalised + u';');
    }

    // A numeric item is written only as a plain number that fits, blanks around it aside; a choice
    // item takes anything. Item | value | refused.
    void invalidValueReason_data() {
        addRows({"026|5|no", "026|123|no", "026|-5|no", "026|+5|no", "026| 42 |no", "026|abc|yes",
                 "026|1234|yes", "026|5x|yes", "026||yes", "026|-|yes", "026|\u0663|yes", "028|abc|no"});
    }
    void invalidValueReason() {
        QFETCH(QStringList, row);
        const auto [menu, value, refused] = fields<3>(row);
        QCOMPARE(item(menu).invalidValueReason(value).has_value(), refused == u"yes");
    }

    // Any value changes an item never read. Item | value | original value | changed.
    void isDirty_data() {
        addRows({"028|||no", "028|0||yes", "026|5|005|no", "026|-5|5|yes", "026| 50 |050|no", "026||050|yes",
                 "034|0|5|no", "034|1|5|yes"});
    }
    void isDirty() {
        QFETCH(QStringList, row);
        const auto [menu, value, originalValue, dirty] = fields<4>(row);
        QCOMPARE(DeviceSettingState(item(menu), value, originalValue).isDirty(), dirty == u"yes");
    }

    // Every field counts, texts by canonical equivalence; the hash follows equality.
    void definitionsAndStatesCompareEveryField() {
        DeviceSettingDefinition definition = item(u"028"_s);
        definition.options = {{u"x"_s, u"X"_s}, {u"\u00E9"_s, u"\u00E9"_s}};
        DeviceSettingDefinition decomposed = definition;
        decomposed.options = {{u"x"_s, u"X"_s}, {u"e\u0301"_s, u"e\u0301"_s}};
        QVERIFY(definition == decomposed);
        QCOMPARE(qHash(definition), qHash(decomposed));
        const QList<std::function<void(DeviceSettingDefinition &)>> changes{
            [](auto &d) { d.id += u'x'; },
            [](auto &d) { d.group += u'x'; },
            [](auto &d) { d.title += u'x'; },
            [](auto &d) { d.readCommand += u'x'; },
            [](auto &d) { d.writePrefix += u'x'; },
            [](auto &d) { ++d.digits; },
            [](auto &d) { d.fieldKind = DeviceSettingFieldKind::numeric; },
            [](auto &d) { d.options.removeLast(); },
            [](auto &d) { d.disruptsConnection = false; },
            [](auto &d) { d.help += u'x'; }};
        for (qsizetype field = 0; field < changes.size(); ++field) {
            DeviceSettingDefinition changed = definition;
            changes[field](changed);
            QVERIFY2(!(changed == definition), qPrintable(QString::number(field)));
        }
        const DeviceSettingState state(definition, u"e\u0301"_s, u"\u00E9"_s);
        QVERIFY(!state.isDirty());
        QVERIFY(state == DeviceSettingState(decomposed, u"\u00E9"_s, u"e\u0301"_s));
        QCOMPARE(qHash(state), qHash(DeviceSettingState(decomposed, u"\u00E9"_s, u"e\u0301"_s)));
        QVERIFY(!(state == DeviceSettingState(item(u"026"_s), u"e\u0301"_s, u"\u00E9"_s)));
        QVERIFY(!(state == DeviceSettingState(definition, u"x"_s, u"\u00E9"_s)));
        QVERIFY(!(state == DeviceSettingState(definition, u"e\u0301"_s, u"x"_s)));
        QCOMPARE(state.id(), u"ft991a.028"_s);
        QCOMPARE(DeviceSettingState(definition).value + DeviceSettingState(definition).originalValue,
                 QString());
    }

    // --- the memory record, its text helpers and the backup file
    // User-perceived characters, numeric property. Text | count | a cut | what is before it | digits.
    void characters_data() {
        addRows({"|0|-1||", "a1c|3|5|a1c|1", "e\u0301xy|3|1|e\u0301|",
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

    // Zeros left of numbers, blanks right of tags. Side | text | length | padded.
    void padding_data() {
        addRows({"left||5|00000", "left|7|3|007", "left|12345|3|123", "left|e\u0301|3|00e\u0301",
                 "left|123|-2|", "right|AB|12|AB          ", "right|ABCDEFGHIJKLMN|12|ABCDEFGHIJKL",
                 "right|Cafe\u0301|6|Cafe\u0301  ", "right|AB|-1|"});
    }
    void padding() {
        QFETCH(QStringList, row);
        const auto [side, text, length, padded] = fields<4>(row);
        QCOMPARE(side == u"left" ? TextOps::paddingLeft(text, length.toInt(), u"0"_s)
                                 : TextOps::paddingRight(text, length.toInt(), u" "_s),
                 padded);
        QCOMPARE(TextOps::ifEmpty(text, u"4"_s), text.isEmpty() ? u"4"_s : text);
    }

    // The same for both models; the slot is kept as given.
    void emptyChannel() {
        for (RadioModel model : allRadioModels()) {
            const RadioMemory memory = RadioMemory::empty(u"42"_s, model);
            QCOMPARE(
                QJsonDocument(memory.toJson()).toJson(QJsonDocument::Compact),
                R"({"flagsRaw":"10000","frequency":"","isEmpty":true,"modeCode":"4","radioModel":")" +
                    rawValue(model).toLatin1() +
                    R"(","shiftRaw":"+000000","slot":"42","tag":"","toneNumberCode":"000","toneNumberKindRaw":""})");
            QCOMPARE(memory.id() + memory.tailRaw() + memory.ft991aToneSqlModeCode() +
                         memory.ft991aRepeaterShiftCode(),
                     u"4241000000"_s);
        }
        QCOMPARE(RadioMemory::slotText(7) + RadioMemory::slotText(117), u"007117"_s);
    }

    // The first five flag characters as they are, zero-filled; none on the FT-710. The tail is the
    // mode ("4" for none) and those five. Model | mode | flags | tail | tone, shift codes and mode.
    void flagCodes_data() {
        addRows({"FT-991A|4|32|400032|020", "FT-991A|4|0300109|403001|313", "FT-991A|4|1x002|41x002|x20",
                 "FT-991A|||400000|000", "FT-991A|4|\u0301|40000\u0301|000", "FT-991A|ab|12345|a12345|252",
                 "FT-710|4|13002|413002|000"});
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

    // Every field counts, texts by canonical equivalence.
    void equality() {
        const RadioMemory memory = memoryRecord(RadioModel::ft710, {{"tag", "Caf\u00E9"}});
        QVERIFY(memory == withFields(memory, {{"tag", "Cafe\u0301"}}));
        for (const QJsonObject &change : {QJsonObject{{"tag", "Caf\u00E9 "}}, QJsonObject{{"isEmpty", true}},
                                          QJsonObject{{"toneNumberKindRaw", "1"}}})
            QVERIFY(!(memory == withFields(memory, change)));
    }

    // --- the backup file
    // The time loses its fraction, also before 1970; channels are kept as they are, whatever they hold.
    void writingAndReadingKeepsModelChannelsAndWholeSeconds() {
        const RadioModel ft991a = RadioModel::ft991a;
        for (const MemoryBackup &written :
             {MemoryBackup{RadioModel::ft710,
                           {stored(u"117"_s, ft991a), stored(u"117"_s, ft991a)},
                           writtenAt.addMSecs(870)},
              MemoryBackup{ft991a, {}, QDateTime(QDate(1969, 12, 31), QTime(23, 59, 58, 500), Qt::UTC)}}) {
            const MemoryBackup read = MemoryBackup::fromFileContents(written.toFileContents());
            QVERIFY(read.radioModel == written.radioModel && read.memories == written.memories);
            QCOMPARE(read.exportedAt, written.exportedAt.addMSecs(-written.exportedAt.time().msec()));
        }
    }

    void writtenFileHasSortedKeysAndAUtcDate() {
        const MemoryBackup backup{RadioModel::ft991a,
                                  {stored(u"001"_s, RadioModel::ft991a)},
                                  QDateTime(QDate(2025, 3, 1), QTime(16, 5, 9, 500), QTimeZone(2 * 3600))};
        const QString text = QString::fromUtf8(backup.toFileContents());
        QVERIFY(text.contains(u"\"exportedAt\": \"2025-03-01T14:05:09Z\""_s) &&
                text.contains(u"\"007100000\""_s));
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

    // Any JSON form, an offset or fraction, further members; the tone members may be absent or null.
    void readerAcceptsWhatTheFormatAllows() {
        const QJsonValue absent(QJsonValue::Undefined);
        const MemoryBackup read = MemoryBackup::fromFileContents(
            QJsonDocument::fromJson(
                backup({{u"exportedAt"_s, u"2025-03-01T16:05:09.250+02:00"_s}, {u"x"_s, 1}},
                       {{u"toneNumberKindRaw"_s, absent}, {u"toneNumberCode"_s, QJsonValue()}}))
                .toJson(QJsonDocument::Compact));
        QCOMPARE(read.radioModel, RadioModel::ft991a);
        QCOMPARE(read.exportedAt, writtenAt.addMSecs(250));
        QCOMPARE(read.exportedAt.timeSpec(), Qt::UTC);
        QCOMPARE(read.memories.first(),
                 withFields(stored(u"001"_s, RadioModel::ft991a),
                            {{u"toneNumberKindRaw"_s, u""_s}, {u"toneNumberCode"_s, u"000"_s}}));
        QVERIFY(MemoryBackup::fromFileContents(backup({{u"memories"_s, QJsonArray{}}})).memories.isEmpty());
    }

    // Any fault anywhere rejects the whole file; the error names the offending value.
    void readerRejectsTheWholeFileOnAnyFault_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        const auto topLevel = [](const char *name, const QString &key, const QJsonValue &value, Kind kind) {
            QTest::addRow("%s", name) << backup({{key, value}}) << kind << key;
        };
        const auto inChannel = [](const char *name, const QString &key, const QJsonValue &value, Kind kind) {
            QTest::addRow("channel: %s", name)
                << backup({}, {{key, value}}) << kind << u"memories[0]."_s + key;
        };
        QTest::addRow("no JSON") << QByteArray("{\"radioModel\": ") << Kind::dataCorrupted << QString();
        QTest::addRow("top level array") << QByteArray("[]") << Kind::typeMismatch << QString();
        topLevel("model missing", u"radioModel"_s, QJsonValue(QJsonValue::Undefined), Kind::keyNotFound);
        topLevel("model in lower case", u"radioModel"_s, u"ft-991a"_s, Kind::dataCorrupted);
        topLevel("memories null", u"memories"_s, QJsonValue(), Kind::valueNotFound);
        topLevel("memories an object", u"memories"_s, QJsonObject{}, Kind::typeMismatch);
        topLevel("time a number", u"exportedAt"_s, 1740837909, Kind::typeMismatch);
        for (const char *date : {"2025-03-01", "2025-03-01T14:05:09", "2025-02-30T14:05:09Z",
                                 "2025-03-01T24:00:00Z", "2025-03-01T14:05:09+0200"})
            topLevel(date, u"exportedAt"_s, QString::fromLatin1(date), Kind::dataCorrupted);
        QTest::addRow("channel a string")
            << backup({{u"memories"_s, QJsonArray{u"001"_s}}}) << Kind::typeMismatch << u"memories[0]"_s;
        inChannel("tag missing", u"tag"_s, QJsonValue(QJsonValue::Undefined), Kind::keyNotFound);
        inChannel("slot null", u"slot"_s, QJsonValue(), Kind::valueNotFound);
        inChannel("frequency a number", u"frequency"_s, 145500000, Kind::typeMismatch);
        inChannel("isEmpty a string", u"isEmpty"_s, u"false"_s, Kind::typeMismatch);
        inChannel("tone code a number", u"toneNumberCode"_s, 8, Kind::typeMismatch);
        inChannel("unknown model", u"radioModel"_s, u"FT-891"_s, Kind::dataCorrupted);
    }
    void readerRejectsTheWholeFileOnAnyFault() {
        QFETCH(QByteArray, contents);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        TestSettings::setLanguage(u"de"_s);
        const QStringList says{"Schlüssel fehlt: ", "Wert fehlt (null): ", "Falscher Typ bei ",
                               "Ungültige Daten bei "};
        try {
            MemoryBackup::fromFileContents(contents);
            QFAIL("the file was accepted");
        } catch (const JSONDecodingError &error) {
            QCOMPARE(error.kind(), kind);
            QCOMPARE(error.path(), path);
            QVERIFY(error.description().startsWith(says[int(kind)] + (path.isEmpty() ? u"-"_s : path)));
            QVERIFY(path != u"exportedAt" || kind != Kind::dataCorrupted ||
                    error.description().endsWith(u"\" (ISO 8601, 2025-03-01T14:05:09Z)"_s));
        }
    }

    // --- the draft, its codecs, the summaries and the read-back comparison
    // The message is chosen in the language in force when validating. Frequency | marked empty.
    void validationFailures_data() { addRows({"1455000000|no|9", "0145500000|no|9", "0|no|0", "00|yes|0"}); }
    void validationFailures() {
        QFETCH(QStringList, row);
        const auto [frequency, isEmpty, kind] = fields<3>(row);
        const MemoryDraft draft = typedDraft(memoryRecord(RadioModel::ft710),
                                             {{"frequency", frequency}, {"isEmpty", isEmpty == u"yes"}});
        QStringList made;
        for (const QString &language : {u"de"_s, u"en"_s}) {
            TestSettings::setLanguage(language);
            try {
                draft.validated();
            } catch (const RadioError &error) {
                made << error.detail();
            }
        }
        const QStringList tooLong{"Frequenz darf höchstens 9 Ziffern haben.",
                                  "Frequency may contain at most 9 digits."};
        QCOMPARE(made, kind == u"9" ? tooLong
                                    : QStringList({"Frequenz 0 ist ungültig.", "Frequency 0 is invalid."}));
    }

    // Every field is normalised; the tone kind follows the mode in the normalised flags.
    void validatedFields_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QJsonObject>("typed");
        QTest::addColumn<QJsonObject>("expected");
        const auto ft710 = RadioModel::ft710;
        const auto ft991a = RadioModel::ft991a;
        using Fields = QJsonObject;
        QTest::addRow("marked empty without digits")
            << ft991a << Fields{{"frequency", "abc"}, {"isEmpty", true},     {"shiftRaw", "-123"},
                                {"modeCode", "B"},    {"flagsRaw", "13002"}, {"toneNumberCode", "7"}}
            << RadioMemory::empty(u"001"_s, ft991a).toJson();
        QTest::addRow("frequency: separators") << ft710 << Fields{{"frequency", "145.500.000"}}
                                               << Fields{{"frequency", "145500000"}, {"isEmpty", false}};
        QTest::addRow("frequency: no digits, not marked empty")
            << ft710 << Fields{{"frequency", "MHz"}}
            << Fields{{"frequency", "0"}, {"isEmpty", true}, {"tag", "DB0XYZ"}};
        // One typed field of an FT-710 draft and its normalised form.
        const QList<std::tuple<const char *, QString, QString, QString>> fields{
            {"mode: lower-case c", "modeCode", "c", "C"},
            {"mode: a", "modeCode", "a", "A"},
            {"mode: e after another letter", "modeCode", "xe", "E"},
            {"mode: F", "modeCode", "F", "4"},
            {"mode: 12", "modeCode", "12", "1"},
            {"flags: 1", "flagsRaw", "1", "00001"},
            {"flags: seven digits", "flagsRaw", "1234567", "12345"},
            {"tag: fifteen characters", "tag", " ABCDEFGHIJKLMN", " ABCDEFGHIJK"},
            {"tag: combining accents count once", "tag", u"e\u0301"_s.repeated(7), u"e\u0301"_s.repeated(7)},
            {"frequency: leading zeros", "frequency", "007", "7"},
            {"shift: blanks and sign", "shiftRaw", " -600", "-000600"}};
        for (const auto &[name, key, typed, normalised] : fields)
            QTest::addRow("%s", name) << ft710 << Fields{{key, typed}} << Fields{{key, normalised}};
        // Typed flags and tone code of a draft and the tone kind and code they validate to.
        const QList<std::tuple<const char *, RadioModel, QString, QString, QString, QString>> tones{
            {"tone: mode off drops the code", ft991a, "10000", "012", "", "000"},
            {"tone: mode digit 7 is off", ft991a, "17000", "012", "", "000"},
            {"tone: ctcss enc pads the code", ft991a, "12000", "12", "0", "012"},
            {"tone: dcs with letters only", ft991a, "13000", "abc", "1", "000"},
            {"tone: FT-710 keeps none", ft710, "13000", "012", "", "000"}};
        for (const auto &[name, model, flags, code, kind, normalisedCode] : tones)
            QTest::addRow("%s", name)
                << model << Fields{{"flagsRaw", flags}, {"toneNumberCode", code}}
                << Fields{{"toneNumberKindRaw", kind}, {"toneNumberCode", normalisedCode}};
    }
    void validatedFields() {
        QFETCH(RadioModel, model);
        QFETCH(QJsonObject, typed);
        QFETCH(QJsonObject, expected);
        const QJsonObject validated = typedDraft(memoryRecord(model), typed).validated().toJson();
        for (auto field = expected.begin(); field != expected.end(); ++field)
            QCOMPARE(validated.value(field.key()).toVariant(), field.value().toVariant());
    }

    // Reading a shift text for writing and for the editors; composing what was read normalises it.
    void shiftTexts_data() {
        addRows({"|+000000|Simplex|", "-000000|+000000|Simplex|", "-600|-000600|-|600", "600|+000600|+|600",
                 " \t\n-600|-000600|-|600", "x-5|+000005|+|5", "-1234567|-123456|-|123456"});
    }
    void shiftTexts() {
        QFETCH(QStringList, row);
        const auto [text, normalised, direction, amount] = fields<4>(row);
        QCOMPARE(MemoryDraft::normalizeShiftRaw(text), normalised);
        QCOMPARE(rawValue(MemoryDraft::shiftDirection(text)), direction);
        QCOMPARE(MemoryDraft::shiftAmount(text), amount);
        QCOMPARE(MemoryDraft::composeShiftRaw(*shiftDirectionOptionFromRawValue(direction), amount),
                 normalised);
        QCOMPARE(MemoryDraft::composeShiftRaw(ShiftDirectionOption::simplex, u"600"_s), u"+000000"_s);
        QCOMPARE(MemoryDraft::composeShiftRaw(ShiftDirectionOption::minus, u"000"_s), u"+000000"_s);
    }

    // A draft differs exactly when validating it would change the stored channel; a frequency
    // compares by value.
    void differs() {
        const RadioMemory memory = memoryRecord(RadioModel::ft991a);
        QVERIFY(!MemoryDraft(memory).differs(memory) && MemoryDraft(memory).differs(std::nullopt));
        QVERIFY(!typedDraft(memory, {{"toneNumberKindRaw", "1"}}).differs(memory));
        QVERIFY(typedDraft(memory, {{"tag", "Other"}}).differs(memory));
        QVERIFY(typedDraft(memory, {{"frequency", "0"}}).differs(memory)); // invalid
        const RadioMemory leadingZeros = withFields(memory, {{"frequency", "007100000"}});
        QVERIFY(!MemoryDraft(leadingZeros).differs(leadingZeros));
        QVERIFY(typedDraft(leadingZeros, {{"frequency", "7100001"}}).differs(leadingZeros));
        const RadioMemory longTag = withFields(memory, {{"tag", "ABCDEFGHIJKLM"}});
        QVERIFY(MemoryDraft(longTag).differs(longTag));
        QVERIFY(!(typedDraft(memory, {{"tag", "Other"}}) == MemoryDraft(memory)));
    }

    // Numeric characters first, then places 2 and 5. Flags | tone/squelch mode | shift | composed.
    void flagsCodecs_data() {
        addRows({"10000|0|Simplex|10000", "|0|Simplex|00000", "2|0|-|00002", "1x1000|1|Simplex|11000",
                 "14003|4|Simplex|14000", "12992|2|-|12002", "130012|3|+|13001"});
    }
    void flagsCodecs() {
        QFETCH(QStringList, row);
        const auto [flags, mode, shift, composed] = fields<4>(row);
        QCOMPARE(code(MemoryDraft::ft991aToneSqlMode(flags)), mode);
        QCOMPARE(rawValue(MemoryDraft::ft991aRepeaterShiftDirection(flags)), shift);
        QCOMPARE(MemoryDraft::composeFT991Flags(flags, *ft991aToneSqlOptionFromCode(mode),
                                                *shiftDirectionOptionFromRawValue(shift)),
                 composed);
    }

    // Shift | flags | tone code | clarifier | tone line in German | in English (table by the mode).
    void draftSummaries_data() {
        addRows({"+000000|10000|008|Clarifier aus|Tonsystem aus|Tonsystem aus",
                 "|11000|008|Clarifier aus|CTCSS + SQL · 88.5 Hz|CTCSS + SQL · 88.5 Hz",
                 "abc|12000|012|Clarifier aus|CTCSS Öffnungston · 100.0 Hz|CTCSS opening tone · 100.0 Hz",
                 "-000120|13000|103|Clarifier -120|DCS + SQL · 754|DCS + SQL · 754",
                 " \t+000120\n|14000|008|Clarifier +120|DCS Öffnungston · 051|DCS opening tone · 051",
                 "+000000|11000|050|Clarifier aus|CTCSS + SQL · 050|CTCSS + SQL · 050"});
    }
    void draftSummaries() {
        QFETCH(QStringList, row);
        const auto [shift, flags, toneCode, clarifier, german, english] = fields<6>(row);
        MemoryDraft draft(u"001"_s, RadioModel::ft991a);
        draft.shiftRaw = shift;
        draft.flagsRaw = flags;
        draft.toneNumberCode = toneCode;
        draft.toneNumberKindRaw = u"0"_s;
        for (const auto &[language, tone] : {std::pair{u"de"_s, german}, std::pair{u"en"_s, english}}) {
            TestSettings::setLanguage(language);
            QCOMPARE(MemoryDraft::ft991ToneSummary(draft), tone);
            QCOMPARE(MemoryDraft::ft991ClarifierSummary(draft), clarifier);
        }
    }

    // Model | frequency | mode | shift | flags | tone code | summary in English | in German, if other.
    void recordSummary_data() {
        addRows(
            {"FT-991A||4|-000600|11002|008|Empty|Leer",
             "FT-991A|7100000|4|+000000|10000|008|7.100000 MHz · FM · Simplex|",
             "FT-710|7100000|4|+000600|10000|000|7.100000 MHz · FM · +600|",
             "FT-710|7100000|1|-000100|11002|008|7.100000 MHz · LSB · -100|",
             "FT-991A|7100000|4|-000120|11002|008|7.100000 MHz · FM · - Repeater · CTCSS SQL 88.5 Hz · "
             "Clarifier -120|",
             "FT-991A|7100000|4|+000050|14001|008|7.100000 MHz · FM · + Repeater · DCS 051 · Clarifier +50|",
             "FT-991A|7100000|4|+000000|13000|008|7.100000 MHz · FM · Simplex · DCS SQL 051|",
             "FT-991A|7100000|4|+000000|12001|8|7.100000 MHz · FM · + Repeater · CTCSS 8|",
             "FT-710|7100000|x|+000000|10000|000|7.100000 MHz · Mode x · Simplex|7.100000 MHz · Modus x · "
             "Simplex"});
    }
    void recordSummary() {
        QFETCH(QStringList, row);
        const auto [model, frequency, mode, shift, flags, toneCode, english, german] = fields<8>(row);
        const RadioMemory memory =
            memoryRecord(*radioModelFromRawValue(model), {{"frequency", frequency},
                                                          {"modeCode", mode},
                                                          {"shiftRaw", shift},
                                                          {"flagsRaw", flags},
                                                          {"toneNumberCode", toneCode}});
        TestSettings::setLanguage(u"en"_s);
        QCOMPARE(memory.summary(), english);
        TestSettings::setLanguage(u"de"_s);
        QCOMPARE(memory.summary(), german.isEmpty() ? english : german);
        QCOMPARE(memory.compactDetailSummary(), memory.summary());
        QCOMPARE(memory.ft991aToneSummary().isEmpty(), memory.radioModel == RadioModel::ft710);
    }

    // As printf's "%.6f" MHz: a point in any locale, a tie to even; no number shows as stored.
    void frequencyInMegahertz() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto shown = [](const char *frequency) {
            return memoryRecord(RadioModel::ft710, {{"frequency", frequency}}).formattedFrequency();
        };
        QCOMPARE(shown("14a079b900") + u'|' + shown("6014416479429101917") + u'|' + shown("\u0661\u0662"),
                 u"14.079900 MHz|6014416479429.101562 MHz|\u0661\u0662"_s);
    }

    // Every field in order, in the language of the moment.
    void mismatchLinesInOrder_data() {
        addRows(
            {"de|Leerstatus: erwartet belegt, gelesen leer|Frequenz: erwartet 145500000, gelesen 0|Mode: "
             "erwartet 4, gelesen 2|Shift Raw: erwartet -000600, gelesen +000600|Flags Raw: erwartet 01002, "
             "gelesen 01000|Tag: erwartet DB0XYZ, gelesen DB0 XYZ|Ton-Art: erwartet 0, gelesen |Ton-Code: "
             "erwartet 008, gelesen 000|Leerstatus: erwartet leer, gelesen belegt",
             "en|Empty state: expected occupied, read empty|Frequency: expected 145500000, read 0|Mode: "
             "expected 4, read 2|Shift raw: expected -000600, read +000600|Flags raw: expected 01002, read "
             "01000|Tag: expected DB0XYZ, read DB0 XYZ|Tone kind: expected 0, read |Tone code: expected 008, "
             "read 000|Empty state: expected empty, read occupied"});
    }
    void mismatchLinesInOrder() {
        QFETCH(QStringList, row);
        TestSettings::setLanguage(row.takeFirst());
        const RadioMemory read = memoryRecord(RadioModel::ft991a, {{"frequency", ""},
                                                                   {"shiftRaw", "+000600"},
                                                                   {"modeCode", "2"},
                                                                   {"flagsRaw", "01000"},
                                                                   {"toneNumberKindRaw", ""},
                                                                   {"toneNumberCode", "000"},
                                                                   {"tag", " DB0 XYZ "},
                                                                   {"isEmpty", true}});
        QCOMPARE(read.verificationMismatches(memoryRecord(RadioModel::ft991a)), row.first(8));
        QCOMPARE(memoryRecord(RadioModel::ft991a).verificationMismatches(read).first(), row.last());
    }

    // Frequencies by value, tags trimmed, tone fields only with an FT-991A side. Field | expected
    // model and value | read model and value | line.
    void mismatchOfOneField_data() {
        addRows({"tag|FT-991A|DB0XYZ|FT-991A|DB0XYZ|", "frequency|FT-710|145500000|FT-710|000145500000|",
                 "tag|FT-710|DB0XYZ|FT-710| DB0XYZ  |",
                 "tag|FT-710|DB0XYZ|FT-710|DB0XYZ\n|Tag: expected DB0XYZ, read DB0XYZ\n",
                 "modeCode|FT-710|C|FT-710|c|Mode: expected C, read c",
                 "toneNumberCode|FT-710|008|FT-710|023|",
                 "toneNumberCode|FT-991A|008|FT-710|023|Tone code: expected 008, read 023",
                 "toneNumberKindRaw|FT-710|0|FT-991A|1|Tone kind: expected 0, read 1"});
    }
    void mismatchOfOneField() {
        QFETCH(QStringList, row);
        const auto [field, expectedModel, expected, readModel, read, line] = fields<6>(row);
        TestSettings::setLanguage(u"en"_s);
        const RadioMemory written = memoryRecord(*radioModelFromRawValue(expectedModel), {{field, expected}});
        const RadioMemory readBack = memoryRecord(*radioModelFromRawValue(readModel), {{field, read}});
        QCOMPARE(readBack.verificationMismatches(written),
                 line.isEmpty() ? QStringList() : QStringList{line});
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(ModelTest)
#include "tst_model.moc"
