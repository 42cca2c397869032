#pragma once

#include "Model/RadioMemory.h"

#include <QObject>
#include <QPointer>
#include <optional>

class AppModel;
class ContentView;

// Keeps an untouched draft in step with the channel it shows. When the selected channel's
// stored record changes (read all, read selected, import, model switch, an edit in its table
// row) while the draft shows no change against the record as it was, the draft is made again
// from the new record; otherwise it would later write an old or empty channel over the radio's
// real one. A draft with edits of the user's is left alone, and so is the draft through a write
// that an editor started: when the radio reads back other values, the draft keeps the ones the
// user asked for and counts as changed.
class DraftReseeder : public QObject {
    Q_OBJECT

public:
    DraftReseeder(AppModel *appModel, ContentView *window, QObject *parent = nullptr);
    ~DraftReseeder() override;

    // Called by the editors right after they started writing `slot` to the radio: until that
    // write ends, the stored records it brings leave every draft of `appModel` as it is.
    static void writeStarted(AppModel *appModel, const QString &slot);

private:
    void onTableChanged();
    void onBusyChanged();
    // The selected channel's record as the draft was last compared with it.
    void rememberStored();

    QPointer<AppModel> m_appModel;
    QPointer<ContentView> m_window;
    std::optional<RadioMemory> m_stored;
    std::optional<QString> m_writingSlot;
};
