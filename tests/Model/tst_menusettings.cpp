#include "GoldenFile.h"
#include "Model/DeviceSettingDefinition.h"
#include "Model/DeviceSettingState.h"
#include "TestRows.h"

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

    // Item | reply | the value it carries, or "none" when it is no reply to the item's command.
    void parseResponse_data() {
        addRows({"026|EX026050;|050", "026|EX026;|", "026|EX0261234;|1234", "028|EX0282;|2",
                 "030102|EX0301022;|2", "026|EX026050|none", "026|?;|none", "026|EX028050;|none",
                 "026|ex026050;|none", "026|EX026050; |none", "026|EX026050;\n|none", "030101|EX0301;|none",
                 "026|EX026\u0301050;|none"});
    }
    void parseResponse() {
        QFETCH(QStringList, row);
        const auto [menu, reply, value] = fields<3>(row);
        QCOMPARE(item(menu).parseResponse(reply).value_or(u"none"_s), value);
    }

    // Numeric items: an optional "-" and exactly `digits` digits; choice items: a code or the first.
    // Normalising is idempotent, and the write command carries the normalised value.
    // Item | value | normalised.
    void normalizeForWrite_data() {
        addRows({"026||000",
                 "026|7|007",
                 "026| 42 |042",
                 "026|-5|-005",
                 "026|+5|005",
                 "026|1234|123",
                 "026|abc|000",
                 "026|-|-000",
                 "026|1-5|015",
                 "026|- 5|-005",
                 "026|\n-5|-005",
                 "026|-\u03015|005",
                 "026|\u0664\u0662|0\u0664\u0662",
                 "030101|7|007",
                 "030115|300|30",
                 "028|3|3",
                 "028|2|0",
                 "028||0",
                 "028| 1|0",
                 "030102|2|2",
                 "043|67|67",
                 "041|5|00"});
    }
    void normalizeForWrite() {
        QFETCH(QStringList, row);
        const auto [menu, value, normalised] = fields<3>(row);
        const DeviceSettingDefinition definition = item(menu);
        QCOMPARE(definition.normalizeForWrite(value), normalised);
        QCOMPARE(definition.normalizeForWrite(normalised), normalised);
        QCOMPARE(definition.writeCommand(value), u"EX"_s + menu + normalised + u';');
    }

    // An item never read is changed by any value, its first code included. Item | value |
    // original value | changed.
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
};

QTEST_GUILESS_MAIN(MenuSettingsTest)
#include "tst_menusettings.moc"
