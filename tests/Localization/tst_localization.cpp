#include "Localization/L.h"
#include "Localization/TranslationCatalogue.h"
#include "Localization/UserDefaults.h"
#include "TestSettings.h"

#include <QTest>

namespace {

const QString noteKey = QStringLiteral("Hinweis");
const QString unknownKey = QStringLiteral("Dieser Text steht in keiner Tabelle");

} // namespace

class LocalizationTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        m_preferred = {QStringLiteral("de-DE")};
        L::setPreferredLanguagesSource([this] { return m_preferred; });
    }
    void cleanup() { L::setPreferredLanguagesSource({}); }

    // --- the stored choice -------------------------------------------------------------------

    void storedChoice_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("effective");
        // The operating system says Swedish throughout, so "system" shows as sv.
        QTest::addRow("nothing stored") << QVariant() << "system"
                                        << "sv";
        QTest::addRow("system") << QVariant("system") << "system"
                                << "sv";
        QTest::addRow("de") << QVariant("de") << "de"
                            << "de";
        QTest::addRow("en") << QVariant("en") << "en"
                            << "en";
        QTest::addRow("fr") << QVariant("fr") << "fr"
                            << "fr";
        QTest::addRow("sv") << QVariant("sv") << "sv"
                            << "sv";
        QTest::addRow("upper case DE") << QVariant("DE") << "system"
                                       << "sv";
        QTest::addRow("with region de-DE") << QVariant("de-DE") << "system"
                                           << "sv";
        QTest::addRow("empty text") << QVariant("") << "system"
                                    << "sv";
        QTest::addRow("language name") << QVariant("Deutsch") << "system"
                                       << "sv";
        QTest::addRow("blank around code") << QVariant(" de") << "system"
                                           << "sv";
        QTest::addRow("not a text") << QVariant(7) << "system"
                                    << "sv";
    }
    void storedChoice() {
        QFETCH(QVariant, stored);
        QFETCH(QString, selected);
        QFETCH(QString, effective);
        m_preferred = {QStringLiteral("sv-SE")};
        if (stored.isValid())
            UserDefaults::setValue(L::userDefaultsLanguageKey(), stored);
        QCOMPARE(rawValue(L::selectedLanguage()), selected);
        QCOMPARE(rawValue(L::current()), effective);
    }

    void languageKeyIsFixed() {
        QCOMPARE(L::userDefaultsLanguageKey(), QStringLiteral("Korvel.languageSelection"));
    }

    // --- the operating system's languages under the choice "system" ---------------------------

    void systemLanguages_data() {
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("effective");
        QTest::addRow("first entry only") << QStringList{"zh-Hans", "fr-FR"} << "en";
        QTest::addRow("first of two known") << QStringList{"sv-SE", "de-DE"} << "sv";
        QTest::addRow("empty list") << QStringList{} << "en";
        QTest::addRow("Norwegian") << QStringList{"nb-NO"} << "en";
        QTest::addRow("Filipino begins with fi") << QStringList{"fil-PH"} << "fi";
        QTest::addRow("mixed case EN-gb") << QStringList{"EN-gb"} << "en";
        QTest::addRow("pt-BR") << QStringList{"pt-BR"} << "pt";
        QTest::addRow("underscore de_CH") << QStringList{"de_CH"} << "de";
        QTest::addRow("German") << QStringList{"de-AT"} << "de";
        QTest::addRow("Irish") << QStringList{"ga-IE"} << "ga";
    }
    void systemLanguages() {
        QFETCH(QStringList, preferred);
        QFETCH(QString, effective);
        m_preferred = preferred;
        QCOMPARE(rawValue(L::current()), effective);
    }

    // --- identifiers to languages: a plain prefix test in declaration order -------------------

    void languageForCode_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("language");
        for (AppLanguage language : allAppLanguages()) {
            if (language != AppLanguage::system)
                QTest::addRow("%s", qPrintable(rawValue(language)))
                    << rawValue(language) << rawValue(language);
        }
        QTest::addRow("three letters frr") << "frr"
                                           << "fr";
        QTest::addRow("script zh-Hant") << "zh-Hant"
                                        << "en";
        QTest::addRow("upper case SV-FI") << "SV-FI"
                                          << "sv";
        QTest::addRow("three-letter ces is not cs") << "ces"
                                                    << "en";
        QTest::addRow("a word beginning with de") << "Deutsch"
                                                  << "de";
        QTest::addRow("the raw value system") << "system"
                                              << "en";
        QTest::addRow("one letter") << "d"
                                    << "en";
        QTest::addRow("empty") << ""
                               << "en";
    }
    void languageForCode() {
        QFETCH(QString, code);
        QFETCH(QString, language);
        QCOMPARE(rawValue(L::languageForCode(code)), language);
    }

    // --- lookup: the language's table, then English, then the key ----------------------------

    void localized_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::addRow("de keeps the key") << "de" << noteKey << noteKey;
        QTest::addRow("en table") << "en" << noteKey << "Notice";
        QTest::addRow("fr table") << "fr" << noteKey << "Avis";
        QTest::addRow("el table") << "el"
                                  << "Abbrechen"
                                  << "Ακύρωση";
        QTest::addRow("es question") << "es"
                                     << "Welche Sprache soll Korvel verwenden?"
                                     << "¿Qué idioma debe usar Korvel?";
        QTest::addRow("en English key") << "en"
                                        << "Enable"
                                        << "Enable";
        QTest::addRow("en unknown key") << "en" << unknownKey << unknownKey;
        QTest::addRow("fr unknown key") << "fr" << unknownKey << unknownKey;
        QTest::addRow("empty key") << "fr"
                                   << ""
                                   << "";
        QTest::addRow("other case") << "en"
                                    << "hinweis"
                                    << "hinweis";
        QTest::addRow("trailing blank") << "en"
                                        << "Hinweis "
                                        << "Hinweis ";
        QTest::addRow("leading blank") << "fr"
                                       << " Hinweis"
                                       << " Hinweis";
        QTest::addRow("two blanks inside") << "en"
                                           << "Alle  lesen"
                                           << "Alle  lesen";
        QTest::addRow("en dashes") << "en"
                                   << "– nicht gelesen –"
                                   << "– nicht gelesen –";
        QTest::addRow("hyphens") << "fr"
                                 << "- nicht gelesen -"
                                 << "- nicht gelesen -";
        QTest::addRow("em dashes") << "fr"
                                   << "— nicht gelesen —"
                                   << "— non lu —";
        QTest::addRow("decomposed umlaut en") << "en" << QStringLiteral("O\u0308ffnung") << "Encode";
        QTest::addRow("decomposed umlaut fr") << "fr" << QStringLiteral("O\u0308ffnung") << "Encodage";
        QTest::addRow("decomposed umlaut de")
            << "de" << QStringLiteral("O\u0308ffnung") << QStringLiteral("O\u0308ffnung");
    }
    void localized() {
        QFETCH(QString, language);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        store(language);
        QCOMPARE(loc(key), expected);
    }

    void unknownKeyUnchangedInEveryLanguage_data() { everyChoice(); }
    void unknownKeyUnchangedInEveryLanguage() {
        QFETCH(QString, language);
        store(language);
        QCOMPARE(loc(unknownKey), unknownKey);
    }

    // Every table holds all keys, so a table language never falls back to English.
    void everyKeyFromOwnTable_data() {
        QTest::addColumn<QString>("language");
        for (AppLanguage language : TranslationCatalogue::dictionaryLanguages())
            QTest::addRow("%s", qPrintable(rawValue(language))) << rawValue(language);
        QTest::addRow("en") << "en";
    }
    void everyKeyFromOwnTable() {
        QFETCH(QString, language);
        store(language);
        const TranslationCatalogue::Rows rows = TranslationCatalogue::rows(language);
        QCOMPARE(rows.size(), 76);
        for (const auto &[key, text] : rows)
            QCOMPARE(loc(key), text);
    }

    // --- German/English pairs -----------------------------------------------------------------

    void textPair_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("expected");
        QTest::addRow("de") << "de" << QStringList{"en-US"} << "Kanal 5";
        QTest::addRow("en") << "en" << QStringList{"de-DE"} << "Channel 5";
        QTest::addRow("fr") << "fr" << QStringList{"de-DE"} << "Channel 5";
        QTest::addRow("bg") << "bg" << QStringList{"de-DE"} << "Channel 5";
        QTest::addRow("system, German") << "system" << QStringList{"de-CH"} << "Kanal 5";
        QTest::addRow("system, Italian") << "system" << QStringList{"it-IT"} << "Channel 5";
        QTest::addRow("system, unknown") << "system" << QStringList{"ja-JP"} << "Channel 5";
    }
    void textPair() {
        QFETCH(QString, stored);
        QFETCH(QStringList, preferred);
        QFETCH(QString, expected);
        store(stored);
        m_preferred = preferred;
        QCOMPARE(L::text(QStringLiteral("Kanal 5"), QStringLiteral("Channel 5")), expected);
    }

    // --- the language choices -----------------------------------------------------------------

    void choices() {
        const QList<AppLanguage> &all = allAppLanguages();
        QCOMPARE(all.size(), 25);
        QCOMPARE(all.first(), AppLanguage::system);
        QCOMPARE(all.last(), AppLanguage::sv);
        for (AppLanguage language : all) {
            QCOMPARE(appLanguageFromRawValue(rawValue(language)), language);
            QCOMPARE(id(language), rawValue(language));
        }
        QCOMPARE(appLanguageFromRawValue(QStringLiteral("DE")), std::nullopt);
        QCOMPARE(appLanguageFromRawValue(QStringLiteral("de-DE")), std::nullopt);
        QCOMPARE(appLanguageFromRawValue(QString()), std::nullopt);
    }

    void displayNames_data() { everyChoice(); }
    void displayNames() {
        QFETCH(QString, language);
        store(language);
        QCOMPARE(displayName(AppLanguage::system), QStringLiteral("System"));
        QCOMPARE(displayName(AppLanguage::de), QStringLiteral("Deutsch"));
        QCOMPARE(displayName(AppLanguage::el), QStringLiteral("Ελληνικά"));
        QCOMPARE(displayName(AppLanguage::sl), QStringLiteral("Slovenščina"));
    }

    // --- nothing is cached --------------------------------------------------------------------

    void changeTakesEffectWithNextLookup() {
        store(QStringLiteral("en"));
        QCOMPARE(loc(noteKey), QStringLiteral("Notice"));
        store(QStringLiteral("fr"));
        QCOMPARE(loc(noteKey), QStringLiteral("Avis"));
        UserDefaults::remove(L::userDefaultsLanguageKey());
        QCOMPARE(loc(noteKey), noteKey);
        m_preferred = {QStringLiteral("it-IT")};
        QCOMPARE(loc(noteKey), QStringLiteral("Nota"));
    }

private:
    static void store(const QString &language) {
        UserDefaults::setValue(L::userDefaultsLanguageKey(), language);
    }

    static void everyChoice() {
        QTest::addColumn<QString>("language");
        for (AppLanguage language : allAppLanguages())
            QTest::addRow("%s", qPrintable(rawValue(language))) << rawValue(language);
    }

    std::unique_ptr<TestSettings> m_settings;
    QStringList m_preferred;
};

QTEST_GUILESS_MAIN(LocalizationTest)
#include "tst_localization.moc"
