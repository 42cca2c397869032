#pragma once

#include "Localization/AppLanguage.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

// The built-in translation tables, one data file per language (catalogue/<code>.tsv,
// "German key<TAB>text" per line), compiled into the program and read once on first use.
// Keys are stored in canonical composed form, so equivalent spellings find the same row.
class TranslationCatalogue {
public:
    using Table = QHash<QString, QString>;
    using Rows = QList<QPair<QString, QString>>;

    TranslationCatalogue() = delete;

    // German key to English text.
    static const Table &english();
    // The table of a language other than system, en and de; nullptr for those three.
    static const Table *dictionary(AppLanguage language);
    // The languages that have a table of their own, in declaration order.
    static const QList<AppLanguage> &dictionaryLanguages();
    // A table's rows in file order, as written (for checks of the catalogue itself).
    static Rows rows(const QString &code);
};
