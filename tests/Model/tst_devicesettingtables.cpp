#include "DeviceSettingLookup.h"
#include "Model/DeviceSettingDefinition.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

using Table = QList<DeviceSettingDefinition>;
using Options = QList<DeviceSettingOption>;

const Table &tableNamed(const QString &name) {
    return name == QLatin1String("FT-710") ? DeviceSettingDefinition::ft710Definitions()
                                           : DeviceSettingDefinition::ft991aDefinitions();
}

QString idPrefixOf(const QString &name) {
    return name == QLatin1String("FT-710") ? QStringLiteral("ft710.") : QStringLiteral("ft991a.");
}

QStringList menuNumbers(const Table &table, bool (*keep)(const DeviceSettingDefinition &)) {
    QStringList numbers;
    for (const DeviceSettingDefinition &definition : table) {
        if (keep(definition))
            numbers.append(definition.id.section(QLatin1Char('.'), 1));
    }
    return numbers;
}

} // namespace

class DeviceSettingTablesTest : public QObject {
    Q_OBJECT

private slots:
    void tablesHaveTheirRowCountAndUniqueIds_data();
    void tablesHaveTheirRowCountAndUniqueIds();
    void commandsFollowTheMenuNumber_data();
    void commandsFollowTheMenuNumber();
    void onlyLinkSettingsDisruptTheConnection_data();
    void onlyLinkSettingsDisruptTheConnection();
    void numericRowsHaveNoOptionsAndChoiceRowsHaveSome_data();
    void numericRowsHaveNoOptionsAndChoiceRowsHaveSome();
    void groupsInOrderOfFirstOccurrence_data();
    void groupsInOrderOfFirstOccurrence();
    void cutoffListsAreGenerated_data();
    void cutoffListsAreGenerated();
    void rowsThatNameASharedListHoldIt_data();
    void rowsThatNameASharedListHoldIt();
    void textsKeepTheirSpecialCharacters_data();
    void textsKeepTheirSpecialCharacters();
};

void DeviceSettingTablesTest::tablesHaveTheirRowCountAndUniqueIds_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("count");
    QTest::addRow("FT-710") << "FT-710" << 28;
    QTest::addRow("FT-991A") << "FT-991A" << 21;
}

void DeviceSettingTablesTest::tablesHaveTheirRowCountAndUniqueIds() {
    QFETCH(QString, model);
    QFETCH(int, count);
    const Table &table = tableNamed(model);
    QCOMPARE(table.size(), count);
    QSet<QString> ids;
    for (const DeviceSettingDefinition &definition : table)
        ids.insert(definition.id);
    QCOMPARE(ids.size(), count);
}

void DeviceSettingTablesTest::commandsFollowTheMenuNumber_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("menuDigits");
    QTest::addColumn<QString>("firstId");
    QTest::addRow("FT-710") << "FT-710" << 6 << "ft710.030101";
    QTest::addRow("FT-991A") << "FT-991A" << 3 << "ft991a.026";
}

void DeviceSettingTablesTest::commandsFollowTheMenuNumber() {
    QFETCH(QString, model);
    QFETCH(int, menuDigits);
    QFETCH(QString, firstId);
    const Table &table = tableNamed(model);
    QCOMPARE(table.first().id, firstId);
    const QRegularExpression menuNumber(QStringLiteral("^[0-9]{%1}$").arg(menuDigits));
    for (const DeviceSettingDefinition &definition : table) {
        QVERIFY2(definition.id.startsWith(idPrefixOf(model)), qPrintable(definition.id));
        const QString number = definition.id.mid(idPrefixOf(model).size());
        QVERIFY2(menuNumber.match(number).hasMatch(), qPrintable(definition.id));
        QCOMPARE(definition.readCommand, QStringLiteral("EX") + number + QStringLiteral(";"));
        QCOMPARE(definition.writePrefix, QStringLiteral("EX") + number);
    }
}

void DeviceSettingTablesTest::onlyLinkSettingsDisruptTheConnection_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("disrupting");
    QTest::addRow("FT-710") << "FT-710" << QStringList{"030103", "030105", "030106", "030107",
                                                       "030108", "030109", "030110", "030111"};
    QTest::addRow("FT-991A") << "FT-991A" << QStringList{"028", "029", "030", "031", "032", "033"};
}

void DeviceSettingTablesTest::onlyLinkSettingsDisruptTheConnection() {
    QFETCH(QString, model);
    QFETCH(QStringList, disrupting);
    QCOMPARE(
        menuNumbers(tableNamed(model), [](const DeviceSettingDefinition &d) { return d.disruptsConnection; }),
        disrupting);
}

void DeviceSettingTablesTest::numericRowsHaveNoOptionsAndChoiceRowsHaveSome_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("numeric");
    QTest::addColumn<QList<int>>("numericDigits");
    QTest::addRow("FT-710") << "FT-710" << QStringList{"030101", "030115", "030118"} << QList<int>{3, 2, 3};
    QTest::addRow("FT-991A") << "FT-991A" << QStringList{"026", "035", "036", "039", "046"}
                             << QList<int>{3, 3, 2, 3, 3};
}

void DeviceSettingTablesTest::numericRowsHaveNoOptionsAndChoiceRowsHaveSome() {
    QFETCH(QString, model);
    QFETCH(QStringList, numeric);
    QFETCH(QList<int>, numericDigits);
    const Table &table = tableNamed(model);
    QCOMPARE(menuNumbers(table,
                         [](const DeviceSettingDefinition &d) {
                             return d.fieldKind == DeviceSettingFieldKind::numeric;
                         }),
             numeric);
    QList<int> digits;
    for (const DeviceSettingDefinition &definition : table) {
        if (definition.fieldKind == DeviceSettingFieldKind::numeric) {
            QVERIFY2(definition.options.isEmpty(), qPrintable(definition.id));
            QVERIFY2(!definition.disruptsConnection, qPrintable(definition.id));
            digits.append(definition.digits);
        } else {
            QVERIFY2(!definition.options.isEmpty(), qPrintable(definition.id));
            for (const DeviceSettingOption &option : definition.options)
                QCOMPARE(option.code.size(), definition.digits);
        }
    }
    QCOMPARE(digits, numericDigits);
}

void DeviceSettingTablesTest::groupsInOrderOfFirstOccurrence_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("groups");
    QTest::addRow("FT-710") << "FT-710"
                            << QStringList{"Allgemein",       "CAT / Anschlüsse", "Speicher / Bedienung",
                                           "Betrieb",         "TX General",       "Display",
                                           "Farbindikatoren", "Externes Display"};
    QTest::addRow("FT-991A") << "FT-991A"
                             << QStringList{"Allgemein", "CAT / Schnittstelle", "Speicher / Bedienung",
                                            "Betrieb",   "Bedienung",           "Clarifier",
                                            "AM Audio"};
}

void DeviceSettingTablesTest::groupsInOrderOfFirstOccurrence() {
    QFETCH(QString, model);
    QFETCH(QStringList, groups);
    QStringList seen;
    for (const DeviceSettingDefinition &definition : tableNamed(model)) {
        if (!seen.contains(definition.group))
            seen.append(definition.group);
    }
    QCOMPARE(seen, groups);
}

void DeviceSettingTablesTest::cutoffListsAreGenerated_data() {
    QTest::addColumn<Options>("options");
    QTest::addColumn<int>("count");
    QTest::addColumn<DeviceSettingOption>("second");
    QTest::addColumn<DeviceSettingOption>("last");
    QTest::addRow("low cut") << DeviceSettingDefinition::ft991ToneLcutOptions() << 20
                             << DeviceSettingOption{"01", "100 Hz"} << DeviceSettingOption{"19", "1000 Hz"};
    QTest::addRow("high cut") << DeviceSettingDefinition::ft991ToneHcutOptions() << 68
                              << DeviceSettingOption{"01", "700 Hz"} << DeviceSettingOption{"67", "4000 Hz"};
}

void DeviceSettingTablesTest::cutoffListsAreGenerated() {
    QFETCH(Options, options);
    QFETCH(int, count);
    QFETCH(DeviceSettingOption, second);
    QFETCH(DeviceSettingOption, last);
    QCOMPARE(options.size(), count);
    QCOMPARE(options.first(), (DeviceSettingOption{"00", "Off"}));
    QCOMPARE(options.at(1), second);
    QCOMPARE(options.last(), last);
    for (qsizetype i = 1; i < options.size(); ++i)
        QCOMPARE(options.at(i).code, QString::number(i).rightJustified(2, QLatin1Char('0')));
}

void DeviceSettingTablesTest::rowsThatNameASharedListHoldIt_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<Options>("options");
    QTest::addRow("FT-710 CAT-1 RATE") << "ft710.030105" << DeviceSettingDefinition::ft710RateOptions();
    QTest::addRow("FT-710 CAT-3 TIME OUT") << "ft710.030111" << DeviceSettingDefinition::timeoutOptions();
    QTest::addRow("FT-710 EXT DISPLAY") << "ft710.040401" << DeviceSettingDefinition::onOffOptions();
    QTest::addRow("FT-710 MIC SCAN RESUME") << "ft710.030117" << DeviceSettingDefinition::pauseTimeOptions();
    QTest::addRow("FT-991A CAT RATE") << "ft991a.031" << DeviceSettingDefinition::ft991RateOptions();
    QTest::addRow("FT-991A CAT RTS") << "ft991a.033" << DeviceSettingDefinition::enableDisableOptions();
    QTest::addRow("FT-991A AM LCUT FREQ") << "ft991a.041" << DeviceSettingDefinition::ft991ToneLcutOptions();
    QTest::addRow("FT-991A AM HCUT FREQ") << "ft991a.043" << DeviceSettingDefinition::ft991ToneHcutOptions();
    QTest::addRow("FT-991A GPS/232C SELECT")
        << "ft991a.028" << Options{{"0", "GPS1"}, {"1", "GPS2"}, {"3", "RS232C"}};
}

void DeviceSettingTablesTest::rowsThatNameASharedListHoldIt() {
    QFETCH(QString, id);
    QFETCH(Options, options);
    const std::optional<DeviceSettingDefinition> row = menuItemWithId(id);
    QVERIFY(row);
    QCOMPARE(row->options, options);
}

void DeviceSettingTablesTest::textsKeepTheirSpecialCharacters_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("help");
    QTest::addColumn<QString>("lastOptionTitle");
    QTest::addRow("arrow") << "ft710.030101"
                           << "Allgemein"
                           << "BEEP LEVEL"
                           << "Operation Setting → General"
                           << "";
    QTest::addRow("umlaut group") << "ft710.030105"
                                  << "CAT / Anschlüsse"
                                  << "CAT-1 RATE"
                                  << "Operation Setting → General"
                                  << "115200 bps";
    QTest::addRow("multiplication sign") << "ft710.040402"
                                         << "Externes Display"
                                         << "PIXEL"
                                         << "EXT-MONITOR"
                                         << "800×600";
    QTest::addRow("screen saver") << "ft710.040104"
                                  << "Display"
                                  << "SCREEN SAVER"
                                  << "Display → Screen Saver"
                                  << "60 min";
    QTest::addRow("middle dot and unit") << "ft991a.035"
                                         << "Betrieb"
                                         << "QUICK SPLIT FREQ"
                                         << "Menü 035 · kHz"
                                         << "";
    QTest::addRow("middle dot and range") << "ft991a.036"
                                          << "Betrieb"
                                          << "TX TOT"
                                          << "Menü 036 · 00-30 min"
                                          << "";
    QTest::addRow("FT-991A menu") << "ft991a.047"
                                  << "AM Audio"
                                  << "AM PTT SELECT"
                                  << "Menü 047"
                                  << "DTR";
}

void DeviceSettingTablesTest::textsKeepTheirSpecialCharacters() {
    QFETCH(QString, id);
    QFETCH(QString, group);
    QFETCH(QString, title);
    QFETCH(QString, help);
    QFETCH(QString, lastOptionTitle);
    const std::optional<DeviceSettingDefinition> row = menuItemWithId(id);
    QVERIFY(row);
    QCOMPARE(row->group, group);
    QCOMPARE(row->title, title);
    QCOMPARE(row->help, help);
    QCOMPARE(row->options.isEmpty() ? QString() : row->options.last().title, lastOptionTitle);
}

QTEST_GUILESS_MAIN(DeviceSettingTablesTest)
#include "tst_devicesettingtables.moc"
