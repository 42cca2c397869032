#include "GoldenFile.h"
#include "Localization/L.h"
#include "Localization/TranslationCatalogue.h"
#include "Localization/UserDefaults.h"
#include "TestRows.h"
#include "TestSettings.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

QString code(AppLanguage language) {
    return rawValue(language);
}

} // namespace

// The language choice, the text lookup and the translation tables it reads.
class LocalizationTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        m_preferred = {u"de-DE"_s};
        L::setPreferredLanguagesSource([this] { return m_preferred; });
    }
    void cleanup() { L::setPreferredLanguagesSource({}); }

    // An unrecognised stored value means "system", which takes the first preferred language only.
    // Stored choice ("-": none) | preferred languages | the choice | the effective language.
    void effectiveLanguage_data() {
        addRows({"-|sv-SE|system|sv", "system|sv-SE|system|sv", "de|sv-SE|de|de", "fr|de-DE|fr|fr",
                 "DE|sv-SE|system|sv", "|sv-SE|system|sv", "-|de-CH|system|de", "-|zh-Hans,fr-FR|system|en",
                 "-||system|en"});
    }
    void effectiveLanguage() {
        QFETCH(QStringList, row);
        const auto [stored, preferred, selected, effective] = fields<4>(row);
        m_preferred = preferred.split(u',', Qt::SkipEmptyParts);
        if (stored != u"-")
            TestSettings::setLanguage(stored);
        QCOMPARE(code(L::selectedLanguage()), selected);
        QCOMPARE(code(L::current()), effective);
        QCOMPARE(L::text(u"Kanal 5"_s, u"Channel 5"_s), effective == u"de" ? u"Kanal 5"_s : u"Channel 5"_s);
        UserDefaults::setValue(L::userDefaultsLanguageKey(), 7); // not a text
        QCOMPARE(L::selectedLanguage(), AppLanguage::system);
    }

    // A plain prefix test on the whole identifier, in declaration order; English when none matches.
    void languageForCode_data() {
        addRows({"nb-NO|en", "fil-PH|fi", "EN-gb|en", "frr|fr", "zh-Hant|en", "ces|en", "system|en", "|en"});
        for (AppLanguage language : allAppLanguages().sliced(1))
            QTest::addRow("%s", qPrintable(code(language))) << QStringList{code(language), code(language)};
    }
    void languageForCode() {
        QFETCH(QStringList, row);
        QCOMPARE(code(L::languageForCode(row[0])), row[1]);
    }

    // The language's own table, then English, then the key; keys match exactly, in any
    // canonically equivalent spelling. Language | key | text.
    void localized_data() {
        addRows({"de|Hinweis|Hinweis", "en|Hinweis|Notice", "fr|Hinweis|Avis", "fr|Unbekannt|Unbekannt",
                 "en|hinweis|hinweis", "en|– nicht gelesen –|– nicht gelesen –", "en|O\u0308ffnung|Encode",
                 "de|O\u0308ffnung|O\u0308ffnung"});
    }
    void localized() {
        QFETCH(QStringList, row);
        TestSettings::setLanguage(row[0]);
        QCOMPARE(loc(row[1]), row[2]);
    }

    // Each key gives the text of the effective language's own table, never another one's, and
    // the key itself under German; the names of the languages are never translated.
    void everyChoiceUsesItsOwnTable_data() {
        QTest::addColumn<QString>("language");
        for (AppLanguage language : allAppLanguages())
            QTest::addRow("%s", qPrintable(code(language))) << code(language);
    }
    void everyChoiceUsesItsOwnTable() {
        QFETCH(QString, language);
        TestSettings::setLanguage(language);
        const bool german = L::current() == AppLanguage::de;
        const auto rows = TranslationCatalogue::rows(german ? u"en"_s : code(L::current()));
        QVERIFY(!rows.isEmpty());
        for (const auto &[key, text] : rows)
            QCOMPARE(loc(key), german ? key : text);
        languagesMatchTheirGoldenFile();
    }

    void choices() {
        QCOMPARE(L::userDefaultsLanguageKey(), u"Korvel.languageSelection"_s);
        QCOMPARE(appLanguageFromRawValue(u"DE"_s), std::nullopt);
        QStringList ids;
        for (AppLanguage language : allAppLanguages())
            ids << id(language);
        QCOMPARE(ids.join(u' '),
                 u"system bg hr cs da nl en et fi fr de el hu ga it lv lt mt pl pt ro sk sl es sv"_s);
        QCOMPARE(TranslationCatalogue::dictionary(AppLanguage::en), nullptr);
    }

    // Every English row, and four telling rows of each further table in its declaration order.
    void catalogueMatchesItsGoldenFile() {
        QStringList dumped;
        const auto dump = [&](const QString &table, const QList<int> &numbers) {
            const TranslationCatalogue::Rows rows = TranslationCatalogue::rows(table);
            for (int number : numbers)
                dumped << u"%1 | %2 | %3 | %4"_s.arg(table).arg(number).arg(rows.value(number - 1).first,
                                                                            rows.value(number - 1).second);
        };
        QList<int> everyRow(TranslationCatalogue::rows(u"en"_s).size());
        std::iota(everyRow.begin(), everyRow.end(), 1);
        dump(u"en"_s, everyRow);
        for (AppLanguage language : TranslationCatalogue::dictionaryLanguages())
            dump(code(language), {2, 39, 47, 75});
        compareWithGoldenFile(u"catalogue.txt"_s, dumped);
    }

    // Every table holds the English keys in their order, each with one line of text.
    void everyTableHasTheEnglishKeysAndOneLineTexts() {
        const TranslationCatalogue::Rows english = TranslationCatalogue::rows(u"en"_s);
        for (AppLanguage language : TranslationCatalogue::dictionaryLanguages()) {
            const TranslationCatalogue::Rows rows = TranslationCatalogue::rows(code(language));
            QCOMPARE(rows.size(), english.size());
            for (qsizetype i = 0; i < rows.size(); ++i) {
                QCOMPARE(rows[i].first, english[i].first);
                QVERIFY2(!rows[i].second.trimmed().isEmpty() && !rows[i].second.contains(u'\n'),
                         qPrintable(rows[i].first));
            }
        }
    }

    // Every key of the catalogue stands as a text in the program's code (adjacent literals
    // joined, comments left out), so a key changed in the code cannot silently lose its
    // translations.
    void everyCatalogueKeyStandsInTheSources() {
        static const QRegularExpression comment(u"(?m)(^|\\s)//(\\s.*)?$"_s);
        static const QRegularExpression literals(u"(?:\"(?:[^\"\\\\\\n]|\\\\.)*\"\\s*)+"_s);
        static const QRegularExpression literal(u"\"((?:[^\"\\\\\\n]|\\\\.)*)\""_s);
        QSet<QString> texts;
        QDirIterator files(QStringLiteral(KORVEL_SOURCE_DIR), {u"*.cpp"_s, u"*.h"_s}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString source = QString::fromUtf8(file.readAll()).remove(comment);
            for (const QRegularExpressionMatch &chain : literals.globalMatch(source)) {
                QString text;
                for (const QRegularExpressionMatch &part : literal.globalMatch(chain.captured()))
                    text += part.captured(1).replace(u"\\\""_s, u"\""_s);
                texts.insert(text.normalized(QString::NormalizationForm_C));
            }
        }
        QStringList missing;
        for (const auto &[key, english] : TranslationCatalogue::rows(u"en"_s)) {
            if (!texts.contains(key))
                missing << key;
        }
        QCOMPARE(missing, (QStringList{u"Englisch"_s, u"An"_s})); // rows no window shows
    }

private:
    static void languagesMatchTheirGoldenFile() {
        QStringList dumped;
        for (AppLanguage language : allAppLanguages())
            dumped << code(language) + u" | "_s + displayName(language);
        compareWithGoldenFile(u"languages.txt"_s, dumped);
    }

    std::unique_ptr<TestSettings> m_settings;
    QStringList m_preferred;
};

QTEST_GUILESS_MAIN(LocalizationTest)
#include "tst_localization.moc"
