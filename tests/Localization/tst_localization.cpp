#include "Localization/L.h"
#include "Localization/TranslationCatalogue.h"
#include "Localization/UserDefaults.h"
#include "TestSettings.h"

#include <QTest>

using namespace Qt::StringLiterals;

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

    // An unrecognised stored value means "system", which takes the first preferred language only.
    void effectiveLanguage_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("effective");
        const QStringList swedish{u"sv-SE"_s};
        QTest::addRow("system") << QVariant("system") << swedish << u"system"_s << u"sv"_s;
        QTest::addRow("de") << QVariant("de") << swedish << u"de"_s << u"de"_s;
        QTest::addRow("fr") << QVariant("fr") << QStringList{u"de-DE"_s} << u"fr"_s << u"fr"_s;
        // After a row that stored a choice: a fresh store holds none.
        QTest::addRow("nothing stored") << QVariant() << swedish << u"system"_s << u"sv"_s;
        QTest::addRow("upper case DE") << QVariant("DE") << swedish << u"system"_s << u"sv"_s;
        QTest::addRow("with region de-DE") << QVariant("de-DE") << swedish << u"system"_s << u"sv"_s;
        QTest::addRow("empty text") << QVariant("") << swedish << u"system"_s << u"sv"_s;
        QTest::addRow("language name") << QVariant("Deutsch") << swedish << u"system"_s << u"sv"_s;
        QTest::addRow("not a text") << QVariant(7) << swedish << u"system"_s << u"sv"_s;
        QTest::addRow("German system") << QVariant() << QStringList{u"de-CH"_s} << u"system"_s << u"de"_s;
        QTest::addRow("first entry only")
            << QVariant() << QStringList{u"zh-Hans"_s, u"fr-FR"_s} << u"system"_s << u"en"_s;
        QTest::addRow("first of two known")
            << QVariant() << QStringList{u"sv-SE"_s, u"de-DE"_s} << u"system"_s << u"sv"_s;
        QTest::addRow("empty list") << QVariant() << QStringList{} << u"system"_s << u"en"_s;
    }
    void effectiveLanguage() {
        QFETCH(QVariant, stored);
        QFETCH(QStringList, preferred);
        QFETCH(QString, selected);
        QFETCH(QString, effective);
        m_preferred = preferred;
        if (stored.isValid())
            UserDefaults::setValue(L::userDefaultsLanguageKey(), stored);
        QCOMPARE(rawValue(L::selectedLanguage()), selected);
        QCOMPARE(rawValue(L::current()), effective);
        QCOMPARE(L::text(u"Kanal 5"_s, u"Channel 5"_s), effective == u"de" ? u"Kanal 5"_s : u"Channel 5"_s);
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
        QTest::addRow("Norwegian nb-NO") << u"nb-NO"_s << u"en"_s;
        QTest::addRow("Filipino fil-PH begins with fi") << u"fil-PH"_s << u"fi"_s;
        QTest::addRow("mixed case EN-gb") << u"EN-gb"_s << u"en"_s;
        QTest::addRow("region pt-BR") << u"pt-BR"_s << u"pt"_s;
        QTest::addRow("underscore de_CH") << u"de_CH"_s << u"de"_s;
        QTest::addRow("three letters frr") << u"frr"_s << u"fr"_s;
        QTest::addRow("script zh-Hant") << u"zh-Hant"_s << u"en"_s;
        QTest::addRow("upper case SV-FI") << u"SV-FI"_s << u"sv"_s;
        QTest::addRow("three-letter ces is not cs") << u"ces"_s << u"en"_s;
        QTest::addRow("a word beginning with de") << u"Deutsch"_s << u"de"_s;
        QTest::addRow("the raw value system") << u"system"_s << u"en"_s;
        QTest::addRow("one letter") << u"d"_s << u"en"_s;
        QTest::addRow("empty") << u""_s << u"en"_s;
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
        QTest::addRow("de keeps the key") << u"de"_s << noteKey << noteKey;
        QTest::addRow("en table") << u"en"_s << noteKey << u"Notice"_s;
        QTest::addRow("fr table") << u"fr"_s << noteKey << u"Avis"_s;
        QTest::addRow("en English key") << u"en"_s << u"Enable"_s << u"Enable"_s;
        QTest::addRow("en unknown key") << u"en"_s << unknownKey << unknownKey;
        QTest::addRow("empty key") << u"fr"_s << u""_s << u""_s;
        QTest::addRow("other case") << u"en"_s << u"hinweis"_s << u"hinweis"_s;
        QTest::addRow("trailing blank") << u"en"_s << u"Hinweis "_s << u"Hinweis "_s;
        QTest::addRow("two blanks inside") << u"en"_s << u"Alle  lesen"_s << u"Alle  lesen"_s;
        QTest::addRow("en dashes") << u"en"_s << u"– nicht gelesen –"_s << u"– nicht gelesen –"_s;
        QTest::addRow("em dashes") << u"fr"_s << u"— nicht gelesen —"_s << u"— non lu —"_s;
        QTest::addRow("decomposed umlaut en") << u"en"_s << QStringLiteral("O\u0308ffnung") << u"Encode"_s;
        QTest::addRow("decomposed umlaut de")
            << u"de"_s << QStringLiteral("O\u0308ffnung") << QStringLiteral("O\u0308ffnung");
    }
    void localized() {
        QFETCH(QString, language);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        store(language);
        QCOMPARE(loc(key), expected);
    }

    // Under every choice each of the 76 keys gives the text of the effective language's own table
    // (the key itself under German), never another table's; a text that no table holds comes back
    // unchanged; the names of the languages are never translated.
    void everyChoice_data() {
        QTest::addColumn<QString>("language");
        for (AppLanguage language : allAppLanguages())
            QTest::addRow("%s", qPrintable(rawValue(language))) << rawValue(language);
    }
    void everyChoice() {
        QFETCH(QString, language);
        store(language);
        const bool german = L::current() == AppLanguage::de;
        const TranslationCatalogue::Rows rows =
            TranslationCatalogue::rows(german ? u"en"_s : rawValue(L::current()));
        QCOMPARE(rows.size(), 76);
        for (const auto &[key, text] : rows)
            QCOMPARE(loc(key), german ? key : text);
        QCOMPARE(loc(unknownKey), unknownKey);
        QCOMPARE(displayName(AppLanguage::system), u"System"_s);
        QCOMPARE(displayName(AppLanguage::de), u"Deutsch"_s);
        QCOMPARE(displayName(AppLanguage::el), u"Ελληνικά"_s);
        QCOMPARE(displayName(AppLanguage::sl), u"Slovenščina"_s);
    }

    // --- the language choices -----------------------------------------------------------------

    void choices() {
        QCOMPARE(L::userDefaultsLanguageKey(), QStringLiteral("Korvel.languageSelection"));
        const QList<AppLanguage> &all = allAppLanguages();
        QCOMPARE(all.size(), 25);
        QCOMPARE(all.first(), AppLanguage::system);
        QCOMPARE(all.last(), AppLanguage::sv);
        for (AppLanguage language : all)
            QCOMPARE(appLanguageFromRawValue(rawValue(language)), language);
        QCOMPARE(appLanguageFromRawValue(QStringLiteral("DE")), std::nullopt);
        QCOMPARE(appLanguageFromRawValue(QStringLiteral("de-DE")), std::nullopt);
        QCOMPARE(appLanguageFromRawValue(QString()), std::nullopt);
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

    std::unique_ptr<TestSettings> m_settings;
    QStringList m_preferred;
};

QTEST_GUILESS_MAIN(LocalizationTest)
#include "tst_localization.moc"
