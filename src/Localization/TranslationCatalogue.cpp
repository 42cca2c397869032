#include "Localization/TranslationCatalogue.h"

#include <QFile>
#include <QMap>

namespace {

QString canonicalKey(const QString &key) {
    return key.normalized(QString::NormalizationForm_C);
}

TranslationCatalogue::Table tableFromRows(const TranslationCatalogue::Rows &rows) {
    TranslationCatalogue::Table table;
    table.reserve(rows.size());
    for (const auto &[key, text] : rows)
        table.insert(canonicalKey(key), text);
    return table;
}

} // namespace

TranslationCatalogue::Rows TranslationCatalogue::rows(const QString &code) {
    QFile file(QStringLiteral(":/catalogue/%1.tsv").arg(code));
    Rows rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    const QString content = QString::fromUtf8(file.readAll());
    for (const QString &line : content.split(QLatin1Char('\n'))) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            continue;
        rows.append({line.left(tab), line.mid(tab + 1)});
    }
    return rows;
}

const TranslationCatalogue::Table &TranslationCatalogue::english() {
    static const Table table = tableFromRows(rows(QStringLiteral("en")));
    return table;
}

const QList<AppLanguage> &TranslationCatalogue::dictionaryLanguages() {
    static const QList<AppLanguage> languages = [] {
        QList<AppLanguage> list;
        for (AppLanguage language : allAppLanguages()) {
            if (language != AppLanguage::system && language != AppLanguage::en && language != AppLanguage::de)
                list.append(language);
        }
        return list;
    }();
    return languages;
}

const TranslationCatalogue::Table *TranslationCatalogue::dictionary(AppLanguage language) {
    // A language without a table of its own (English above all) reads none of the tables.
    if (!dictionaryLanguages().contains(language))
        return nullptr;
    static const QMap<AppLanguage, Table> dictionaries = [] {
        QMap<AppLanguage, Table> map;
        for (AppLanguage each : dictionaryLanguages())
            map.insert(each, tableFromRows(rows(rawValue(each))));
        return map;
    }();
    const auto found = dictionaries.constFind(language);
    return found == dictionaries.constEnd() ? nullptr : &found.value();
}
