#include "Model/DeviceSettingDefinition.h"
#include "Model/DeviceSettingState.h"
#include "Model/SettingsOperationPhase.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Table = QList<DeviceSettingDefinition>;
using Options = QList<DeviceSettingOption>;

const Table &tableOf(const QString &model) {
    return model == u"FT-710" ? DeviceSettingDefinition::ft710Definitions()
                              : DeviceSettingDefinition::ft991aDefinitions();
}

// The menu item of either radio's table with the given id; every id the tests use is there.
DeviceSettingDefinition item(const QString &id) {
    for (const QString &model : {u"FT-710"_s, u"FT-991A"_s}) {
        for (const DeviceSettingDefinition &definition : tableOf(model)) {
            if (definition.id == id)
                return definition;
        }
    }
    qFatal("no menu item %s", qPrintable(id));
}

} // namespace

// The menu items of both radios and the codec of their "EX" commands.
class MenuSettingsTest : public QObject {
    Q_OBJECT

private slots:
    // --- the two tables

    // Ids, commands, menu-number widths, option widths; disrupting and numeric rows by menu number.
    void tableStructure_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("firstId");
        QTest::addColumn<QString>("disrupting");
        QTest::addColumn<QString>("numericWithDigits");
        QTest::addColumn<QString>("groups");
        QTest::addRow("FT-710") << u"FT-710"_s << 28 << u"ft710.030101"_s
                                << u"030103 030105 030106 030107 030108 030109 030110 030111"_s
                                << u"030101/3 030115/2 030118/3"_s
                                << u"Allgemein, CAT / Anschlüsse, Speicher / Bedienung, Betrieb, TX General, "
                                   "Display, Farbindikatoren, Externes Display"_s;
        QTest::addRow("FT-991A")
            << u"FT-991A"_s << 21 << u"ft991a.026"_s << u"028 029 030 031 032 033"_s
            << u"026/3 035/3 036/2 039/3 046/3"_s
            << u"Allgemein, CAT / Schnittstelle, Speicher / Bedienung, Betrieb, Bedienung, "
               "Clarifier, AM Audio"_s;
    }
    void tableStructure() {
        QFETCH(QString, model);
        QFETCH(int, count);
        QFETCH(QString, firstId);
        QFETCH(QString, disrupting);
        QFETCH(QString, numericWithDigits);
        QFETCH(QString, groups);
        const Table &table = tableOf(model);
        QCOMPARE(table.size(), count);
        QCOMPARE(table.first().id, firstId);
        const QString idPrefix = firstId.section(u'.', 0, 0) + u'.';
        const QRegularExpression menuNumber(u"^[0-9]{%1}$"_s.arg(firstId.section(u'.', 1).size()));
        QSet<QString> ids;
        QStringList seenDisrupting, seenNumeric, seenGroups;
        for (const DeviceSettingDefinition &definition : table) {
            ids.insert(definition.id);
            QVERIFY2(definition.id.startsWith(idPrefix), qPrintable(definition.id));
            const QString number = definition.id.mid(idPrefix.size());
            QVERIFY2(menuNumber.match(number).hasMatch(), qPrintable(definition.id));
            QCOMPARE(definition.readCommand, u"EX"_s + number + u';');
            QCOMPARE(definition.writePrefix, u"EX"_s + number);
            if (definition.disruptsConnection)
                seenDisrupting << number;
            if (!seenGroups.contains(definition.group))
                seenGroups << definition.group;
            if (definition.fieldKind == DeviceSettingFieldKind::numeric) {
                QVERIFY2(definition.options.isEmpty(), qPrintable(definition.id));
                seenNumeric << number + u'/' + QString::number(definition.digits);
            } else {
                QVERIFY2(!definition.options.isEmpty(), qPrintable(definition.id));
                for (const DeviceSettingOption &option : definition.options)
                    QCOMPARE(option.code.size(), definition.digits);
            }
        }
        QCOMPARE(ids.size(), count);
        QCOMPARE(seenDisrupting.join(u' '), disrupting);
        QCOMPARE(seenNumeric.join(u' '), numericWithDigits);
        QCOMPARE(seenGroups.join(u", "), groups);
    }

    // The two generated cut-off lists: "Off", then gapless two-digit codes.
    void cutoffLists() {
        const Options &low = DeviceSettingDefinition::ft991ToneLcutOptions();
        const Options &high = DeviceSettingDefinition::ft991ToneHcutOptions();
        QCOMPARE(low.size(), 20);
        QCOMPARE(high.size(), 68);
        for (const Options *options : {&low, &high}) {
            QCOMPARE(options->first(), (DeviceSettingOption{u"00"_s, u"Off"_s}));
            for (qsizetype i = 0; i < options->size(); ++i)
                QCOMPARE(options->at(i).code, QString::number(i).rightJustified(2, u'0'));
        }
        QCOMPARE(low.at(1).title, u"100 Hz"_s);
        QCOMPARE(low.last().title, u"1000 Hz"_s);
        QCOMPARE(high.at(1).title, u"700 Hz"_s);
        QCOMPARE(high.last().title, u"4000 Hz"_s);
    }

    // A few exact rows: the first, one with a gap in its codes, one with special characters.
    void exactRows_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("help");
        QTest::addColumn<Options>("options");
        QTest::addRow("arrow, numeric") << u"ft710.030101"_s << u"Allgemein"_s << u"BEEP LEVEL"_s
                                        << u"Operation Setting → General"_s << Options{};
        QTest::addRow("multiplication sign")
            << u"ft710.040402"_s << u"Externes Display"_s << u"PIXEL"_s << u"EXT-MONITOR"_s
            << Options{{u"0"_s, u"800×480"_s}, {u"1"_s, u"800×600"_s}};
        QTest::addRow("codes with a gap")
            << u"ft991a.028"_s << u"CAT / Schnittstelle"_s << u"GPS/232C SELECT"_s << u"Menü 028"_s
            << Options{{u"0"_s, u"GPS1"_s}, {u"1"_s, u"GPS2"_s}, {u"3"_s, u"RS232C"_s}};
    }
    void exactRows() {
        QFETCH(QString, id);
        QFETCH(QString, group);
        QFETCH(QString, title);
        QFETCH(QString, help);
        QFETCH(Options, options);
        const DeviceSettingDefinition row = item(id);
        QCOMPARE(row.group, group);
        QCOMPARE(row.title, title);
        QCOMPARE(row.help, help);
        QCOMPARE(row.options, options);
    }

    // --- the codec

    // An absent value (null QVariant) means the text is no reply to the item's read command.
    void parseResponse_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QVariant>("value");
        const QString beepLevel = u"ft991a.026"_s;
        QTest::addRow("numeric value") << beepLevel << u"EX026050;"_s << QVariant(u"050"_s);
        QTest::addRow("no value is the empty value") << beepLevel << u"EX026;"_s << QVariant(u""_s);
        QTest::addRow("width not checked") << beepLevel << u"EX0261234;"_s << QVariant(u"1234"_s);
        QTest::addRow("options not checked") << u"ft991a.028"_s << u"EX0282;"_s << QVariant(u"2"_s);
        QTest::addRow("six-digit menu number") << u"ft710.030102"_s << u"EX0301022;"_s << QVariant(u"2"_s);
        QTest::addRow("no final semicolon") << beepLevel << u"EX026050"_s << QVariant();
        QTest::addRow("rejection") << beepLevel << u"?;"_s << QVariant();
        QTest::addRow("another menu number") << beepLevel << u"EX028050;"_s << QVariant();
        QTest::addRow("lower case") << beepLevel << u"ex026050;"_s << QVariant();
        QTest::addRow("blank after semicolon") << beepLevel << u"EX026050; "_s << QVariant();
        QTest::addRow("line break after semicolon") << beepLevel << u"EX026050;\n"_s << QVariant();
        QTest::addRow("shorter menu number") << u"ft710.030101"_s << u"EX0301;"_s << QVariant();
        QTest::addRow("combining mark on the last menu digit")
            << beepLevel << u"EX026\u0301050;"_s << QVariant();
    }
    void parseResponse() {
        QFETCH(QString, id);
        QFETCH(QString, reply);
        QFETCH(QVariant, value);
        const std::optional<QString> parsed = item(id).parseResponse(reply);
        QCOMPARE(parsed.has_value(), value.isValid());
        if (parsed)
            QCOMPARE(*parsed, value.toString());
    }

    // Numeric items: an optional "-" and exactly `digits` digits; choice items: a code or the first.
    void normalizeForWrite_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("normalised");
        const QString beepLevel = u"ft991a.026"_s;
        QTest::addRow("empty") << beepLevel << QString() << u"000"_s;
        QTest::addRow("one digit") << beepLevel << u"7"_s << u"007"_s;
        QTest::addRow("blanks around") << beepLevel << u" 42 "_s << u"042"_s;
        QTest::addRow("negative") << beepLevel << u"-5"_s << u"-005"_s;
        QTest::addRow("plus gives no sign") << beepLevel << u"+5"_s << u"005"_s;
        QTest::addRow("too long keeps the leading digits") << beepLevel << u"1234"_s << u"123"_s;
        QTest::addRow("letters alone") << beepLevel << u"abc"_s << u"000"_s;
        QTest::addRow("minus alone") << beepLevel << u"-"_s << u"-000"_s;
        QTest::addRow("minus not first") << beepLevel << u"1-5"_s << u"015"_s;
        QTest::addRow("minus, blank, digit") << beepLevel << u"- 5"_s << u"-005"_s;
        QTest::addRow("line break before minus") << beepLevel << u"\n-5"_s << u"-005"_s;
        QTest::addRow("minus with a combining mark is no sign") << beepLevel << u"-\u03015"_s << u"005"_s;
        QTest::addRow("digits of another script count")
            << beepLevel << u"\u0664\u0662"_s << u"0\u0664\u0662"_s;
        QTest::addRow("two digits cut") << u"ft710.030115"_s << u"300"_s << u"30"_s;
        QTest::addRow("choice: a code stays") << u"ft991a.028"_s << u"1"_s << u"1"_s;
        QTest::addRow("choice: no code gives the first") << u"ft991a.028"_s << u"2"_s << u"0"_s;
        QTest::addRow("choice: empty gives the first") << u"ft991a.028"_s << QString() << u"0"_s;
        QTest::addRow("choice: blank before a code") << u"ft991a.028"_s << u" 1"_s << u"0"_s;
        QTest::addRow("choice: two-character code") << u"ft991a.041"_s << u"19"_s << u"19"_s;
        QTest::addRow("choice: one character is no code") << u"ft991a.041"_s << u"5"_s << u"00"_s;
    }
    void normalizeForWrite() {
        QFETCH(QString, id);
        QFETCH(QString, value);
        QFETCH(QString, normalised);
        const DeviceSettingDefinition definition = item(id);
        QCOMPARE(definition.normalizeForWrite(value), normalised);
        QCOMPARE(definition.normalizeForWrite(normalised), normalised);
    }

    void writeCommand_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("command");
        QTest::addRow("negative numeric") << u"ft991a.026"_s << u"-5"_s << u"EX026-005;"_s;
        QTest::addRow("numeric padded") << u"ft991a.026"_s << u"50"_s << u"EX026050;"_s;
        QTest::addRow("six-digit numeric") << u"ft710.030101"_s << u"7"_s << u"EX030101007;"_s;
        QTest::addRow("six-digit choice") << u"ft710.030102"_s << u"2"_s << u"EX0301022;"_s;
        QTest::addRow("no code sends the first") << u"ft991a.028"_s << u"2"_s << u"EX0280;"_s;
        QTest::addRow("a code is sent") << u"ft991a.028"_s << u"3"_s << u"EX0283;"_s;
        QTest::addRow("two-character code") << u"ft991a.043"_s << u"67"_s << u"EX04367;"_s;
    }
    void writeCommand() {
        QFETCH(QString, id);
        QFETCH(QString, value);
        QFETCH(QString, command);
        QCOMPARE(item(id).writeCommand(value), command);
    }

    void isDirty_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("originalValue");
        QTest::addColumn<bool>("dirty");
        QTest::addRow("both empty") << u"ft991a.028"_s << QString() << QString() << false;
        // An item never read is changed by any value, its first code included.
        QTest::addRow("first code against empty") << u"ft991a.028"_s << u"0"_s << QString() << true;
        QTest::addRow("second code against empty") << u"ft991a.028"_s << u"1"_s << QString() << true;
        QTest::addRow("missing zeros") << u"ft991a.026"_s << u"5"_s << u"005"_s << false;
        QTest::addRow("sign differs") << u"ft991a.026"_s << u"-5"_s << u"5"_s << true;
        QTest::addRow("blanks only") << u"ft991a.026"_s << u" 50 "_s << u"050"_s << false;
        QTest::addRow("first code against unknown read") << u"ft991a.034"_s << u"0"_s << u"5"_s << false;
        QTest::addRow("second code against unknown read") << u"ft991a.034"_s << u"1"_s << u"5"_s << true;
    }
    void isDirty() {
        QFETCH(QString, id);
        QFETCH(QString, value);
        QFETCH(QString, originalValue);
        QFETCH(bool, dirty);
        QCOMPARE(DeviceSettingState(item(id), value, originalValue).isDirty(), dirty);
    }

    void stateStartsEmptyWithTheItemsId() {
        const DeviceSettingState state(item(u"ft991a.026"_s));
        QCOMPARE(state.id(), u"ft991a.026"_s);
        QCOMPARE(state.value, QString());
        QCOMPARE(state.originalValue, QString());
        QVERIFY(!state.isDirty());
    }

    // Codes, option titles, items and states compare and hash by canonical equivalence.
    void canonicalEquivalence() {
        const QString precomposed = u"\u00E9"_s;
        const QString decomposed = u"e\u0301"_s;
        DeviceSettingDefinition definition = item(u"ft991a.034"_s);
        definition.options = {{u"x"_s, u"X"_s}, {precomposed, precomposed}};
        DeviceSettingDefinition sameDefinition = definition;
        sameDefinition.options = {{u"x"_s, u"X"_s}, {decomposed, decomposed}};
        definition.help += precomposed;
        sameDefinition.help += decomposed;
        QVERIFY(definition == sameDefinition);
        QCOMPARE(qHash(definition), qHash(sameDefinition));
        QCOMPARE(qHash(definition.options.last()), qHash(sameDefinition.options.last()));
        QCOMPARE(definition.normalizeForWrite(decomposed), decomposed);
        QVERIFY(!DeviceSettingState(definition, decomposed, precomposed).isDirty());
        QVERIFY(!DeviceSettingState(definition, precomposed, decomposed).isDirty());
        QVERIFY(DeviceSettingState(definition, u"x"_s, decomposed).isDirty());
        const DeviceSettingState state(definition, precomposed, decomposed);
        const DeviceSettingState sameState(sameDefinition, decomposed, precomposed);
        QVERIFY(state == sameState);
        QCOMPARE(qHash(state), qHash(sameState));
        QVERIFY(!(state == DeviceSettingState(definition, precomposed, u"e"_s)));
    }

    void rawValues_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<bool>("isPhase");
        QTest::addColumn<bool>("isKind");
        QTest::addRow("idle") << u"idle"_s << true << false;
        QTest::addRow("writing") << u"writing"_s << true << false;
        QTest::addRow("choice") << u"choice"_s << false << true;
        QTest::addRow("numeric") << u"numeric"_s << false << true;
        QTest::addRow("upper case") << u"Idle"_s << false << false;
    }
    void rawValues() {
        QFETCH(QString, raw);
        QFETCH(bool, isPhase);
        QFETCH(bool, isKind);
        const std::optional<SettingsOperationPhase> phase = settingsOperationPhaseFromRawValue(raw);
        const std::optional<DeviceSettingFieldKind> kind = deviceSettingFieldKindFromRawValue(raw);
        QCOMPARE(phase.has_value(), isPhase);
        QCOMPARE(kind.has_value(), isKind);
        if (phase)
            QCOMPARE(rawValue(*phase), raw);
        if (kind)
            QCOMPARE(rawValue(*kind), raw);
    }
};

QTEST_GUILESS_MAIN(MenuSettingsTest)
#include "tst_menusettings.moc"
