#include "GoldenFile.h"
#include "Model/DeviceSettingDefinition.h"
#include "Model/DeviceSettingState.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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

// The menu item of either radio's table with the given id; every id the tests use is there.
DeviceSettingDefinition item(const QString &id) {
    for (const auto *table :
         {&DeviceSettingDefinition::ft710Definitions(), &DeviceSettingDefinition::ft991aDefinitions()}) {
        for (const DeviceSettingDefinition &definition : *table) {
            if (definition.id == id)
                return definition;
        }
    }
    qFatal("no menu item %s", qPrintable(id));
}

const QString beepLevel = u"ft991a.026"_s;  // numeric, 3 digits
const QString portSelect = u"ft991a.028"_s; // choice, codes "0", "1", "3"

} // namespace

// The menu items of both radios and the codec of their "EX" commands.
class MenuSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void menuTablesMatchTheirGoldenFile() {
        QStringList dumped;
        for (const auto *table :
             {&DeviceSettingDefinition::ft710Definitions(), &DeviceSettingDefinition::ft991aDefinitions()}) {
            for (const DeviceSettingDefinition &d : *table)
                dumped << QStringList{d.id,
                                      d.readCommand,
                                      d.writePrefix,
                                      d.group,
                                      d.title,
                                      QString::number(d.digits),
                                      rawValue(d.fieldKind),
                                      optionsText(d.options),
                                      d.disruptsConnection ? u"yes"_s : u"no"_s,
                                      d.help}
                              .join(u" | "_s);
        }
        for (const auto &[name, list] : sharedLists()) {
            for (const DeviceSettingOption &option : *list)
                dumped << name + u" | "_s + option.code + u' ' + option.title;
        }
        compareWithGoldenFile(u"menu-tables.txt"_s, dumped);
    }

    // An absent value (null QVariant) means the text is no reply to the item's read command.
    void parseResponse_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QVariant>("value");
        QTest::addRow("numeric value") << beepLevel << u"EX026050;"_s << QVariant(u"050"_s);
        QTest::addRow("no value is the empty value") << beepLevel << u"EX026;"_s << QVariant(u""_s);
        QTest::addRow("width not checked") << beepLevel << u"EX0261234;"_s << QVariant(u"1234"_s);
        QTest::addRow("options not checked") << portSelect << u"EX0282;"_s << QVariant(u"2"_s);
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
    // Normalising is idempotent, and the write command carries the normalised value.
    void normalizeForWrite_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("normalised");
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
        QTest::addRow("six-digit menu number") << u"ft710.030101"_s << u"7"_s << u"007"_s;
        QTest::addRow("two digits cut") << u"ft710.030115"_s << u"300"_s << u"30"_s;
        QTest::addRow("choice: a code stays") << portSelect << u"3"_s << u"3"_s;
        QTest::addRow("choice: no code gives the first") << portSelect << u"2"_s << u"0"_s;
        QTest::addRow("choice: empty gives the first") << portSelect << QString() << u"0"_s;
        QTest::addRow("choice: blank before a code") << portSelect << u" 1"_s << u"0"_s;
        QTest::addRow("choice: six-digit menu number") << u"ft710.030102"_s << u"2"_s << u"2"_s;
        QTest::addRow("choice: two-character code") << u"ft991a.043"_s << u"67"_s << u"67"_s;
        QTest::addRow("choice: one character is no code") << u"ft991a.041"_s << u"5"_s << u"00"_s;
    }
    void normalizeForWrite() {
        QFETCH(QString, id);
        QFETCH(QString, value);
        QFETCH(QString, normalised);
        const DeviceSettingDefinition definition = item(id);
        QCOMPARE(definition.normalizeForWrite(value), normalised);
        QCOMPARE(definition.normalizeForWrite(normalised), normalised);
        QCOMPARE(definition.writeCommand(value), u"EX"_s + id.section(u'.', 1) + normalised + u';');
    }

    void isDirty_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("originalValue");
        QTest::addColumn<bool>("dirty");
        QTest::addRow("both empty") << portSelect << QString() << QString() << false;
        // An item never read is changed by any value, its first code included.
        QTest::addRow("first code against empty") << portSelect << u"0"_s << QString() << true;
        QTest::addRow("missing zeros") << beepLevel << u"5"_s << u"005"_s << false;
        QTest::addRow("sign differs") << beepLevel << u"-5"_s << u"5"_s << true;
        QTest::addRow("blanks only") << beepLevel << u" 50 "_s << u"050"_s << false;
        QTest::addRow("emptied after a read") << beepLevel << QString() << u"050"_s << true;
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

    // Every field counts, texts by canonical equivalence; the hash follows equality.
    void definitionsAndStatesCompareEveryField() {
        DeviceSettingDefinition definition = item(portSelect);
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
        QVERIFY(!(state == DeviceSettingState(item(beepLevel), u"e\u0301"_s, u"\u00E9"_s)));
        QVERIFY(!(state == DeviceSettingState(definition, u"x"_s, u"\u00E9"_s)));
        QVERIFY(!(state == DeviceSettingState(definition, u"e\u0301"_s, u"x"_s)));
        QCOMPARE(state.id(), portSelect);
        QCOMPARE(DeviceSettingState(definition).value + DeviceSettingState(definition).originalValue,
                 QString());
    }
};

QTEST_GUILESS_MAIN(MenuSettingsTest)
#include "tst_menusettings.moc"
