#include "GoldenFile.h"
#include "Localization/L.h"
#include "Model/DeviceSettingFieldKind.h"
#include "Model/MemoryDraft.h"
#include "Model/RadioError.h"
#include "Model/SettingsOperationPhase.h"
#include "TestRows.h"
#include "TestSettings.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString yesNo(bool value) {
    return value ? u"yes"_s : u"no"_s;
}

QString shown(const QString &text) {
    return text.isEmpty() ? u"\"\""_s : text;
}

// The raw value of the case a text finds, or "none".
template <typename Found> QString found(const Found &value) {
    return value ? rawValue(*value) : u"none"_s;
}

} // namespace

// The closed vocabularies of radio work: models, modes, directions, errors, the FT-991A tones.
class RadioTypesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }
    void cleanup() { L::setPreferredLanguagesSource({}); }

    // Every case of every vocabulary with its columns, in declaration order; titles in German.
    void vocabulariesMatchTheirGoldenFile() {
        TestSettings::setLanguage(u"de"_s);
        QStringList dumped;
        for (RadioModel model : allRadioModels()) {
            QStringList modes;
            for (RadioModeOption mode : supportedModes(model))
                modes << code(mode);
            const ChannelRange range = memoryRange(model);
            dumped << u"model | %1 | channels %2-%3 | modes %4"_s.arg(rawValue(model))
                          .arg(range.lowerBound)
                          .arg(range.upperBound)
                          .arg(modes.join(u' '));
        }
        for (RadioModeOption mode : allRadioModeOptions())
            dumped << u"mode | "_s + code(mode) + u" | "_s + title(mode);
        for (ShiftDirectionOption direction : allShiftDirectionOptions())
            dumped << u"shift direction | "_s + rawValue(direction);
        const QString detail = u"DETAIL"_s;
        const QList<std::pair<const char *, RadioError>> errors{
            {"portOpenFailed", RadioError::portOpenFailed(detail)},
            {"portWriteFailed", RadioError::portWriteFailed(detail)},
            {"timeout", RadioError::timeout(detail)},
            {"rejected", RadioError::rejected(detail)},
            {"invalidResponse", RadioError::invalidResponse(detail)},
            {"invalidMemory", RadioError::invalidMemory(detail)},
            {"notConnected", RadioError::notConnected()},
            {"busy", RadioError::busy()}};
        for (const auto &[name, error] : errors) {
            const QString german = error.errorDescription();
            TestSettings::setLanguage(u"en"_s);
            dumped << u"error | %1 | %2 | %3"_s.arg(QLatin1String(name), german, error.errorDescription());
            TestSettings::setLanguage(u"de"_s);
        }
        for (FT991AToneSqlOption mode : allFT991AToneSqlOptions())
            dumped << u"tone/squelch mode | %1 | %2 | system %3 | opening tone %4 | squelch decode %5 | "
                      "number kind %6 | default code %7"_s.arg(
                          code(mode), title(mode), rawValue(toneSystem(mode)),
                          yesNo(openingToneEnabled(mode)), yesNo(squelchDecodeEnabled(mode)),
                          shown(rawValue(numberKind(mode))), MemoryDraft::defaultToneCode(mode));
        for (FT991AToneNumberKind kind :
             {FT991AToneNumberKind::none, FT991AToneNumberKind::ctcss, FT991AToneNumberKind::dcs})
            dumped << u"tone number kind | "_s + shown(rawValue(kind)) + u" | command code "_s +
                          shown(commandCode(kind));
        for (FT991AToneSystem system : allFT991AToneSystems())
            dumped << u"tone system | "_s + rawValue(system) + u" | "_s + title(system);
        for (SettingsOperationPhase phase :
             {SettingsOperationPhase::idle, SettingsOperationPhase::reading, SettingsOperationPhase::writing})
            dumped << u"settings phase | "_s + rawValue(phase);
        for (DeviceSettingFieldKind kind : {DeviceSettingFieldKind::choice, DeviceSettingFieldKind::numeric})
            dumped << u"field kind | "_s + rawValue(kind);
        for (FT991AToneSystem system : allFT991AToneSystems()) {
            for (bool openingTone : {false, true}) {
                for (bool squelchDecode : {false, true})
                    dumped << u"compose | %1 | opening tone %2 | squelch decode %3 | %4"_s.arg(
                        rawValue(system), yesNo(openingTone), yesNo(squelchDecode),
                        code(composeFT991AToneSqlOption(system, openingTone, squelchDecode)));
            }
        }
        compareWithGoldenFile(u"radio-vocabulary.txt"_s, dumped);
    }

    // A raw value finds its case only by exact match; a mode code is upper-cased first.
    void lookupsAreExact_data() {
        addRows({"model|FT-991A|FT-991A",
                 "model|ft-710|none",
                 "model|FT-710 |none",
                 "model||none",
                 "mode|A|A",
                 "mode|a|none",
                 "mode code|a|A",
                 "mode code|e|E",
                 "mode code|0|none",
                 "mode code|F|none",
                 "mode code|AB|none",
                 "mode code||none",
                 "tone/squelch|3|3",
                 "tone/squelch|5|none",
                 "tone/squelch| 1|none",
                 "tone/squelch|01|none",
                 "tone/squelch||none",
                 "tone kind||",
                 "tone kind|1|1",
                 "tone kind|2|none",
                 "tone kind|00|none",
                 "tone system|dcs|dcs",
                 "tone system|CTCSS|none",
                 "shift|-|-",
                 "shift|simplex|none",
                 "phase|writing|writing",
                 "phase|Idle|none",
                 "field kind|numeric|numeric",
                 "field kind|choices|none"});
    }
    void lookupsAreExact() {
        QFETCH(QStringList, row);
        const auto [vocabulary, text, found] = fields<3>(row);
        const QHash<QString, std::function<QString(const QString &)>> lookUp{
            {u"model"_s, [](const QString &t) { return ::found(radioModelFromRawValue(t)); }},
            {u"mode"_s, [](const QString &t) { return ::found(radioModeOptionFromRawValue(t)); }},
            {u"mode code"_s, [](const QString &t) { return ::found(radioModeOptionFromCode(t)); }},
            {u"tone/squelch"_s, [](const QString &t) { return ::found(ft991aToneSqlOptionFromCode(t)); }},
            {u"tone kind"_s, [](const QString &t) { return ::found(ft991aToneNumberKindFromRawValue(t)); }},
            {u"tone system"_s, [](const QString &t) { return ::found(ft991aToneSystemFromRawValue(t)); }},
            {u"shift"_s, [](const QString &t) { return ::found(shiftDirectionOptionFromRawValue(t)); }},
            {u"phase"_s, [](const QString &t) { return ::found(settingsOperationPhaseFromRawValue(t)); }},
            {u"field kind"_s,
             [](const QString &t) { return ::found(deviceSettingFieldKindFromRawValue(t)); }}};
        QCOMPARE(lookUp.value(vocabulary)(text), found);
    }

    // An error's text follows the language in force when it is asked for, not when it was made;
    // the operating system's French is English.
    void errorTextFollowsTheLanguageOfTheMoment() {
        TestSettings::setLanguage(u"en"_s);
        const RadioError error = RadioError::timeout(u"MR001;"_s);
        TestSettings::setLanguage(u"de"_s);
        QCOMPARE(error.errorDescription(), u"Zeitüberschreitung bei CAT-Befehl: MR001;"_s);
        TestSettings::setLanguage(u"system"_s);
        L::setPreferredLanguagesSource([] { return QStringList{u"fr-FR"_s}; });
        QCOMPARE(QString::fromUtf8(error.what()), u"Timed out waiting for CAT command: MR001;"_s);
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
    void toneCodeOptionEquality_data() {
        QTest::addColumn<FT991AToneCodeOption>("other");
        QTest::addColumn<bool>("equal");
        using enum FT991AToneNumberKind;
        QTest::addRow("same") << FT991AToneCodeOption{ctcss, u"000"_s, u"Caf\u00E9"_s} << true;
        QTest::addRow("decomposed label") << FT991AToneCodeOption{ctcss, u"000"_s, u"Cafe\u0301"_s} << true;
        QTest::addRow("kind") << FT991AToneCodeOption{dcs, u"000"_s, u"Caf\u00E9"_s} << false;
        QTest::addRow("code") << FT991AToneCodeOption{ctcss, u"001"_s, u"Caf\u00E9"_s} << false;
        QTest::addRow("label") << FT991AToneCodeOption{ctcss, u"000"_s, u"Cafe"_s} << false;
    }
    void toneCodeOptionEquality() {
        QFETCH(FT991AToneCodeOption, other);
        QFETCH(bool, equal);
        QCOMPARE((FT991AToneCodeOption{FT991AToneNumberKind::ctcss, u"000"_s, u"Caf\u00E9"_s} == other),
                 equal);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(RadioTypesTest)
#include "tst_radiotypes.moc"
