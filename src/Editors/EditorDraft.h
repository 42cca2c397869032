#pragma once

#include "Model/MemoryDraft.h"
#include "Model/RadioMemory.h"

#include <QObject>
#include <QPointer>
#include <optional>

class AppModel;

// The detail editor's working copy of the selected channel, and the one way both memory editors
// store and write a channel. The draft is made anew when another channel is selected. An untouched
// draft also follows its channel when the stored record changes (read all, read selected, import,
// model switch, an edit in its table row); otherwise it would later write an old or empty channel
// over the radio's real one. A draft with edits of the user's is left alone, and so is a draft
// through the read-back of a write started here: when the radio reads back other values, the
// draft keeps the ones the user asked for and counts as changed.
class EditorDraft : public QObject {
    Q_OBJECT

public:
    explicit EditorDraft(AppModel *appModel, QObject *parent = nullptr);

    const std::optional<MemoryDraft> &draft() const { return m_draft; }
    void setDraft(const std::optional<MemoryDraft> &draft);
    // Whether the draft differs from the stored selected channel (also when it is invalid or no
    // channel is selected).
    bool draftIsDirty() const;
    // The draft made anew from the selected channel; nothing happens without one.
    void resetDraft();

    // Validates `channel`, stores the normalised channel and, with `write`, writes it to the radio
    // (after a check that the radio can take it). A failed check becomes the alert.
    void commit(const MemoryDraft &channel, bool write);

signals:
    void draftChanged();

private:
    void followSelection();
    void followTable();
    // The selected channel's record as the draft was last compared with it.
    void rememberStored();

    QPointer<AppModel> m_appModel;
    std::optional<MemoryDraft> m_draft;
    // The selection the draft last followed: the model announces every assignment, but only a
    // change of channel may replace the user's unapplied edits.
    std::optional<QString> m_followedSelection;
    std::optional<RadioMemory> m_stored;
    // The channel a write started here is writing, until the write ends.
    std::optional<QString> m_writingSlot;
};
