#pragma once

#include "Model/MemoryDraft.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class AppModel;
class ContentView;
class InfoTile;
class LabeledField;
class LabeledPicker;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QPushButton;
class QToolButton;

// The detail editor: the main window's working copy of the selected channel with its badges,
// the FT-991A summary chips, the field sections of the draft's model, the raw fields under
// "Erweitert" and the three actions. Controls change only the draft; the draft reaches the
// memory table only through "Änderungen übernehmen" and "Ausgewählten schreiben", both after
// validation.
class MemoryDetailEditor : public QWidget {
    Q_OBJECT

public:
    MemoryDetailEditor(AppModel *appModel, ContentView *window, QWidget *parent = nullptr);

    // Whether the draft differs from the stored selected channel (also when it is invalid or no
    // channel is selected).
    bool draftIsDirty() const;
    void resetDraft();
    void applyDraftToModel();
    void saveAndWrite();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    using Change = std::function<MemoryDraft(MemoryDraft)>;
    template <typename Value> using Getter = std::function<Value(const MemoryDraft &)>;
    template <typename Value> using Setter = std::function<MemoryDraft(MemoryDraft, Value)>;

    QWidget *buildBadges();
    QWidget *buildChips();
    QWidget *buildCommonColumn();
    QWidget *buildFT991ABlock();
    QWidget *buildFT710Block();
    QWidget *buildToneNumberRow();
    QWidget *buildAdvanced();
    QWidget *buildActions();
    QWidget *infoLine(const QString &objectName, const Getter<QString> &text);

    void bindField(LabeledField *field, const QString &objectName, Getter<QString> get, Setter<QString> set);
    void bindPicker(LabeledPicker *picker, const QString &objectName, Getter<QString> get,
                    Setter<QString> set);
    void bindSwitch(QCheckBox *box, const QString &objectName, Getter<bool> get, Setter<bool> set);
    void onRefresh(std::function<void(const MemoryDraft &)> refresh);

    void changeDraft(const Change &change);
    void commit(bool write);
    void refresh();
    void refreshActions();
    void applyTheme();
    void layoutChips();

    QPointer<AppModel> m_appModel;
    QPointer<ContentView> m_window;
    std::vector<std::function<void(const MemoryDraft &)>> m_refreshers;

    QGroupBox *m_group = nullptr;
    InfoTile *m_changesBadge = nullptr;
    QList<InfoTile *> m_tiles;
    QWidget *m_chips = nullptr;
    QGridLayout *m_chipGrid = nullptr;
    QList<InfoTile *> m_chipTiles;
    QList<LabeledField *> m_fields;
    QToolButton *m_advancedToggle = nullptr;
    QWidget *m_advancedContent = nullptr;
    QPushButton *m_resetButton = nullptr;
    QPushButton *m_applyButton = nullptr;
    QPushButton *m_writeButton = nullptr;
};
