#pragma once

#include <QPointer>
#include <QWidget>

class AppModel;
class DraftBinder;
class EditorDraft;
class InfoTile;
class QGridLayout;
class QGroupBox;
class QPushButton;
class QScrollArea;
class QToolButton;
struct ModelPalette;

// The detail editor: the working copy of the selected channel with its badges, the FT-991A
// summary chips, the field sections of the draft's model, the raw fields under "Erweitert" and
// the three actions. Controls change only the draft; the draft reaches the memory table only
// through "Änderungen übernehmen" and "Ausgewählten schreiben", both after validation.
class MemoryDetailEditor : public QWidget {
    Q_OBJECT

public:
    MemoryDetailEditor(AppModel *appModel, EditorDraft *draft, QWidget *parent = nullptr);

    // The colours of the badges, the fields' accent lines and "Ausgewählten schreiben".
    void setModelPalette(const ModelPalette &palette);
    // Whether "Erweitert" is open; the user opens and closes it with its toggle.
    bool showAdvanced() const { return m_showAdvanced; }
    void setShowAdvanced(bool show);

signals:
    void showAdvancedChanged(bool show);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildBadges();
    QWidget *buildChips();
    QWidget *buildAdvanced();
    QWidget *buildActions();
    void layoutChips();
    void keepFirstFieldRowInView();
    void refresh();
    void refreshActions();

    void resetDraft();
    void applyDraftToModel();
    void saveAndWrite();

    QPointer<AppModel> m_appModel;
    QPointer<EditorDraft> m_draft;
    DraftBinder *m_binder;
    bool m_showAdvanced = false;

    QGroupBox *m_group = nullptr;
    InfoTile *m_changesBadge = nullptr;
    QWidget *m_chips = nullptr;
    QGridLayout *m_chipGrid = nullptr;
    QList<InfoTile *> m_chipTiles;
    QScrollArea *m_fields = nullptr;
    QList<QWidget *> m_firstFieldRow;
    QToolButton *m_advancedToggle = nullptr;
    QWidget *m_advancedContent = nullptr;
    QPushButton *m_resetButton = nullptr;
    QPushButton *m_applyButton = nullptr;
    QPushButton *m_writeButton = nullptr;
};
