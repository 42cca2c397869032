// The menu items of both radios that the program reads and writes, and their shared option lists.
// Row order is reading, writing and display order.
#include "Model/DeviceSettingDefinition.h"

namespace {

using Options = QList<DeviceSettingOption>;

enum class Link { keeps, disrupts };

// The id prefixes of the two tables; an id is the prefix followed by the menu number.
constexpr const char *ft710 = "ft710.";
constexpr const char *ft991a = "ft991a.";

DeviceSettingDefinition menuItem(const char *idPrefix, const char *menu, const char *group, const char *title,
                                 int digits, DeviceSettingFieldKind kind, Options options, Link link,
                                 const char *help) {
    const QString number = QString::fromLatin1(menu);
    return DeviceSettingDefinition{
        .id = QString::fromLatin1(idPrefix) + number,
        .group = QString::fromUtf8(group),
        .title = QString::fromUtf8(title),
        .readCommand = QStringLiteral("EX") + number + QLatin1Char(';'),
        .writePrefix = QStringLiteral("EX") + number,
        .digits = digits,
        .fieldKind = kind,
        .options = std::move(options),
        .disruptsConnection = link == Link::disrupts,
        .help = QString::fromUtf8(help),
    };
}

DeviceSettingDefinition numericItem(const char *idPrefix, const char *menu, const char *group,
                                    const char *title, int digits, const char *help) {
    return menuItem(idPrefix, menu, group, title, digits, DeviceSettingFieldKind::numeric, {}, Link::keeps,
                    help);
}

DeviceSettingDefinition choiceItem(const char *idPrefix, const char *menu, const char *group,
                                   const char *title, int digits, Options options, Link link,
                                   const char *help) {
    return menuItem(idPrefix, menu, group, title, digits, DeviceSettingFieldKind::choice, std::move(options),
                    link, help);
}

// "00" "Off", then the codes 01..count-1 with the cut-off frequencies from `firstHz` in 50 Hz steps.
Options cutoffOptions(int count, int firstHz) {
    Options options{{QStringLiteral("00"), QStringLiteral("Off")}};
    for (int i = 1; i < count; ++i)
        options.append(
            {QString::asprintf("%02d", i), QString::number(firstHz + (i - 1) * 50) + QStringLiteral(" Hz")});
    return options;
}

const Options &indicatorColourOptions() {
    static const Options options{{"0", "Blue"}, {"1", "Green"}, {"2", "White"}, {"3", "None"}};
    return options;
}

const Options &slopeOptions() {
    static const Options options{{"0", "6 dB/oct"}, {"1", "18 dB/oct"}};
    return options;
}

} // namespace

const QList<DeviceSettingOption> &DeviceSettingDefinition::timeoutOptions() {
    static const Options options{{"0", "10 ms"}, {"1", "100 ms"}, {"2", "1000 ms"}, {"3", "3000 ms"}};
    return options;
}

const QList<DeviceSettingOption> &DeviceSettingDefinition::ft710RateOptions() {
    static const Options options{
        {"0", "4800 bps"}, {"1", "9600 bps"}, {"2", "19200 bps"}, {"3", "38400 bps"}, {"4", "115200 bps"}};
    return options;
}

const QList<DeviceSettingOption> &DeviceSettingDefinition::ft991RateOptions() {
    static const Options options{
        {"0", "4800 bps"}, {"1", "9600 bps"}, {"2", "19200 bps"}, {"3", "38400 bps"}};
    return options;
}

const QList<DeviceSettingOption> &DeviceSettingDefinition::onOffOptions() {
    static const Options options{{"0", "Off"}, {"1", "On"}};
    return options;
}

const QList<DeviceSettingOption> &DeviceSettingDefinition::enableDisableOptions() {
    static const Options options{{"0", "Disable"}, {"1", "Enable"}};
    return options;
}

const QList<DeviceSettingOption> &DeviceSettingDefinition::pauseTimeOptions() {
    static const Options options{{"0", "Pause"}, {"1", "Time"}};
    return options;
}

const QList<DeviceSettingOption> &DeviceSettingDefinition::ft991ToneLcutOptions() {
    static const Options options = cutoffOptions(20, 100);
    return options;
}

const QList<DeviceSettingOption> &DeviceSettingDefinition::ft991ToneHcutOptions() {
    static const Options options = cutoffOptions(68, 700);
    return options;
}

const QList<DeviceSettingDefinition> &DeviceSettingDefinition::ft710Definitions() {
    static const QList<DeviceSettingDefinition> table = [] {
        const char *general = "Operation Setting → General";
        const char *txGeneral = "Operation Setting → TX General";
        return QList<DeviceSettingDefinition>{
            numericItem(ft710, "030101", "Allgemein", "BEEP LEVEL", 3, general),
            choiceItem(ft710, "030102", "Allgemein", "RF/SQL VR", 1,
                       {{"0", "RF"}, {"1", "SQL"}, {"2", "SQL (FM only)"}}, Link::keeps, general),
            choiceItem(ft710, "030103", "CAT / Anschlüsse", "TUN/LIN PORT SELECT", 1,
                       {{"0", "EXT-TUNER"}, {"1", "LINEAR"}, {"2", "CAT-3"}, {"3", "GPO"}}, Link::disrupts,
                       general),
            choiceItem(ft710, "030104", "CAT / Anschlüsse", "TUNER TYPE SELECT", 1,
                       {{"0", "INT"}, {"1", "INT (FAST)"}, {"2", "EXT"}, {"3", "ATAS"}}, Link::keeps,
                       general),
            choiceItem(ft710, "030105", "CAT / Anschlüsse", "CAT-1 RATE", 1, ft710RateOptions(),
                       Link::disrupts, general),
            choiceItem(ft710, "030106", "CAT / Anschlüsse", "CAT-1 TIME OUT TIMER", 1, timeoutOptions(),
                       Link::disrupts, general),
            choiceItem(ft710, "030107", "CAT / Anschlüsse", "CAT-1 CAT-3 STOP BIT", 1,
                       {{"0", "1 bit"}, {"1", "2 bit"}}, Link::disrupts, general),
            choiceItem(ft710, "030108", "CAT / Anschlüsse", "CAT-2 RATE", 1, ft710RateOptions(),
                       Link::disrupts, general),
            choiceItem(ft710, "030109", "CAT / Anschlüsse", "CAT-2 TIME OUT TIMER", 1, timeoutOptions(),
                       Link::disrupts, general),
            choiceItem(ft710, "030110", "CAT / Anschlüsse", "CAT-3 RATE", 1, ft710RateOptions(),
                       Link::disrupts, general),
            choiceItem(ft710, "030111", "CAT / Anschlüsse", "CAT-3 TIME OUT TIMER", 1, timeoutOptions(),
                       Link::disrupts, general),
            choiceItem(ft710, "030112", "Allgemein", "QMB CH", 1, {{"0", "5 ch"}, {"1", "10 ch"}},
                       Link::keeps, general),
            choiceItem(ft710, "030113", "Allgemein", "BAND STACK", 1, onOffOptions(), Link::keeps, general),
            choiceItem(ft710, "030114", "Speicher / Bedienung", "MEM GROUP", 1, onOffOptions(), Link::keeps,
                       general),
            numericItem(ft710, "030115", "Betrieb", "TX TIME OUT TIMER", 2, general),
            choiceItem(ft710, "030116", "Betrieb", "MIC SCAN", 1, onOffOptions(), Link::keeps, general),
            choiceItem(ft710, "030117", "Betrieb", "MIC SCAN RESUME", 1, pauseTimeOptions(), Link::keeps,
                       general),
            numericItem(ft710, "030118", "Betrieb", "REF FREQ ADJ", 3, general),
            choiceItem(ft710, "030405", "TX General", "VOX SELECT", 1,
                       {{"0", "MIC"}, {"1", "USB"}, {"2", "REAR"}}, Link::keeps, txGeneral),
            choiceItem(ft710, "030407", "TX General", "TX INHIBIT", 1, onOffOptions(), Link::keeps,
                       txGeneral),
            choiceItem(ft710, "030408", "TX General", "METER DETECTOR", 1, {{"0", "Average"}, {"1", "Peak"}},
                       Link::keeps, txGeneral),
            choiceItem(ft710, "040104", "Display", "SCREEN SAVER", 1,
                       {{"0", "Off"}, {"1", "15 min"}, {"2", "30 min"}, {"3", "60 min"}}, Link::keeps,
                       "Display → Screen Saver"),
            choiceItem(ft710, "040301", "Farbindikatoren", "VMI COLOR VFO-A", 1, indicatorColourOptions(),
                       Link::keeps, "VFO Indicator Color"),
            choiceItem(ft710, "040302", "Farbindikatoren", "VMI COLOR VFO-B", 1, indicatorColourOptions(),
                       Link::keeps, "VFO Indicator Color"),
            choiceItem(ft710, "040303", "Farbindikatoren", "VMI COLOR MEMORY", 1, indicatorColourOptions(),
                       Link::keeps, "Memory Indicator Color"),
            choiceItem(ft710, "040304", "Farbindikatoren", "VMI COLOR CLAR", 1, {{"0", "Red"}, {"1", "None"}},
                       Link::keeps, "Clarifier Indicator Color"),
            choiceItem(ft710, "040401", "Externes Display", "EXT DISPLAY", 1, onOffOptions(), Link::keeps,
                       "EXT-MONITOR"),
            choiceItem(ft710, "040402", "Externes Display", "PIXEL", 1, {{"0", "800×480"}, {"1", "800×600"}},
                       Link::keeps, "EXT-MONITOR"),
        };
    }();
    return table;
}

const QList<DeviceSettingDefinition> &DeviceSettingDefinition::definitions(RadioModel model) {
    return model == RadioModel::ft991a ? ft991aDefinitions() : ft710Definitions();
}

const QList<DeviceSettingDefinition> &DeviceSettingDefinition::ft991aDefinitions() {
    // There is no item 027.
    static const QList<DeviceSettingDefinition> table{
        numericItem(ft991a, "026", "Allgemein", "BEEP LEVEL", 3, "Menü 026"),
        // No code "2": the radio has no such port choice.
        choiceItem(ft991a, "028", "CAT / Schnittstelle", "GPS/232C SELECT", 1,
                   {{"0", "GPS1"}, {"1", "GPS2"}, {"3", "RS232C"}}, Link::disrupts, "Menü 028"),
        choiceItem(ft991a, "029", "CAT / Schnittstelle", "232C RATE", 1, ft991RateOptions(), Link::disrupts,
                   "Menü 029"),
        choiceItem(ft991a, "030", "CAT / Schnittstelle", "232C TOT", 1, timeoutOptions(), Link::disrupts,
                   "Menü 030"),
        choiceItem(ft991a, "031", "CAT / Schnittstelle", "CAT RATE", 1, ft991RateOptions(), Link::disrupts,
                   "Menü 031"),
        choiceItem(ft991a, "032", "CAT / Schnittstelle", "CAT TOT", 1, timeoutOptions(), Link::disrupts,
                   "Menü 032"),
        choiceItem(ft991a, "033", "CAT / Schnittstelle", "CAT RTS", 1, enableDisableOptions(), Link::disrupts,
                   "Menü 033"),
        choiceItem(ft991a, "034", "Speicher / Bedienung", "MEM GROUP", 1, enableDisableOptions(), Link::keeps,
                   "Menü 034"),
        numericItem(ft991a, "035", "Betrieb", "QUICK SPLIT FREQ", 3, "Menü 035 · kHz"),
        numericItem(ft991a, "036", "Betrieb", "TX TOT", 2, "Menü 036 · 00-30 min"),
        choiceItem(ft991a, "037", "Bedienung", "MIC SCAN", 1, enableDisableOptions(), Link::keeps,
                   "Menü 037"),
        choiceItem(ft991a, "038", "Bedienung", "MIC SCAN RESUME", 1, pauseTimeOptions(), Link::keeps,
                   "Menü 038"),
        numericItem(ft991a, "039", "Betrieb", "REF FREQ ADJ", 3, "Menü 039"),
        choiceItem(ft991a, "040", "Clarifier", "CLAR MODE SELECT", 1,
                   {{"0", "RX"}, {"1", "TX"}, {"2", "TRX"}}, Link::keeps, "Menü 040"),
        choiceItem(ft991a, "041", "AM Audio", "AM LCUT FREQ", 2, ft991ToneLcutOptions(), Link::keeps,
                   "Menü 041"),
        choiceItem(ft991a, "042", "AM Audio", "AM LCUT SLOPE", 1, slopeOptions(), Link::keeps, "Menü 042"),
        choiceItem(ft991a, "043", "AM Audio", "AM HCUT FREQ", 2, ft991ToneHcutOptions(), Link::keeps,
                   "Menü 043"),
        choiceItem(ft991a, "044", "AM Audio", "AM HCUT SLOPE", 1, slopeOptions(), Link::keeps, "Menü 044"),
        choiceItem(ft991a, "045", "AM Audio", "AM MIC SELECT", 1, {{"0", "MIC"}, {"1", "REAR"}}, Link::keeps,
                   "Menü 045"),
        numericItem(ft991a, "046", "AM Audio", "AM OUT LEVEL", 3, "Menü 046"),
        choiceItem(ft991a, "047", "AM Audio", "AM PTT SELECT", 1, {{"0", "DAKY"}, {"1", "RTS"}, {"2", "DTR"}},
                   Link::keeps, "Menü 047"),
    };
    return table;
}
