#include "Editors/DetailFieldSections.h"

#include "AppModel/AppModel.h"
#include "Editors/DraftBinder.h"
#include "Editors/EditorStyle.h"
#include "Editors/FieldBindings.h"
#include "Editors/LabeledField.h"
#include "Editors/LabeledPicker.h"
#include "Localization/L.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace FieldBindings;

namespace {

bool isFT991A(const MemoryDraft &draft) {
    return draft.radioModel == RadioModel::ft991a;
}

// A picker's entry applied to the draft; an entry that names no option leaves the draft as it is,
// as the table does.
template <typename Option>
DraftBinder::Setter<QString> entrySetter(std::optional<Option> (*parse)(const QString &),
                                         MemoryDraft (*apply)(MemoryDraft, Option)) {
    return [parse, apply](MemoryDraft draft, const QString &entry) {
        const std::optional<Option> option = parse(entry);
        return option ? apply(std::move(draft), *option) : draft;
    };
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

LabeledPicker *shiftDirectionPicker(DraftBinder &binder, const QString &title, const QString &name) {
    auto *picker = new LabeledPicker(title);
    picker->setItems(PickerItems::shiftDirections());
    binder.bindPicker(
        picker, name, [](const MemoryDraft &d) { return rawValue(shiftDirection(d)); },
        entrySetter(shiftDirectionOptionFromRawValue, withShiftDirection<MemoryDraft>));
    return picker;
}

QCheckBox *emptySwitch(DraftBinder &binder, const QString &name) {
    auto *empty = new QCheckBox(loc(QStringLiteral("Als leer behandeln")));
    binder.bindSwitch(empty, name, field(&MemoryDraft::isEmpty), fieldSetter(&MemoryDraft::isEmpty));
    return empty;
}

// The tone-number picker of the current mode's table, or "Nicht aktiv" when the mode uses none.
QWidget *toneNumberRow(DraftBinder &binder) {
    auto *row = new QWidget;
    auto *layout = EditorStyle::column(row, 0);
    auto *picker = new LabeledPicker(QString());
    binder.bindPicker(picker, QStringLiteral("detailEditor.toneNumber"), toneNumber<MemoryDraft>,
                      withToneNumber<MemoryDraft>);
    auto *inactive = new QWidget;
    inactive->setObjectName(QStringLiteral("detailEditor.toneInactive"));
    inactive->setMinimumWidth(260);
    auto *inactiveLayout = EditorStyle::column(inactive, 6);
    inactiveLayout->addWidget(EditorStyle::captionLabel(loc(QStringLiteral("CTCSS / DCS"))));
    auto *notActive = new QLabel(loc(QStringLiteral("Nicht aktiv")));
    notActive->setFont(EditorStyle::monospaced());
    notActive->setForegroundRole(QPalette::PlaceholderText);
    inactiveLayout->addWidget(notActive);
    layout->addWidget(picker);
    layout->addWidget(inactive);
    binder.onRefresh([picker, inactive](const MemoryDraft &draft) {
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

} // namespace

namespace DetailFieldSections {

QWidget *commonColumn(DraftBinder &binder, AppModel *appModel) {
    auto *block = new QWidget;
    auto *layout = EditorStyle::column(block);
    auto *frequency = new LabeledField(loc(QStringLiteral("Frequenz (bis 9 Ziffern, ohne führende Null)")));
    binder.bindField(frequency, QStringLiteral("detailEditor.frequency"), field(&MemoryDraft::frequency),
                     fieldSetter(&MemoryDraft::frequency));
    auto *tag = new LabeledField(loc(QStringLiteral("Tag (max. 12 Zeichen)")));
    binder.bindField(tag, QStringLiteral("detailEditor.tag"), field(&MemoryDraft::tag),
                     fieldSetter(&MemoryDraft::tag));
    auto *mode = new LabeledPicker(loc(QStringLiteral("Mode")));
    binder.bindPicker(mode, QStringLiteral("detailEditor.mode"), field(&MemoryDraft::modeCode),
                      fieldSetter(&MemoryDraft::modeCode));
    // The mode list is the selected model's, whatever the draft's own model.
    binder.onRefresh([appModel, mode](const MemoryDraft &draft) {
        mode->setItems(PickerItems::modes(appModel->selectedRadioModel()));
        mode->setCurrentTag(draft.modeCode);
    });
    layout->addWidget(frequency);
    layout->addWidget(tag);
    layout->addWidget(mode);
    layout->addStretch(1);
    return block;
}

QWidget *ft991aBlock(DraftBinder &binder) {
    auto *block = new QWidget;
    block->setObjectName(QStringLiteral("detailEditor.ft991a"));
    auto *layout = EditorStyle::column(block);

    auto *toneSql = new LabeledPicker(loc(QStringLiteral("Ton / SQL-Modus")));
    toneSql->setItems(PickerItems::toneSqlModes());
    binder.bindPicker(
        toneSql, QStringLiteral("detailEditor.toneSql"),
        [](const MemoryDraft &d) { return rawValue(toneSqlMode(d)); },
        entrySetter(ft991aToneSqlOptionFromRawValue, withToneSqlMode<MemoryDraft>));
    auto *system = new LabeledPicker(loc(QStringLiteral("Tonsystem")));
    system->setItems(PickerItems::toneSystems());
    binder.bindPicker(
        system, QStringLiteral("detailEditor.toneSystem"),
        [](const MemoryDraft &d) { return rawValue(toneSystem(d)); },
        entrySetter(ft991aToneSystemFromRawValue, withToneSystem<MemoryDraft>));
    auto *opening = new QCheckBox(loc(QStringLiteral("Öffnungston senden")));
    binder.bindSwitch(opening, QStringLiteral("detailEditor.openingTone"), openingTone<MemoryDraft>,
                      withOpeningTone<MemoryDraft>);
    auto *decode = new QCheckBox(loc(QStringLiteral("SQL-Decode aktiv")));
    binder.bindSwitch(decode, QStringLiteral("detailEditor.sqlDecode"), squelchDecode<MemoryDraft>,
                      withSquelchDecode<MemoryDraft>);
    binder.onRefresh(
        [decode](const MemoryDraft &d) { decode->setEnabled(toneSystem(d) != FT991AToneSystem::off); });

    auto *repeater = new LabeledPicker(loc(QStringLiteral("Repeater-Ablage")));
    repeater->setItems(PickerItems::shiftDirections());
    binder.bindPicker(
        repeater, QStringLiteral("detailEditor.repeaterShift"),
        [](const MemoryDraft &d) { return rawValue(repeaterShift(d)); },
        entrySetter(shiftDirectionOptionFromRawValue, withRepeaterShift<MemoryDraft>));
    auto *clarifier = shiftDirectionPicker(binder, loc(QStringLiteral("Clarifier Richtung")),
                                           QStringLiteral("detailEditor.clarifierDirection"));
    auto *amount = new LabeledField(loc(QStringLiteral("Clarifier Betrag")));
    binder.bindField(amount, QStringLiteral("detailEditor.clarifierAmount"), shiftAmount<MemoryDraft>,
                     withShiftAmount<MemoryDraft>);
    auto *empty = emptySwitch(binder, QStringLiteral("detailEditor.ft991a.empty"));

    layout->addWidget(toneSql);
    layout->addWidget(system);
    layout->addWidget(opening);
    layout->addWidget(decode);
    layout->addWidget(toneNumberRow(binder));
    layout->addWidget(repeater);
    layout->addWidget(clarifier);
    layout->addWidget(amount);
    layout->addWidget(
        binder.infoLine(QStringLiteral("detailEditor.toneSummary"), MemoryDraft::ft991ToneSummary));
    layout->addWidget(
        binder.infoLine(QStringLiteral("detailEditor.clarifierSummary"), MemoryDraft::ft991ClarifierSummary));
    layout->addSpacing(8);
    layout->addWidget(empty);
    binder.onRefresh([block](const MemoryDraft &d) { block->setVisible(isFT991A(d)); });
    return block;
}

QWidget *ft710Block(DraftBinder &binder) {
    auto *block = new QWidget;
    block->setObjectName(QStringLiteral("detailEditor.ft710"));
    auto *layout = EditorStyle::column(block);
    auto *shift = shiftDirectionPicker(binder, loc(QStringLiteral("Ablage")),
                                       QStringLiteral("detailEditor.shiftDirection"));
    auto *amount = new LabeledField(loc(QStringLiteral("Ablage-Betrag Raw")));
    binder.bindField(amount, QStringLiteral("detailEditor.shiftAmount"), shiftAmount<MemoryDraft>,
                     withShiftAmount<MemoryDraft>);
    auto *empty = emptySwitch(binder, QStringLiteral("detailEditor.ft710.empty"));
    layout->addWidget(shift);
    layout->addWidget(amount);
    layout->addSpacing(22);
    layout->addWidget(empty);
    layout->addStretch(1);
    binder.onRefresh([block](const MemoryDraft &d) { block->setVisible(!isFT991A(d)); });
    return block;
}

QWidget *advancedFields(DraftBinder &binder) {
    auto *content = new QWidget;
    auto *fields = EditorStyle::column(content);
    fields->setContentsMargins(0, 8, 0, 0);
    auto *shiftRaw = new LabeledField(QString());
    binder.bindField(shiftRaw, QStringLiteral("detailEditor.shiftRaw"), field(&MemoryDraft::shiftRaw),
                     fieldSetter(&MemoryDraft::shiftRaw));
    binder.onRefresh([shiftRaw](const MemoryDraft &d) {
        shiftRaw->setTitle(loc(isFT991A(d) ? QStringLiteral("Clarifier Raw (Erweitert)")
                                           : QStringLiteral("Shift Raw (Erweitert)")));
    });
    auto *flagsRaw = new LabeledField(loc(QStringLiteral("Flags Raw (Erweitert)")));
    binder.bindField(flagsRaw, QStringLiteral("detailEditor.flagsRaw"), field(&MemoryDraft::flagsRaw),
                     fieldSetter(&MemoryDraft::flagsRaw));
    // As wide as the fields above, not stretched across the panel.
    fields->addWidget(shiftRaw, 0, Qt::AlignLeft);
    fields->addWidget(flagsRaw, 0, Qt::AlignLeft);
    fields->addWidget(binder.infoLine(QStringLiteral("detailEditor.advancedHint"), [](const MemoryDraft &d) {
        return loc(isFT991A(d)
                       ? QStringLiteral("Die Erweitert-Felder sind für rohe CAT-Werte der FT-991A gedacht. "
                                        "CTCSS/DCS-Nummern und weitere Detailfelder folgen später.")
                       : QStringLiteral("Die Erweitert-Felder sind nur für rohe CAT-Werte gedacht. Für "
                                        "normale Bedienung reichen Frequenz, Tag, Mode und Ablage."));
    }));
    return content;
}

} // namespace DetailFieldSections
