#pragma once

#include "Localization/AppLanguage.h"

#include <QObject>
#include <QString>

// The stored user-interface language choice ("Korvel.languageSelection"), shared by every
// language picker of the program. Windows rebuild their texts when `changed` fires; connect it
// queued, so a picker is never deleted inside its own signal.
class LanguageSelection : public QObject {
    Q_OBJECT

public:
    // The program's one instance (created on first use, owned by the application object).
    static LanguageSelection *shared();

    // The stored raw value; "system" when nothing is stored. A value written from outside that
    // names no language is returned as stored, so no picker row shows as chosen.
    QString value() const;
    // Stores the raw value of `language` and announces the change.
    void select(AppLanguage language);

signals:
    void changed();

private:
    using QObject::QObject;
};
