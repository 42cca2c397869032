#pragma once

#include <QObject>
#include <QTranslator>

// Qt's own texts (standard buttons, file dialogs) in the chosen language, from the translations
// Qt installs. A language Qt has no translation for keeps them in English.
class QtTranslations : public QObject {
    Q_OBJECT

public:
    explicit QtTranslations(QObject *parent = nullptr);

private:
    void load();

    QTranslator m_translator;
};
