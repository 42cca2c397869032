#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "TestSettings.h"

#include <QTest>

class LocalizationTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        L::setPreferredLanguagesSource([this] { return m_preferred; });
        m_preferred = {QStringLiteral("de-DE")};
    }
    void cleanup() { L::setPreferredLanguagesSource({}); }

    void storedChoiceWins_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::addRow("de") << "de" << "Hinweis";
        QTest::addRow("en") << "en" << "Notice";
        QTest::addRow("fr") << "fr" << "Avis";
    }
    void storedChoiceWins() {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        m_preferred = {QStringLiteral("sv-SE")};
        UserDefaults::setValue(L::userDefaultsLanguageKey(), stored);
        QCOMPARE(loc(QStringLiteral("Hinweis")), expected);
    }

private:
    std::unique_ptr<TestSettings> m_settings;
    QStringList m_preferred;
};

QTEST_GUILESS_MAIN(LocalizationTest)
#include "tst_localization.moc"
