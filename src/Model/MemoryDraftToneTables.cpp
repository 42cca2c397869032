#include "Model/MemoryDraft.h"

#include "Model/TextOps.h"

#include <initializer_list>

namespace {

// Row i has the code i in three digits: the position of a row is its tone number.
QList<FT991AToneCodeOption> toneTable(FT991AToneNumberKind kind, std::initializer_list<const char *> labels) {
    QList<FT991AToneCodeOption> rows;
    for (const char *label : labels)
        rows.append({kind, RadioMemory::slotText(int(rows.size())), QString::fromLatin1(label)});
    return rows;
}

} // namespace

const QList<FT991AToneCodeOption> &MemoryDraft::ft991aCtcssOptions() {
    static const QList<FT991AToneCodeOption> table = toneTable(
        FT991AToneNumberKind::ctcss,
        {"67.0 Hz",  "69.3 Hz",  "71.9 Hz",  "74.4 Hz",  "77.0 Hz",  "79.7 Hz",  "82.5 Hz",  "85.4 Hz",
         "88.5 Hz",  "91.5 Hz",  "94.8 Hz",  "97.4 Hz",  "100.0 Hz", "103.5 Hz", "107.2 Hz", "110.9 Hz",
         "114.8 Hz", "118.8 Hz", "123.0 Hz", "127.3 Hz", "131.8 Hz", "136.5 Hz", "141.3 Hz", "146.2 Hz",
         "151.4 Hz", "156.7 Hz", "159.8 Hz", "162.2 Hz", "165.5 Hz", "167.9 Hz", "171.3 Hz", "173.8 Hz",
         "177.3 Hz", "179.9 Hz", "183.5 Hz", "186.2 Hz", "189.9 Hz", "192.8 Hz", "196.6 Hz", "199.5 Hz",
         "203.5 Hz", "206.5 Hz", "210.7 Hz", "218.1 Hz", "225.7 Hz", "229.1 Hz", "233.6 Hz", "241.8 Hz",
         "250.3 Hz", "254.1 Hz"});
    return table;
}

const QList<FT991AToneCodeOption> &MemoryDraft::ft991aDcsOptions() {
    static const QList<FT991AToneCodeOption> table = toneTable(
        FT991AToneNumberKind::dcs,
        {"023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
         "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
         "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
         "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
         "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
         "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
         "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
         "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"});
    return table;
}

// Every mode starts at the first row of its table.
QString MemoryDraft::defaultToneCode(FT991AToneSqlOption) {
    return QStringLiteral("000");
}

QString MemoryDraft::ft991aToneLabel(FT991AToneSqlOption mode, const QString &toneNumberCode) {
    const FT991AToneNumberKind kind = numberKind(mode);
    if (kind == FT991AToneNumberKind::none)
        return toneNumberCode;
    const QList<FT991AToneCodeOption> &table =
        kind == FT991AToneNumberKind::ctcss ? ft991aCtcssOptions() : ft991aDcsOptions();
    for (const FT991AToneCodeOption &row : table) {
        if (TextOps::canonicallyEqual(row.code, toneNumberCode))
            return row.label;
    }
    return toneNumberCode;
}
