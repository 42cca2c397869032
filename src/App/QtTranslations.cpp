#include "App/QtTranslations.h"

#include "Localization/L.h"
#include "Localization/LanguageSelection.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

QtTranslations::QtTranslations(QObject *parent)
    : QObject(parent) {
    connect(LanguageSelection::shared(), &LanguageSelection::changed, this, &QtTranslations::load);
    load();
}

void QtTranslations::load() {
    QCoreApplication::removeTranslator(&m_translator);
    if (m_translator.load(QLocale(rawValue(L::current())), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_translator);
}
