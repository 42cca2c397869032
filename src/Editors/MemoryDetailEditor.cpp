#include "Editors/MemoryDetailEditor.h"

#include "AppModel/AppModel.h"
#include "Editors/DetailFieldSections.h"
#include "Editors/DraftBinder.h"
#include "Editors/EditorDraft.h"
#include "Editors/EditorStyle.h"
#include "Editors/FieldBindings.h"
#include "Editors/InfoTile.h"
#include "Editors/LabeledField.h"
#include "Localization/L.h"
#include "Theme/ButtonStyle.h"
#include "Theme/FocusHandOff.h"
#include "Theme/ModelPalette.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

using namespace FieldBindings;

namespace {

constexpr int chipMinimumWidth = 170;
constexpr int chipSpacing = 12;

QString modeChipText(const MemoryDraft &draft) {
    const std::optional<RadioModeOption> mode = radioModeOptionFromCode(draft.modeCode);
    return mode ? title(*mode) : draft.modeCode;
}

} // namespace

MemoryDetailEditor::MemoryDetailEditor(AppModel *appModel, EditorDraft *draft, QWidget *parent)
    : QWidget(parent)
    , m_appModel(appModel)
    , m_draft(draft)
    , m_binder(new DraftBinder(draft, this)) {
    setObjectName(QStringLiteral("detailEditor"));

    m_group = new QGroupBox;
    m_group->setObjectName(QStringLiteral("detailEditor.group"));
    auto *outer = EditorStyle::column(this);
    outer->addWidget(m_group);

    auto *content = new QWidget;
    auto *stack = new QVBoxLayout(content);
    stack->setContentsMargins(0, 8, 8, 0);
    stack->setSpacing(16);
    stack->addWidget(buildBadges());
    stack->addWidget(buildChips());

    auto *fieldRow = new QHBoxLayout;
    fieldRow->setSpacing(20);
    for (QWidget *block :
         {DetailFieldSections::commonColumn(*m_binder, appModel), DetailFieldSections::ft991aBlock(*m_binder),
          DetailFieldSections::ft710Block(*m_binder)}) {
        fieldRow->addWidget(block, 0, Qt::AlignTop);
        QWidget *firstField = block->layout()->itemAt(0)->widget();
        firstField->installEventFilter(this);
        m_firstFieldRow << firstField;
    }
    fieldRow->addStretch(1);
    stack->addLayout(fieldRow);

    QWidget *hint = m_binder->infoLine(QStringLiteral("detailEditor.ft991aHint"), [](const MemoryDraft &) {
        return loc(
            QStringLiteral("Hinweis: Bei der FT-991A werden jetzt Mode, Ton/SQL-Modus, CTCSS-/DCS-Nummer, "
                           "Repeater-Ablage und Clarifier aus dem Speicherformat ausgewertet. Weitere "
                           "Detailfelder können danach folgen."));
    });
    m_binder->onRefresh(
        [hint](const MemoryDraft &draft) { hint->setVisible(draft.radioModel == RadioModel::ft991a); });
    stack->addWidget(hint);
    stack->addWidget(buildAdvanced());
    stack->addStretch(1);

    auto *scroll = m_fields = new QScrollArea;
    scroll->setObjectName(QStringLiteral("detailEditor.scroll"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // The fields take the keyboard; the area itself would be a stop that shows no focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    auto *divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setForegroundRole(QPalette::Mid);
    // The actions stay in view below the scrolling fields: the editor shares the column with the
    // log, and buttons scrolled out of sight would be missed.
    QVBoxLayout *groupLayout = EditorStyle::column(m_group, 10);
    groupLayout->addWidget(scroll, 1);
    groupLayout->addWidget(divider);
    groupLayout->addWidget(buildActions());

    connect(draft, &EditorDraft::draftChanged, this, &MemoryDetailEditor::refresh);
    connect(appModel, &AppModel::selectedRadioModelChanged, this, &MemoryDetailEditor::refresh);
    for (auto signal : {&AppModel::memoriesChanged, &AppModel::selectedMemoryIDChanged,
                        &AppModel::isBusyChanged, &AppModel::isConnectedChanged})
        connect(appModel, signal, this, &MemoryDetailEditor::refreshActions);
    connect(appModel, &AppModel::memoryChanged, this, &MemoryDetailEditor::refreshActions);

    setShowAdvanced(false);
    refresh();
}

QWidget *MemoryDetailEditor::buildBadges() {
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto badge = [&](const char *name, const QString &title, DraftBinder::Getter<QString> value) {
        auto *tile = new InfoTile(InfoTile::Look::badge, title);
        tile->setObjectName(QStringLiteral("detailEditor.badge.") + QLatin1String(name));
        m_binder->onRefresh([tile, value](const MemoryDraft &draft) { tile->setValue(value(draft)); });
        layout->addWidget(tile);
        return tile;
    };
    badge("model", loc(QStringLiteral("Funkgerät")),
          [](const MemoryDraft &d) { return rawValue(d.radioModel); });
    badge("slot", loc(QStringLiteral("Slot")), [](const MemoryDraft &d) { return d.slot; });
    badge("status", loc(QStringLiteral("Status")), [](const MemoryDraft &d) {
        return loc(d.isEmpty ? QStringLiteral("Leer") : QStringLiteral("Belegt"));
    });
    // Its value follows the stored table as well, so refreshActions() sets it.
    m_changesBadge = new InfoTile(InfoTile::Look::badge, loc(QStringLiteral("Änderungen")));
    m_changesBadge->setObjectName(QStringLiteral("detailEditor.badge.changes"));
    layout->addWidget(m_changesBadge);
    return row;
}

QWidget *MemoryDetailEditor::buildChips() {
    m_chips = new QWidget;
    m_chips->setObjectName(QStringLiteral("detailEditor.chips"));
    m_chipGrid = new QGridLayout(m_chips);
    m_chipGrid->setContentsMargins(0, 0, 0, 4);
    m_chipGrid->setSpacing(chipSpacing);
    const auto chip = [&](const char *name, const QString &title, DraftBinder::Getter<QString> value) {
        auto *tile = new InfoTile(InfoTile::Look::chip, title);
        tile->setObjectName(QStringLiteral("detailEditor.chip.") + QLatin1String(name));
        m_binder->onRefresh([tile, value](const MemoryDraft &draft) { tile->setValue(value(draft)); });
        m_chipTiles << tile;
    };
    chip("mode", loc(QStringLiteral("Mode")), modeChipText);
    chip("toneSql", loc(QStringLiteral("Ton / SQL")),
         [](const MemoryDraft &d) { return title(toneSqlMode(d)); });
    chip("tone", loc(QStringLiteral("CTCSS / DCS")), [](const MemoryDraft &d) { return toneLabel(d); });
    chip("repeater", loc(QStringLiteral("Repeater")),
         [](const MemoryDraft &d) { return loc(rawValue(repeaterShift(d))); });
    chip("clarifier", loc(QStringLiteral("Clarifier")),
         [](const MemoryDraft &d) { return MemoryDraft::ft991ClarifierSummary(d); });
    m_binder->onRefresh(
        [this](const MemoryDraft &draft) { m_chips->setVisible(draft.radioModel == RadioModel::ft991a); });
    layoutChips();
    return m_chips;
}

// As many chips side by side as the width allows, each at least 170 wide.
void MemoryDetailEditor::layoutChips() {
    // The scroll area's margins and bar take about 40 of the editor's width.
    const int available = width() - 40;
    const int columns =
        std::clamp((available + chipSpacing) / (chipMinimumWidth + chipSpacing), 1, int(m_chipTiles.size()));
    for (int i = 0; i < m_chipTiles.size(); ++i)
        m_chipGrid->addWidget(m_chipTiles[i], i / columns, i % columns);
}

void MemoryDetailEditor::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    layoutChips();
}

bool MemoryDetailEditor::eventFilter(QObject *watched, QEvent *event) {
    const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Resize;
    if (placed && m_firstFieldRow.contains(watched))
        keepFirstFieldRowInView();
    return QWidget::eventFilter(watched, event);
}

// However little height the main window's column leaves the editor, the fields' first row,
// below the badges and chips, stays in view.
void MemoryDetailEditor::keepFirstFieldRowInView() {
    QWidget *content = m_fields->widget();
    int bottom = 0;
    for (QWidget *field : std::as_const(m_firstFieldRow)) {
        if (field->isVisibleTo(content))
            bottom = std::max(bottom, field->mapTo(content, QPoint(0, field->height())).y());
    }
    m_fields->setMinimumHeight(bottom + 2 * m_fields->frameWidth());
}

QWidget *MemoryDetailEditor::buildAdvanced() {
    auto *group = new QWidget;
    auto *layout = EditorStyle::column(group, 0);
    m_advancedToggle = new QToolButton;
    m_advancedToggle->setObjectName(QStringLiteral("detailEditor.advanced"));
    m_advancedToggle->setText(loc(QStringLiteral("Erweitert")));
    m_advancedToggle->setCheckable(true);
    m_advancedToggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_advancedToggle->setAutoRaise(true);
    connect(m_advancedToggle, &QToolButton::clicked, this, &MemoryDetailEditor::setShowAdvanced);
    m_advancedContent = DetailFieldSections::advancedFields(*m_binder);
    layout->addWidget(m_advancedToggle, 0, Qt::AlignLeft);
    layout->addWidget(m_advancedContent);
    return group;
}

QWidget *MemoryDetailEditor::buildActions() {
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const char *name, const QString &title, void (MemoryDetailEditor::*action)()) {
        auto *push = new QPushButton(title);
        push->setObjectName(QStringLiteral("detailEditor.") + QLatin1String(name));
        connect(push, &QPushButton::clicked, this, action);
        layout->addWidget(push);
        return push;
    };
    m_resetButton = button("reset", loc(QStringLiteral("Zurücksetzen")), &MemoryDetailEditor::resetDraft);
    m_applyButton =
        button("apply", loc(QStringLiteral("Änderungen übernehmen")), &MemoryDetailEditor::applyDraftToModel);
    m_writeButton =
        button("write", loc(QStringLiteral("Ausgewählten schreiben")), &MemoryDetailEditor::saveAndWrite);
    m_writeButton->setDefault(true);
    layout->addStretch(1);
    return row;
}

void MemoryDetailEditor::setModelPalette(const ModelPalette &palette) {
    for (InfoTile *tile : findChildren<InfoTile *>())
        tile->setAccent(palette.primary, palette.secondary);
    for (LabeledField *field : findChildren<LabeledField *>())
        field->setAccent(palette.primary, palette.secondary);
    ButtonStyle::makeProminent(m_writeButton, palette.primary);
}

void MemoryDetailEditor::setShowAdvanced(bool show) {
    const QSignalBlocker blocker(m_advancedToggle);
    m_advancedToggle->setChecked(show);
    m_advancedToggle->setArrowType(show ? Qt::DownArrow : Qt::RightArrow);
    m_advancedContent->setVisible(show);
    if (m_showAdvanced == show)
        return;
    m_showAdvanced = show;
    emit showAdvancedChanged(show);
}

void MemoryDetailEditor::refresh() {
    if (!m_draft || !m_draft->draft())
        return;
    const QString &slot = m_draft->draft()->slot;
    m_group->setTitle(
        L::text(QStringLiteral("Editor für Speicher ") + slot, QStringLiteral("Editor for memory ") + slot));
    m_binder->refresh();
    refreshActions();
}

void MemoryDetailEditor::refreshActions() {
    if (!m_appModel || !m_draft)
        return;
    const bool dirty = m_draft->draftIsDirty();
    const bool idle = !m_appModel->isBusy();
    m_changesBadge->setValue(loc(dirty ? QStringLiteral("Offen") : QStringLiteral("Keine")));
    FocusHandOff::setEnabled(m_resetButton, idle && dirty, this);
    FocusHandOff::setEnabled(m_applyButton, idle && dirty, this);
    FocusHandOff::setEnabled(m_writeButton, idle && dirty && m_appModel->isConnected(), this);
}

void MemoryDetailEditor::resetDraft() {
    if (m_draft)
        m_draft->resetDraft();
}

void MemoryDetailEditor::applyDraftToModel() {
    if (m_draft && m_draft->draft())
        m_draft->commit(*m_draft->draft(), false);
}

void MemoryDetailEditor::saveAndWrite() {
    if (m_draft && m_draft->draft())
        m_draft->commit(*m_draft->draft(), true);
}
