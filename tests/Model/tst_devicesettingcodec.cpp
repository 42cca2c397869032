#include "DeviceSettingLookup.h"
#include "Model/DeviceSettingDefinition.h"
#include "Model/DeviceSettingState.h"
#include "Model/SettingsOperationPhase.h"

#include <QTest>

namespace {

// Every id these tests use is in a table.
DeviceSettingDefinition definitionWithId(const QString &id) {
    return menuItemWithId(id).value();
}

// FT-991A "BEEP LEVEL": numeric, three digits.
DeviceSettingDefinition beepLevel() {
    return definitionWithId(QStringLiteral("ft991a.026"));
}

} // namespace

class DeviceSettingCodecTest : public QObject {
    Q_OBJECT

private slots:
    void readCommandIsSentUnchanged_data();
    void readCommandIsSentUnchanged();
    void parseResponseReturnsTheValueOfItsOwnReply_data();
    void parseResponseReturnsTheValueOfItsOwnReply();
    void parseResponseRefusesOtherReplies_data();
    void parseResponseRefusesOtherReplies();
    void numericValuesNormaliseToSignAndFixedDigits_data();
    void numericValuesNormaliseToSignAndFixedDigits();
    void choiceValuesNormaliseToAnOptionCode_data();
    void choiceValuesNormaliseToAnOptionCode();
    void normalisingTwiceChangesNothing_data();
    void normalisingTwiceChangesNothing();
    void writeCommandCarriesTheNormalisedValue_data();
    void writeCommandCarriesTheNormalisedValue();
    void isDirtyComparesNormalisedValues_data();
    void isDirtyComparesNormalisedValues();
    void stateStartsEmptyWithTheItemsId();
    void choiceCodesCompareByCanonicalEquivalence_data();
    void choiceCodesCompareByCanonicalEquivalence();
    void valuesCompareAndHashByCanonicalEquivalence();
    void rawValuesConvertBothWays_data();
    void rawValuesConvertBothWays();
};

void DeviceSettingCodecTest::readCommandIsSentUnchanged_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("readCommand");
    QTest::addColumn<QString>("writePrefix");
    QTest::addRow("six-digit menu number") << "ft710.030101"
                                           << "EX030101;"
                                           << "EX030101";
    QTest::addRow("three-digit menu number") << "ft991a.026"
                                             << "EX026;"
                                             << "EX026";
}

void DeviceSettingCodecTest::readCommandIsSentUnchanged() {
    QFETCH(QString, id);
    QFETCH(QString, readCommand);
    QFETCH(QString, writePrefix);
    const DeviceSettingDefinition definition = definitionWithId(id);
    QCOMPARE(definition.readCommand, readCommand);
    QCOMPARE(definition.writePrefix, writePrefix);
}

void DeviceSettingCodecTest::parseResponseReturnsTheValueOfItsOwnReply_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("value");
    QTest::addRow("numeric value") << "ft991a.026"
                                   << "EX026050;"
                                   << "050";
    QTest::addRow("no value is the empty value") << "ft991a.026"
                                                 << "EX026;"
                                                 << "";
    QTest::addRow("negative value") << "ft991a.039"
                                    << "EX039-005;"
                                    << "-005";
    QTest::addRow("value not checked against width") << "ft991a.026"
                                                     << "EX0261234;"
                                                     << "1234";
    QTest::addRow("value not checked against options") << "ft991a.028"
                                                       << "EX0282;"
                                                       << "2";
    QTest::addRow("six-digit menu number") << "ft710.030102"
                                           << "EX0301022;"
                                           << "2";
    QTest::addRow("two-character code") << "ft991a.043"
                                        << "EX04367;"
                                        << "67";
}

void DeviceSettingCodecTest::parseResponseReturnsTheValueOfItsOwnReply() {
    QFETCH(QString, id);
    QFETCH(QString, reply);
    QFETCH(QString, value);
    const std::optional<QString> parsed = definitionWithId(id).parseResponse(reply);
    QVERIFY(parsed.has_value());
    QCOMPARE(*parsed, value);
}

void DeviceSettingCodecTest::parseResponseRefusesOtherReplies_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("reply");
    QTest::addRow("no final semicolon") << "ft991a.026"
                                        << "EX026050";
    QTest::addRow("rejection") << "ft991a.026"
                               << "?;";
    QTest::addRow("another menu number") << "ft991a.026"
                                         << "EX028050;";
    QTest::addRow("lower case") << "ft991a.026"
                                << "ex026050;";
    QTest::addRow("blank after semicolon") << "ft991a.026"
                                           << "EX026050; ";
    QTest::addRow("line break after semicolon") << "ft991a.026"
                                                << "EX026050;\n";
    QTest::addRow("blank before the reply") << "ft991a.026"
                                            << " EX026050;";
    QTest::addRow("empty reply") << "ft991a.026"
                                 << "";
    QTest::addRow("prefix alone") << "ft991a.026"
                                  << "EX026";
    QTest::addRow("shorter menu number") << "ft710.030101"
                                         << "EX0301;";
    QTest::addRow("combining mark on the last menu digit") << "ft991a.026"
                                                           << "EX026\u0301050;";
}

void DeviceSettingCodecTest::parseResponseRefusesOtherReplies() {
    QFETCH(QString, id);
    QFETCH(QString, reply);
    QCOMPARE(definitionWithId(id).parseResponse(reply), std::nullopt);
}

void DeviceSettingCodecTest::numericValuesNormaliseToSignAndFixedDigits_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("normalised");
    QTest::addRow("empty") << "ft991a.026"
                           << ""
                           << "000";
    QTest::addRow("one digit") << "ft991a.026"
                               << "7"
                               << "007";
    QTest::addRow("blanks around") << "ft991a.026"
                                   << " 42 "
                                   << "042";
    QTest::addRow("negative") << "ft991a.026"
                              << "-5"
                              << "-005";
    QTest::addRow("plus gives no sign") << "ft991a.026"
                                        << "+5"
                                        << "005";
    QTest::addRow("too long keeps the leading digits") << "ft991a.026"
                                                       << "1234"
                                                       << "123";
    QTest::addRow("letters alone") << "ft991a.026"
                                   << "abc"
                                   << "000";
    QTest::addRow("minus alone") << "ft991a.026"
                                 << "-"
                                 << "-000";
    QTest::addRow("minus not first") << "ft991a.026"
                                     << "1-5"
                                     << "015";
    QTest::addRow("minus, blank, digit") << "ft991a.026"
                                         << "- 5"
                                         << "-005";
    QTest::addRow("blank before minus") << "ft991a.026"
                                        << " -5"
                                        << "-005";
    QTest::addRow("line break before minus") << "ft991a.026"
                                             << "\n-5"
                                             << "-005";
    QTest::addRow("minus with a combining mark is no sign") << "ft991a.026"
                                                            << "-\u03015"
                                                            << "005";
    QTest::addRow("digits of another script count") << "ft991a.026"
                                                    << "\u0664\u0662"
                                                    << "0\u0664\u0662";
    QTest::addRow("decimal point dropped") << "ft991a.026"
                                           << "1.5"
                                           << "015";
    QTest::addRow("no range beyond width") << "ft991a.026"
                                           << "999"
                                           << "999";
    QTest::addRow("two digits") << "ft991a.036"
                                << "5"
                                << "05";
    QTest::addRow("two digits cut") << "ft710.030115"
                                    << "300"
                                    << "30";
}

void DeviceSettingCodecTest::numericValuesNormaliseToSignAndFixedDigits() {
    QFETCH(QString, id);
    QFETCH(QString, value);
    QFETCH(QString, normalised);
    QCOMPARE(definitionWithId(id).normalizeForWrite(value), normalised);
}

void DeviceSettingCodecTest::choiceValuesNormaliseToAnOptionCode_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("normalised");
    QTest::addRow("a code stays") << "ft991a.028"
                                  << "1"
                                  << "1";
    QTest::addRow("last code stays") << "ft991a.028"
                                     << "3"
                                     << "3";
    QTest::addRow("no code gives the first") << "ft991a.028"
                                             << "2"
                                             << "0";
    QTest::addRow("empty gives the first") << "ft991a.028"
                                           << ""
                                           << "0";
    QTest::addRow("blank before a code is no code") << "ft991a.028"
                                                    << " 1"
                                                    << "0";
    QTest::addRow("two-character code stays") << "ft991a.041"
                                              << "19"
                                              << "19";
    QTest::addRow("one character is no two-character code") << "ft991a.041"
                                                            << "5"
                                                            << "00";
}

void DeviceSettingCodecTest::choiceValuesNormaliseToAnOptionCode() {
    QFETCH(QString, id);
    QFETCH(QString, value);
    QFETCH(QString, normalised);
    QCOMPARE(definitionWithId(id).normalizeForWrite(value), normalised);
}

void DeviceSettingCodecTest::normalisingTwiceChangesNothing_data() {
    numericValuesNormaliseToSignAndFixedDigits_data();
}

void DeviceSettingCodecTest::normalisingTwiceChangesNothing() {
    QFETCH(QString, id);
    QFETCH(QString, normalised);
    QCOMPARE(definitionWithId(id).normalizeForWrite(normalised), normalised);
}

void DeviceSettingCodecTest::writeCommandCarriesTheNormalisedValue_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("command");
    QTest::addRow("negative numeric") << "ft991a.026"
                                      << "-5"
                                      << "EX026-005;";
    QTest::addRow("numeric padded") << "ft991a.026"
                                    << "50"
                                    << "EX026050;";
    QTest::addRow("six-digit numeric") << "ft710.030101"
                                       << "7"
                                       << "EX030101007;";
    QTest::addRow("six-digit choice") << "ft710.030102"
                                      << "2"
                                      << "EX0301022;";
    QTest::addRow("no code sends the first") << "ft991a.028"
                                             << "2"
                                             << "EX0280;";
    QTest::addRow("a code is sent") << "ft991a.028"
                                    << "3"
                                    << "EX0283;";
    QTest::addRow("two-character code") << "ft991a.043"
                                        << "67"
                                        << "EX04367;";
}

void DeviceSettingCodecTest::writeCommandCarriesTheNormalisedValue() {
    QFETCH(QString, id);
    QFETCH(QString, value);
    QFETCH(QString, command);
    QCOMPARE(definitionWithId(id).writeCommand(value), command);
}

void DeviceSettingCodecTest::isDirtyComparesNormalisedValues_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("originalValue");
    QTest::addColumn<bool>("dirty");
    QTest::addRow("both empty") << "ft991a.028"
                                << ""
                                << "" << false;
    QTest::addRow("first code against empty") << "ft991a.028"
                                              << "0"
                                              << "" << false;
    QTest::addRow("second code against empty") << "ft991a.028"
                                               << "1"
                                               << "" << true;
    QTest::addRow("missing zeros") << "ft991a.026"
                                   << "5"
                                   << "005" << false;
    QTest::addRow("sign differs") << "ft991a.026"
                                  << "-5"
                                  << "5" << true;
    QTest::addRow("blanks only") << "ft991a.026"
                                 << " 50 "
                                 << "050" << false;
    QTest::addRow("first code against unknown read") << "ft991a.034"
                                                     << "0"
                                                     << "5" << false;
    QTest::addRow("second code against unknown read") << "ft991a.034"
                                                      << "1"
                                                      << "5" << true;
}

void DeviceSettingCodecTest::isDirtyComparesNormalisedValues() {
    QFETCH(QString, id);
    QFETCH(QString, value);
    QFETCH(QString, originalValue);
    QFETCH(bool, dirty);
    QCOMPARE(DeviceSettingState(definitionWithId(id), value, originalValue).isDirty(), dirty);
}

void DeviceSettingCodecTest::stateStartsEmptyWithTheItemsId() {
    const DeviceSettingState state(beepLevel());
    QCOMPARE(state.id(), QStringLiteral("ft991a.026"));
    QCOMPARE(state.value, QString());
    QCOMPARE(state.originalValue, QString());
    QVERIFY(!state.isDirty());
}

void DeviceSettingCodecTest::choiceCodesCompareByCanonicalEquivalence_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("originalValue");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<bool>("dirty");
    QTest::addRow("decomposed form of a code") << "e\u0301"
                                               << "\u00E9"
                                               << "e\u0301" << false;
    QTest::addRow("precomposed form of a code") << "\u00E9"
                                                << "e\u0301"
                                                << "\u00E9" << false;
    QTest::addRow("the other code") << "x"
                                    << "e\u0301"
                                    << "x" << true;
}

void DeviceSettingCodecTest::choiceCodesCompareByCanonicalEquivalence() {
    QFETCH(QString, value);
    QFETCH(QString, originalValue);
    QFETCH(QString, normalised);
    QFETCH(bool, dirty);
    DeviceSettingDefinition definition = definitionWithId(QStringLiteral("ft991a.034"));
    definition.options = {{QStringLiteral("x"), QStringLiteral("X")},
                          {QStringLiteral("\u00E9"), QStringLiteral("E")}};
    QCOMPARE(definition.normalizeForWrite(value), normalised);
    QCOMPARE(DeviceSettingState(definition, value, originalValue).isDirty(), dirty);
}

void DeviceSettingCodecTest::valuesCompareAndHashByCanonicalEquivalence() {
    const QString precomposed = QStringLiteral("Caf\u00E9");
    const QString decomposed = QStringLiteral("Cafe\u0301");

    const DeviceSettingOption option{QStringLiteral("1"), precomposed};
    const DeviceSettingOption sameOption{QStringLiteral("1"), decomposed};
    QVERIFY(option == sameOption);
    QCOMPARE(qHash(option), qHash(sameOption));

    DeviceSettingDefinition definition = beepLevel();
    DeviceSettingDefinition sameDefinition = beepLevel();
    definition.help = precomposed;
    sameDefinition.help = decomposed;
    definition.options = {option};
    sameDefinition.options = {sameOption};
    QVERIFY(definition == sameDefinition);
    QCOMPARE(qHash(definition), qHash(sameDefinition));

    const DeviceSettingState state(definition, precomposed, decomposed);
    const DeviceSettingState sameState(sameDefinition, decomposed, precomposed);
    QVERIFY(state == sameState);
    QCOMPARE(qHash(state), qHash(sameState));
    QVERIFY(!(state == DeviceSettingState(definition, precomposed, QStringLiteral("Cafe"))));
}

void DeviceSettingCodecTest::rawValuesConvertBothWays_data() {
    QTest::addColumn<QString>("raw");
    QTest::addColumn<bool>("isPhase");
    QTest::addColumn<bool>("isKind");
    QTest::addRow("idle") << "idle" << true << false;
    QTest::addRow("reading") << "reading" << true << false;
    QTest::addRow("writing") << "writing" << true << false;
    QTest::addRow("choice") << "choice" << false << true;
    QTest::addRow("numeric") << "numeric" << false << true;
    QTest::addRow("upper case") << "Idle" << false << false;
    QTest::addRow("trailing blank") << "choice " << false << false;
    QTest::addRow("empty") << "" << false << false;
}

void DeviceSettingCodecTest::rawValuesConvertBothWays() {
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

QTEST_GUILESS_MAIN(DeviceSettingCodecTest)
#include "tst_devicesettingcodec.moc"
