#include "Localization/AppLanguage.h"
#include "Localization/TranslationCatalogue.h"

#include <QRegularExpression>
#include <QTest>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// Technical words and abbreviations that read the same in every language.
const QStringList keptEverywhere{"OK", "RX", "CTCSS/DCS", "CTCSS", "DCS"};

QStringList keysOf(const TranslationCatalogue::Rows &rows) {
    QStringList keys;
    for (const auto &row : rows)
        keys.append(row.first);
    return keys;
}

QString textOf(const TranslationCatalogue::Rows &rows, const QString &key) {
    for (const auto &[rowKey, text] : rows) {
        if (rowKey == key)
            return text;
    }
    return {};
}

} // namespace

// Checks of the translation tables themselves: every table is data a translator edits by hand.
class TranslationCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    // Runs first, so both threads race to build the tables.
    void concurrentFirstUseBuildsEachTableOnce() {
        const TranslationCatalogue::Table *seen[2] = {};
        qsizetype englishSize[2] = {};
        auto firstUse = [&](int i) {
            seen[i] = TranslationCatalogue::dictionary(AppLanguage::fr);
            englishSize[i] = TranslationCatalogue::english().size();
        };
        std::thread one(firstUse, 0);
        std::thread two(firstUse, 1);
        one.join();
        two.join();
        QVERIFY(seen[0] != nullptr);
        QCOMPARE(seen[0], seen[1]);
        QCOMPARE(seen[0]->size(), 76);
        QCOMPARE(englishSize[0], 76);
        QCOMPARE(englishSize[1], 76);
    }

    void englishHoldsTheKeys() {
        const QStringList keys = keysOf(TranslationCatalogue::rows(QStringLiteral("en")));
        QCOMPARE(keys.size(), 76);
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), 76);
        QCOMPARE(keys.first(), QStringLiteral("Detail"));
        QCOMPARE(keys.last(), QStringLiteral("Nicht aktiv"));
        QCOMPARE(TranslationCatalogue::english().size(), 76);
    }

    void tableLanguages() {
        QStringList codes;
        for (AppLanguage language : TranslationCatalogue::dictionaryLanguages())
            codes.append(rawValue(language));
        QCOMPARE(codes.join(u' '),
                 QStringLiteral("bg hr cs da nl et fi fr el hu ga it lv lt mt pl pt ro sk sl es sv"));
        QCOMPARE(TranslationCatalogue::dictionary(AppLanguage::en), nullptr);
        QCOMPARE(TranslationCatalogue::dictionary(AppLanguage::de), nullptr);
        QCOMPARE(TranslationCatalogue::dictionary(AppLanguage::system), nullptr);
    }

    // Every table: the English keys in the same order, single-line texts, the technical words
    // kept, the dashes of "— nicht gelesen —"; a language table keeps between 5 (the technical
    // words) and 16 texts equal to their key, more would mean it is unfinished.
    void tableShape_data() { everyTable(); }
    void tableShape() {
        QFETCH(QString, code);
        const TranslationCatalogue::Rows rows = TranslationCatalogue::rows(code);
        QCOMPARE(keysOf(rows), keysOf(TranslationCatalogue::rows(QStringLiteral("en"))));
        qsizetype same = 0;
        for (const auto &[key, text] : rows) {
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(key));
            QVERIFY2(text == text.trimmed(), qPrintable(key));
            QVERIFY2(!text.contains(QRegularExpression(u"[\\n\\r\\t\\x{2028}\\x{2029}]"_s)), qPrintable(key));
            same += key == text ? 1 : 0;
        }
        for (const QString &key : keptEverywhere)
            QCOMPARE(textOf(rows, key), key);
        const QString notRead = rows.at(46).second;
        QVERIFY2(notRead.startsWith(QStringLiteral("\u2014 ")) &&
                     notRead.endsWith(QStringLiteral(" \u2014")) && notRead.size() > 4,
                 qPrintable(notRead));
        if (code != QLatin1String("en"))
            QVERIFY2(same >= 5 && same <= 16, qPrintable(QString::number(same)));
    }

    // Four telling rows of the first and last tables and of those with unusual punctuation or
    // grammar: the Finnish "Korvel:n", the French blank before "?", the Greek ";", the Spanish "¿".
    void knownRows_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("texts");
        QTest::addRow("en") << u"en"_s
                            << QStringList{u"Notice"_s, u"Which language should Korvel use?"_s,
                                           u"— not read —"_s, u"Pending"_s};
        QTest::addRow("bg") << u"bg"_s
                            << QStringList{u"Бележка"_s, u"Кой език да използва Korvel?"_s,
                                           u"— не е прочетено —"_s, u"Чакащо"_s};
        QTest::addRow("fi") << u"fi"_s
                            << QStringList{u"Huomautus"_s, u"Mitä kieltä Korvel:n tulee käyttää?"_s,
                                           u"— ei luettu —"_s, u"Avoin"_s};
        QTest::addRow("fr") << u"fr"_s
                            << QStringList{u"Avis"_s, u"Quelle langue Korvel doit-il utiliser ?"_s,
                                           u"— non lu —"_s, u"En attente"_s};
        QTest::addRow("el") << u"el"_s
                            << QStringList{u"Σημείωση"_s, u"Ποια γλώσσα πρέπει να χρησιμοποιεί το Korvel;"_s,
                                           u"— δεν διαβάστηκε —"_s, u"Εκκρεμές"_s};
        QTest::addRow("es") << u"es"_s
                            << QStringList{u"Aviso"_s, u"¿Qué idioma debe usar Korvel?"_s, u"— no leído —"_s,
                                           u"Pendiente"_s};
        QTest::addRow("sv") << u"sv"_s
                            << QStringList{u"Notis"_s, u"Vilket språk ska Korvel använda?"_s,
                                           u"— inte läst —"_s, u"Väntande"_s};
    }
    void knownRows() {
        QFETCH(QString, code);
        QFETCH(QStringList, texts);
        const TranslationCatalogue::Rows rows = TranslationCatalogue::rows(code);
        QCOMPARE(rows.size(), 76);
        QCOMPARE(rows.at(1).second, texts.at(0));
        QCOMPARE(rows.at(38).second, texts.at(1));
        QCOMPARE(rows.at(46).second, texts.at(2));
        QCOMPARE(rows.at(74).second, texts.at(3));
    }

private:
    static void everyTable() {
        QTest::addColumn<QString>("code");
        QTest::addRow("en") << u"en"_s;
        for (AppLanguage language : TranslationCatalogue::dictionaryLanguages())
            QTest::addRow("%s", qPrintable(rawValue(language))) << rawValue(language);
    }
};

QTEST_GUILESS_MAIN(TranslationCatalogueTest)
#include "tst_translationcatalogue.moc"
