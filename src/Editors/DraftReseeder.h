#pragma once

#include "Model/RadioMemory.h"

#include <QObject>
#include <QPointer>
#include <optional>

class AppModel;
class ContentView;

// Keeps an untouched draft in step with the channel it shows. When the selected channel's
// stored record changes (read all, read selected, import, model switch) while the draft still
// equals the record it was made from, the draft is made again from the new record; otherwise
// it would later write an old or empty channel over the radio's real one. A draft with edits
// of the user's is left alone.
class DraftReseeder : public QObject {
    Q_OBJECT

public:
    DraftReseeder(AppModel *appModel, ContentView *window, QObject *parent = nullptr);

private:
    void onTableChanged();
    // Remembers the selected channel as the draft's origin while the draft equals it.
    void rememberOrigin();

    QPointer<AppModel> m_appModel;
    QPointer<ContentView> m_window;
    std::optional<RadioMemory> m_origin;
};
