#include "Localization/AppLanguage.h"
#include "Localization/TranslationCatalogue.h"

#include <QTest>
#include <thread>

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

bool isSingleLine(const QString &text) {
    for (QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t' || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
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

    void sameKeysInSameOrder_data() { everyTable(); }
    void sameKeysInSameOrder() {
        QFETCH(QString, code);
        QCOMPARE(keysOf(TranslationCatalogue::rows(code)),
                 keysOf(TranslationCatalogue::rows(QStringLiteral("en"))));
    }

    void textsAreSingleLines_data() { everyTable(); }
    void textsAreSingleLines() {
        QFETCH(QString, code);
        for (const auto &[key, text] : TranslationCatalogue::rows(code)) {
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(key));
            QVERIFY2(text == text.trimmed(), qPrintable(key));
            QVERIFY2(isSingleLine(text), qPrintable(key));
        }
    }

    void technicalWordsKept_data() { everyTable(); }
    void technicalWordsKept() {
        QFETCH(QString, code);
        const TranslationCatalogue::Rows rows = TranslationCatalogue::rows(code);
        for (const QString &key : keptEverywhere)
            QCOMPARE(textOf(rows, key), key);
    }

    void notReadKeepsItsDashes_data() { everyTable(); }
    void notReadKeepsItsDashes() {
        QFETCH(QString, code);
        const QString text = TranslationCatalogue::rows(code).at(46).second;
        QVERIFY2(text.startsWith(QStringLiteral("\u2014 ")), qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral(" \u2014")), qPrintable(text));
        QVERIFY(text.size() > 4);
    }

    // A table that keeps too many German or English words is unfinished; one that keeps fewer
    // than the five technical words has translated what must stay.
    void textsEqualToKeyWithinBounds_data() {
        QTest::addColumn<QString>("code");
        for (AppLanguage language : TranslationCatalogue::dictionaryLanguages())
            QTest::addRow("%s", qPrintable(rawValue(language))) << rawValue(language);
    }
    void textsEqualToKeyWithinBounds() {
        QFETCH(QString, code);
        qsizetype same = 0;
        for (const auto &[key, text] : TranslationCatalogue::rows(code))
            same += key == text ? 1 : 0;
        QVERIFY2(same >= 5 && same <= 16, qPrintable(QString::number(same)));
    }

    void knownRows_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("texts");
        QTest::addRow("en") << "en"
                            << QStringList{"Notice", "Which language should Korvel use?", "— not read —",
                                           "Pending"};
        QTest::addRow("bg") << "bg"
                            << QStringList{"Бележка", "Кой език да използва Korvel?", "— не е прочетено —",
                                           "Чакащо"};
        QTest::addRow("hr") << "hr"
                            << QStringList{"Napomena", "Koji jezik treba koristiti Korvel?",
                                           "— nije pročitano —", "Na čekanju"};
        QTest::addRow("cs") << "cs"
                            << QStringList{"Poznámka", "Jaký jazyk má Korvel používat?", "— nenačteno —",
                                           "Nevyřízené"};
        QTest::addRow("da") << "da"
                            << QStringList{"Bemærkning", "Hvilket sprog skal Korvel bruge?", "— ikke læst —",
                                           "Afventer"};
        QTest::addRow("nl") << "nl"
                            << QStringList{"Opmerking", "Welke taal moet Korvel gebruiken?",
                                           "— niet gelezen —", "Openstaand"};
        QTest::addRow("et") << "et"
                            << QStringList{"Märkus", "Millist keelt peaks Korvel kasutama?", "— lugemata —",
                                           "Ootel"};
        QTest::addRow("fi") << "fi"
                            << QStringList{"Huomautus", "Mitä kieltä Korvel:n tulee käyttää?",
                                           "— ei luettu —", "Avoin"};
        QTest::addRow("fr") << "fr"
                            << QStringList{"Avis", "Quelle langue Korvel doit-il utiliser ?", "— non lu —",
                                           "En attente"};
        QTest::addRow("el") << "el"
                            << QStringList{"Σημείωση", "Ποια γλώσσα πρέπει να χρησιμοποιεί το Korvel;",
                                           "— δεν διαβάστηκε —", "Εκκρεμές"};
        QTest::addRow("hu") << "hu"
                            << QStringList{"Megjegyzés", "Melyik nyelvet használja az Korvel?",
                                           "— nincs beolvasva —", "Függőben"};
        QTest::addRow("ga") << "ga"
                            << QStringList{"Nóta", "Cén teanga ba chóir do Korvel a úsáid?", "— gan léamh —",
                                           "Ar feitheamh"};
        QTest::addRow("it") << "it"
                            << QStringList{"Nota", "Quale lingua deve usare Korvel?", "— non letto —",
                                           "In sospeso"};
        QTest::addRow("lv") << "lv"
                            << QStringList{"Piezīme", "Kādu valodu izmantot Korvel?", "— nav nolasīts —",
                                           "Gaida"};
        QTest::addRow("lt") << "lt"
                            << QStringList{"Pastaba", "Kokią kalbą turėtų naudoti Korvel?",
                                           "— nenuskaityta —", "Laukiama"};
        QTest::addRow("mt") << "mt"
                            << QStringList{"Nota", "Liema lingwa għandu juża Korvel?", "— mhux moqri —",
                                           "Pendenti"};
        QTest::addRow("pl") << "pl"
                            << QStringList{"Uwaga", "Którego języka ma używać Korvel?", "— nieodczytano —",
                                           "Oczekujące"};
        QTest::addRow("pt") << "pt"
                            << QStringList{"Aviso", "Que idioma deve o Korvel usar?", "— não lido —",
                                           "Pendente"};
        QTest::addRow("ro") << "ro"
                            << QStringList{"Notă", "Ce limbă ar trebui să folosească Korvel?", "— necitit —",
                                           "În așteptare"};
        QTest::addRow("sk") << "sk"
                            << QStringList{"Poznámka", "Aký jazyk má Korvel používať?", "— nenačítané —",
                                           "Čaká"};
        QTest::addRow("sl") << "sl"
                            << QStringList{"Opomba", "Kateri jezik naj uporablja Korvel?", "— ni prebrano —",
                                           "V teku"};
        QTest::addRow("es") << "es"
                            << QStringList{"Aviso", "¿Qué idioma debe usar Korvel?", "— no leído —",
                                           "Pendiente"};
        QTest::addRow("sv") << "sv"
                            << QStringList{"Notis", "Vilket språk ska Korvel använda?", "— inte läst —",
                                           "Väntande"};
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
        QTest::addRow("en") << "en";
        for (AppLanguage language : TranslationCatalogue::dictionaryLanguages())
            QTest::addRow("%s", qPrintable(rawValue(language))) << rawValue(language);
    }
};

QTEST_GUILESS_MAIN(TranslationCatalogueTest)
#include "tst_translationcatalogue.moc"
