#include "Model/CATText.h"

#include "Localization/L.h"
#include "Model/RadioError.h"

#include <algorithm>

namespace CATText {

bool isSendable(const QString &text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar character) {
        return character.unicode() >= 0x20 && character.unicode() <= 0x7E && character != u';';
    });
}

QString requireSendable(const QString &text, MemoryField field) {
    if (isSendable(text))
        return text;
    const QString name = label(field);
    throw RadioError::invalidMemory(L::text(
        QStringLiteral("Das Feld „%1“ enthält ein Zeichen, das nicht an das Funkgerät gesendet werden "
                       "kann (erlaubt sind nur druckbare ASCII-Zeichen außer „;“).")
            .arg(name),
        QStringLiteral("The field \"%1\" contains a character that cannot be sent to the radio (only "
                       "printable ASCII characters other than \";\" are allowed).")
            .arg(name)));
}

} // namespace CATText
