#include "Editors/MemoryDetailEditor.h"

#include "AppModel/AppModel.h"
#include "Editors/DraftReseeder.h"
#include "Editors/EditorStyle.h"
#include "Editors/FieldBindings.h"
#include "Editors/InfoTile.h"
#include "Editors/LabeledField.h"
#include "Editors/LabeledPicker.h"
#include "Localization/L.h"
#include "MainWindow/ContentView.h"
#include "Model/RadioError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

using namespace FieldBindings;

namespace {

constexpr int chipMinimumWidth = 170;
constexpr int chipSpacing = 12;

bool isFT991A(const MemoryDraft &draft) {
    return draft.radioModel == RadioModel::ft991a;
}

QVBoxLayout *column(QWidget *owner, int spacing = 12) {
    auto *layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

ShiftDirectionOption direction(const QString &tag) {
    return shiftDirectionOptionFromRawValue(tag).value_or(ShiftDirectionOption::simplex);
}

// The draft's own field, shown and stored as it is.
template <typename Value> std::function<Value(const MemoryDraft &)> field(Value MemoryDraft::*member) {
    return [member](const MemoryDraft &draft) { return draft.*member; };
}

template <typename Value>
std::function<MemoryDraft(MemoryDraft, Value)> fieldSetter(Value MemoryDraft::*member) {
    return [member](MemoryDraft draft, Value value) {
        draft.*member = std::move(value);
        return draft;
    };
}

QString modeChipText(const MemoryDraft &draft) {
    const std::optional<RadioModeOption> mode = radioModeOptionFromCode(draft.modeCode);
    return mode ? title(*mode) : draft.modeCode;
}

} // namespace

MemoryDetailEditor::MemoryDetailEditor(AppModel *appModel, ContentView *window, QWidget *parent)
    : QWidget(parent)
    , m_appModel(appModel)
    , m_window(window) {
    setObjectName(QStringLiteral("detailEditor"));

    m_group = new QGroupBox;
    m_group->setObjectName(QStringLiteral("detailEditor.group"));
    auto *outer = column(this);
    outer->addWidget(m_group);

    auto *content = new QWidget;
    auto *stack = new QVBoxLayout(content);
    stack->setContentsMargins(0, 8, 8, 0);
    stack->setSpacing(16);
    stack->addWidget(buildBadges());
    stack->addWidget(buildChips());

    auto *fieldRow = new QHBoxLayout;
    fieldRow->setSpacing(20);
    fieldRow->addWidget(buildCommonColumn(), 0, Qt::AlignTop);
    fieldRow->addWidget(buildFT991ABlock(), 0, Qt::AlignTop);
    fieldRow->addWidget(buildFT710Block(), 0, Qt::AlignTop);
    fieldRow->addStretch(1);
    stack->addLayout(fieldRow);

    QWidget *hint = infoLine(QStringLiteral("detailEditor.ft991aHint"), [](const MemoryDraft &) {
        return loc(
            QStringLiteral("Hinweis: Bei der FT-991A werden jetzt Mode, Ton/SQL-Modus, CTCSS-/DCS-Nummer, "
                           "Repeater-Ablage und Clarifier aus dem Speicherformat ausgewertet. Weitere "
                           "Detailfelder können danach folgen."));
    });
    onRefresh([hint](const MemoryDraft &draft) { hint->setVisible(isFT991A(draft)); });
    stack->addWidget(hint);
    stack->addWidget(buildAdvanced());
    stack->addStretch(1);

    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("detailEditor.scroll"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    auto *divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setForegroundRole(QPalette::Mid);
    // The actions stay in view below the scrolling fields: the editor shares the column with the
    // log, and buttons scrolled out of sight would be missed.
    QVBoxLayout *groupLayout = column(m_group, 10);
    groupLayout->addWidget(scroll, 1);
    groupLayout->addWidget(divider);
    groupLayout->addWidget(buildActions());

    connect(window, &ContentView::draftChanged, this, &MemoryDetailEditor::refresh);
    connect(window, &ContentView::showAdvancedChanged, this, &MemoryDetailEditor::refresh);
    connect(window, &ContentView::themeChanged, this, &MemoryDetailEditor::applyTheme);
    connect(appModel, &AppModel::selectedRadioModelChanged, this, &MemoryDetailEditor::refresh);
    for (auto signal : {&AppModel::memoriesChanged, &AppModel::selectedMemoryIDChanged,
                        &AppModel::isBusyChanged, &AppModel::isConnectedChanged})
        connect(appModel, signal, this, &MemoryDetailEditor::refreshActions);
    connect(appModel, &AppModel::memoryChanged, this, &MemoryDetailEditor::refreshActions);

    applyTheme();
    refresh();
}

// --- structure ---

QWidget *MemoryDetailEditor::buildBadges() {
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto badge = [&](const char *name, const QString &title, Getter<QString> value) {
        auto *tile = new InfoTile(InfoTile::Look::badge, title);
        tile->setObjectName(QStringLiteral("detailEditor.badge.") + QLatin1String(name));
        onRefresh([tile, value](const MemoryDraft &draft) { tile->setValue(value(draft)); });
        m_tiles << tile;
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
    m_tiles << m_changesBadge;
    layout->addWidget(m_changesBadge);
    return row;
}

QWidget *MemoryDetailEditor::buildChips() {
    m_chips = new QWidget;
    m_chips->setObjectName(QStringLiteral("detailEditor.chips"));
    m_chipGrid = new QGridLayout(m_chips);
    m_chipGrid->setContentsMargins(0, 0, 0, 4);
    m_chipGrid->setSpacing(chipSpacing);
    const auto chip = [&](const char *name, const QString &title, Getter<QString> value) {
        auto *tile = new InfoTile(InfoTile::Look::chip, title);
        tile->setObjectName(QStringLiteral("detailEditor.chip.") + QLatin1String(name));
        onRefresh([tile, value](const MemoryDraft &draft) { tile->setValue(value(draft)); });
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
    onRefresh([this](const MemoryDraft &draft) { m_chips->setVisible(isFT991A(draft)); });
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

QWidget *MemoryDetailEditor::buildCommonColumn() {
    auto *block = new QWidget;
    auto *layout = column(block);
    auto *frequency = new LabeledField(loc(QStringLiteral("Frequenz (bis 9 Ziffern, ohne führende Null)")));
    bindField(frequency, QStringLiteral("detailEditor.frequency"), field(&MemoryDraft::frequency),
              fieldSetter(&MemoryDraft::frequency));
    auto *tag = new LabeledField(loc(QStringLiteral("Tag (max. 12 Zeichen)")));
    bindField(tag, QStringLiteral("detailEditor.tag"), field(&MemoryDraft::tag),
              fieldSetter(&MemoryDraft::tag));
    auto *mode = new LabeledPicker(loc(QStringLiteral("Mode")));
    bindPicker(mode, QStringLiteral("detailEditor.mode"), field(&MemoryDraft::modeCode),
               fieldSetter(&MemoryDraft::modeCode));
    // The mode list is the selected model's, whatever the draft's own model.
    onRefresh([this, mode](const MemoryDraft &draft) {
        mode->setItems(PickerItems::modes(m_appModel->selectedRadioModel()));
        mode->setCurrentTag(draft.modeCode);
    });
    layout->addWidget(frequency);
    layout->addWidget(tag);
    layout->addWidget(mode);
    layout->addStretch(1);
    return block;
}

QWidget *MemoryDetailEditor::buildFT991ABlock() {
    auto *block = new QWidget;
    block->setObjectName(QStringLiteral("detailEditor.ft991a"));
    auto *layout = column(block);

    auto *toneSql = new LabeledPicker(loc(QStringLiteral("Ton / SQL-Modus")));
    toneSql->setItems(PickerItems::toneSqlModes());
    bindPicker(
        toneSql, QStringLiteral("detailEditor.toneSql"),
        [](const MemoryDraft &d) { return rawValue(toneSqlMode(d)); },
        [](MemoryDraft d, QString v) {
            const auto mode = ft991aToneSqlOptionFromRawValue(v);
            return mode ? withToneSqlMode(std::move(d), *mode) : d;
        });
    auto *system = new LabeledPicker(loc(QStringLiteral("Tonsystem")));
    system->setItems(PickerItems::toneSystems());
    bindPicker(
        system, QStringLiteral("detailEditor.toneSystem"),
        [](const MemoryDraft &d) { return rawValue(toneSystem(d)); },
        [](MemoryDraft d, QString v) {
            const auto chosen = ft991aToneSystemFromRawValue(v);
            return chosen ? withToneSystem(std::move(d), *chosen) : d;
        });
    auto *opening = new QCheckBox(loc(QStringLiteral("Öffnungston senden")));
    bindSwitch(opening, QStringLiteral("detailEditor.openingTone"), openingTone<MemoryDraft>,
               withOpeningTone<MemoryDraft>);
    auto *decode = new QCheckBox(loc(QStringLiteral("SQL-Decode aktiv")));
    bindSwitch(decode, QStringLiteral("detailEditor.sqlDecode"), squelchDecode<MemoryDraft>,
               withSquelchDecode<MemoryDraft>);
    onRefresh([decode](const MemoryDraft &d) { decode->setEnabled(toneSystem(d) != FT991AToneSystem::off); });

    auto *repeater = new LabeledPicker(loc(QStringLiteral("Repeater-Ablage")));
    repeater->setItems(PickerItems::shiftDirections());
    bindPicker(
        repeater, QStringLiteral("detailEditor.repeaterShift"),
        [](const MemoryDraft &d) { return rawValue(repeaterShift(d)); },
        [](MemoryDraft d, QString v) { return withRepeaterShift(std::move(d), direction(v)); });
    auto *clarifier = new LabeledPicker(loc(QStringLiteral("Clarifier Richtung")));
    clarifier->setItems(PickerItems::shiftDirections());
    bindPicker(
        clarifier, QStringLiteral("detailEditor.clarifierDirection"),
        [](const MemoryDraft &d) { return rawValue(shiftDirection(d)); },
        [](MemoryDraft d, QString v) { return withShiftDirection(std::move(d), direction(v)); });
    auto *amount = new LabeledField(loc(QStringLiteral("Clarifier Betrag")));
    bindField(amount, QStringLiteral("detailEditor.clarifierAmount"), shiftAmount<MemoryDraft>,
              withShiftAmount<MemoryDraft>);
    auto *empty = new QCheckBox(loc(QStringLiteral("Als leer behandeln")));
    bindSwitch(empty, QStringLiteral("detailEditor.ft991a.empty"), field(&MemoryDraft::isEmpty),
               fieldSetter(&MemoryDraft::isEmpty));

    layout->addWidget(toneSql);
    layout->addWidget(system);
    layout->addWidget(opening);
    layout->addWidget(decode);
    layout->addWidget(buildToneNumberRow());
    layout->addWidget(repeater);
    layout->addWidget(clarifier);
    layout->addWidget(amount);
    layout->addWidget(infoLine(QStringLiteral("detailEditor.toneSummary"), MemoryDraft::ft991ToneSummary));
    layout->addWidget(
        infoLine(QStringLiteral("detailEditor.clarifierSummary"), MemoryDraft::ft991ClarifierSummary));
    layout->addSpacing(8);
    layout->addWidget(empty);
    onRefresh([block](const MemoryDraft &d) { block->setVisible(isFT991A(d)); });
    return block;
}

// The tone-number picker of the current mode's table, or "Nicht aktiv" when the mode uses none.
QWidget *MemoryDetailEditor::buildToneNumberRow() {
    auto *row = new QWidget;
    auto *layout = column(row, 0);
    auto *picker = new LabeledPicker(QString());
    bindPicker(picker, QStringLiteral("detailEditor.toneNumber"), toneNumber<MemoryDraft>,
               withToneNumber<MemoryDraft>);
    auto *inactive = new QWidget;
    inactive->setObjectName(QStringLiteral("detailEditor.toneInactive"));
    inactive->setMinimumWidth(260);
    auto *inactiveLayout = column(inactive, 6);
    inactiveLayout->addWidget(EditorStyle::captionLabel(loc(QStringLiteral("CTCSS / DCS"))));
    auto *notActive = new QLabel(loc(QStringLiteral("Nicht aktiv")));
    notActive->setFont(EditorStyle::monospaced());
    notActive->setForegroundRole(QPalette::PlaceholderText);
    inactiveLayout->addWidget(notActive);
    layout->addWidget(picker);
    layout->addWidget(inactive);
    onRefresh([picker, inactive](const MemoryDraft &draft) {
        const std::optional<ToneNumberPicker> config = toneNumberPicker(draft);
        picker->setVisible(config.has_value());
        inactive->setVisible(!config);
        if (!config)
            return;
        picker->setTitle(config->title);
        picker->setItems(PickerItems::toneNumbers(*config->options));
        picker->setCurrentTag(toneNumber(draft));
    });
    return row;
}

QWidget *MemoryDetailEditor::buildFT710Block() {
    auto *block = new QWidget;
    block->setObjectName(QStringLiteral("detailEditor.ft710"));
    auto *layout = column(block);
    auto *shift = new LabeledPicker(loc(QStringLiteral("Ablage")));
    shift->setItems(PickerItems::shiftDirections());
    bindPicker(
        shift, QStringLiteral("detailEditor.shiftDirection"),
        [](const MemoryDraft &d) { return rawValue(shiftDirection(d)); },
        [](MemoryDraft d, QString v) { return withShiftDirection(std::move(d), direction(v)); });
    auto *amount = new LabeledField(loc(QStringLiteral("Ablage-Betrag Raw")));
    bindField(amount, QStringLiteral("detailEditor.shiftAmount"), shiftAmount<MemoryDraft>,
              withShiftAmount<MemoryDraft>);
    auto *empty = new QCheckBox(loc(QStringLiteral("Als leer behandeln")));
    bindSwitch(empty, QStringLiteral("detailEditor.ft710.empty"), field(&MemoryDraft::isEmpty),
               fieldSetter(&MemoryDraft::isEmpty));
    layout->addWidget(shift);
    layout->addWidget(amount);
    layout->addSpacing(22);
    layout->addWidget(empty);
    layout->addStretch(1);
    onRefresh([block](const MemoryDraft &d) { block->setVisible(!isFT991A(d)); });
    return block;
}

QWidget *MemoryDetailEditor::buildAdvanced() {
    auto *group = new QWidget;
    auto *layout = column(group, 0);
    m_advancedToggle = new QToolButton;
    m_advancedToggle->setObjectName(QStringLiteral("detailEditor.advanced"));
    m_advancedToggle->setText(loc(QStringLiteral("Erweitert")));
    m_advancedToggle->setCheckable(true);
    m_advancedToggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_advancedToggle->setAutoRaise(true);
    connect(m_advancedToggle, &QToolButton::clicked, this, [this](bool open) {
        if (m_window)
            m_window->setShowAdvanced(open);
    });

    m_advancedContent = new QWidget;
    auto *fields = column(m_advancedContent);
    fields->setContentsMargins(0, 8, 0, 0);
    auto *shiftRaw = new LabeledField(QString());
    bindField(shiftRaw, QStringLiteral("detailEditor.shiftRaw"), field(&MemoryDraft::shiftRaw),
              fieldSetter(&MemoryDraft::shiftRaw));
    onRefresh([shiftRaw](const MemoryDraft &d) {
        shiftRaw->setTitle(loc(isFT991A(d) ? QStringLiteral("Clarifier Raw (Erweitert)")
                                           : QStringLiteral("Shift Raw (Erweitert)")));
    });
    auto *flagsRaw = new LabeledField(loc(QStringLiteral("Flags Raw (Erweitert)")));
    bindField(flagsRaw, QStringLiteral("detailEditor.flagsRaw"), field(&MemoryDraft::flagsRaw),
              fieldSetter(&MemoryDraft::flagsRaw));
    // As wide as the fields above, not stretched across the panel.
    fields->addWidget(shiftRaw, 0, Qt::AlignLeft);
    fields->addWidget(flagsRaw, 0, Qt::AlignLeft);
    fields->addWidget(infoLine(QStringLiteral("detailEditor.advancedHint"), [](const MemoryDraft &d) {
        return loc(isFT991A(d)
                       ? QStringLiteral("Die Erweitert-Felder sind für rohe CAT-Werte der FT-991A gedacht. "
                                        "CTCSS/DCS-Nummern und weitere Detailfelder folgen später.")
                       : QStringLiteral("Die Erweitert-Felder sind nur für rohe CAT-Werte gedacht. Für "
                                        "normale Bedienung reichen Frequenz, Tag, Mode und Ablage."));
    }));
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

QWidget *MemoryDetailEditor::infoLine(const QString &objectName, const Getter<QString> &text) {
    QLabel *label = EditorStyle::captionLabel(QString());
    label->setObjectName(objectName);
    label->setWordWrap(true);
    onRefresh([label, text](const MemoryDraft &draft) { label->setText(text(draft)); });
    return label;
}

// --- bindings between controls and the draft ---

void MemoryDetailEditor::bindField(LabeledField *field, const QString &objectName, Getter<QString> get,
                                   Setter<QString> set) {
    field->lineEdit()->setObjectName(objectName);
    m_fields << field;
    connect(field, &LabeledField::edited, this, [this, set](const QString &text) {
        changeDraft([&](MemoryDraft d) { return set(std::move(d), text); });
    });
    onRefresh([field, get](const MemoryDraft &draft) { field->setText(get(draft)); });
}

void MemoryDetailEditor::bindPicker(LabeledPicker *picker, const QString &objectName, Getter<QString> get,
                                    Setter<QString> set) {
    picker->comboBox()->setObjectName(objectName);
    connect(picker, &LabeledPicker::picked, this, [this, set](const QString &tag) {
        changeDraft([&](MemoryDraft d) { return set(std::move(d), tag); });
    });
    onRefresh([picker, get](const MemoryDraft &draft) { picker->setCurrentTag(get(draft)); });
}

void MemoryDetailEditor::bindSwitch(QCheckBox *box, const QString &objectName, Getter<bool> get,
                                    Setter<bool> set) {
    box->setObjectName(objectName);
    QPalette edged;
    EditorStyle::outlineSwitch(edged);
    box->setPalette(edged);
    connect(box, &QCheckBox::clicked, this,
            [this, set](bool on) { changeDraft([&](MemoryDraft d) { return set(std::move(d), on); }); });
    onRefresh([box, get](const MemoryDraft &draft) {
        const QSignalBlocker blocker(box);
        box->setChecked(get(draft));
    });
}

void MemoryDetailEditor::onRefresh(std::function<void(const MemoryDraft &)> refresh) {
    m_refreshers.push_back(std::move(refresh));
}

void MemoryDetailEditor::changeDraft(const Change &change) {
    if (m_window && m_window->draft())
        m_window->setDraft(change(*m_window->draft()));
}

void MemoryDetailEditor::refresh() {
    if (!m_window || !m_window->draft())
        return;
    const MemoryDraft &draft = *m_window->draft();
    m_group->setTitle(L::text(QStringLiteral("Editor für Speicher ") + draft.slot,
                              QStringLiteral("Editor for memory ") + draft.slot));
    for (const auto &refresher : m_refreshers)
        refresher(draft);
    const QSignalBlocker blocker(m_advancedToggle);
    m_advancedToggle->setChecked(m_window->showAdvanced());
    m_advancedToggle->setArrowType(m_window->showAdvanced() ? Qt::DownArrow : Qt::RightArrow);
    m_advancedContent->setVisible(m_window->showAdvanced());
    refreshActions();
}

// --- actions ---

bool MemoryDetailEditor::draftIsDirty() const {
    return m_window && m_appModel && m_window->draft() &&
           m_window->draft()->differs(m_appModel->selectedMemory());
}

void MemoryDetailEditor::refreshActions() {
    if (!m_appModel)
        return;
    const bool dirty = draftIsDirty();
    const bool idle = !m_appModel->isBusy();
    m_changesBadge->setValue(loc(dirty ? QStringLiteral("Offen") : QStringLiteral("Keine")));
    m_resetButton->setEnabled(idle && dirty);
    m_applyButton->setEnabled(idle && dirty);
    m_writeButton->setEnabled(idle && dirty && m_appModel->isConnected());
}

void MemoryDetailEditor::resetDraft() {
    if (!m_window || !m_appModel)
        return;
    if (const std::optional<RadioMemory> stored = m_appModel->selectedMemory())
        m_window->setDraft(MemoryDraft(*stored));
}

void MemoryDetailEditor::applyDraftToModel() {
    commit(false);
}

void MemoryDetailEditor::saveAndWrite() {
    commit(true);
}

void MemoryDetailEditor::commit(bool write) {
    if (!m_window || !m_appModel || !m_window->draft())
        return;
    try {
        const RadioMemory valid = m_window->draft()->validated();
        if (write && m_appModel->alertIfUnsendable(valid))
            return;
        m_appModel->replaceMemory(valid);
        if (write) {
            m_appModel->writeSelected(valid);
            DraftReseeder::writeStarted(m_appModel, valid.slot);
        }
    } catch (const RadioError &error) {
        m_appModel->setAlertMessage(error.description());
    }
}

void MemoryDetailEditor::applyTheme() {
    if (!m_window)
        return;
    for (InfoTile *tile : std::as_const(m_tiles))
        tile->setAccent(m_window->themePrimary(), m_window->themeSecondary());
    for (LabeledField *field : std::as_const(m_fields))
        field->setAccent(m_window->themePrimary(), m_window->themeSecondary());
}
