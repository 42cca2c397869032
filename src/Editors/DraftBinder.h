#pragma once

#include "Model/MemoryDraft.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class EditorDraft;
class LabeledField;
class LabeledPicker;
class QCheckBox;
class QLabel;

// Ties the detail editor's controls to the draft: each control shows its part of the draft after
// every change, and what the user does in it becomes a new draft. Nothing else is written.
class DraftBinder : public QObject {
    Q_OBJECT

public:
    template <typename Value> using Getter = std::function<Value(const MemoryDraft &)>;
    template <typename Value> using Setter = std::function<MemoryDraft(MemoryDraft, Value)>;

    explicit DraftBinder(EditorDraft *draft, QObject *parent = nullptr);

    void bindField(LabeledField *field, const QString &objectName, Getter<QString> get, Setter<QString> set);
    void bindPicker(LabeledPicker *picker, const QString &objectName, Getter<QString> get,
                    Setter<QString> set);
    void bindSwitch(QCheckBox *box, const QString &objectName, Getter<bool> get, Setter<bool> set);
    // A wrapping caption line whose text follows the draft.
    QLabel *infoLine(const QString &objectName, const Getter<QString> &text);
    // Runs `refresh` with the draft whenever the draft is shown again.
    void onRefresh(std::function<void(const MemoryDraft &)> refresh);

    // Shows the draft in every bound control, in the order they were bound.
    void refresh();

private:
    void changeDraft(const std::function<MemoryDraft(MemoryDraft)> &change);

    QPointer<EditorDraft> m_draft;
    std::vector<std::function<void(const MemoryDraft &)>> m_refreshers;
};
