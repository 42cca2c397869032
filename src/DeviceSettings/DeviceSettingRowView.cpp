#include "DeviceSettings/DeviceSettingRowView.h"

#include "DeviceSettings/DeviceSettingPill.h"
#include "DeviceSettings/DeviceSettingsStyle.h"
#include "Localization/L.h"
#include "Theme/ModelPalette.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

using DeviceSettingsStyle::TextRole;

namespace {
constexpr int choiceWidth = 300;
constexpr int numberWidth = 180;
} // namespace

DeviceSettingRowView::DeviceSettingRowView(const DeviceSettingState &state, const ModelPalette &palette,
                                           QWidget *parent)
    : QWidget(parent)
    , m_state(state) {
    setObjectName(QStringLiteral("settingRow:") + state.id());
    const DeviceSettingDefinition &definition = state.definition();

    auto *title = new QLabel(loc(definition.title), this);
    title->setObjectName(QStringLiteral("settingRow.title"));
    DeviceSettingsStyle::applyFont(title, TextRole::emphasis);

    m_changedPill = new DeviceSettingPill(loc(QStringLiteral("geändert")), palette.primary, this);
    m_changedPill->setObjectName(QStringLiteral("settingRow.changed"));
    m_changedPill->setVisible(state.isDirty());

    auto *titleLine = new QHBoxLayout;
    titleLine->setSpacing(8);
    titleLine->addWidget(title);
    titleLine->addWidget(m_changedPill);
    if (definition.disruptsConnection) {
        auto *reconnect = new DeviceSettingPill(loc(QStringLiteral("reconnect")), palette.secondary, this);
        reconnect->setObjectName(QStringLiteral("settingRow.reconnect"));
        titleLine->addWidget(reconnect);
    }
    titleLine->addStretch(1);

    auto *help = new QLabel(loc(definition.help), this);
    help->setObjectName(QStringLiteral("settingRow.help"));
    help->setWordWrap(true);
    DeviceSettingsStyle::applyFont(help, TextRole::caption);
    DeviceSettingsStyle::setSecondaryTextColor(help);

    auto *leftColumn = new QVBoxLayout;
    leftColumn->setSpacing(4);
    leftColumn->addLayout(titleLine);
    leftColumn->addWidget(help);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 4, 0, 4);
    row->setSpacing(14);
    row->addLayout(leftColumn, 1);
    row->addSpacing(16);
    QWidget *editor = makeEditor();
    title->setBuddy(editor);
    row->addWidget(editor, 0, Qt::AlignVCenter);
}

QWidget *DeviceSettingRowView::makeEditor() {
    const QString editorName = QStringLiteral("settingEditor:") + m_state.id();
    if (m_state.definition().fieldKind == DeviceSettingFieldKind::choice) {
        m_choice = new QComboBox(this);
        m_choice->setObjectName(editorName);
        m_choice->setFixedWidth(choiceWidth);
        connect(m_choice, &QComboBox::activated, this, &DeviceSettingRowView::chooseOption);
        showChoice();
        return m_choice;
    }
    m_number = new QLineEdit(this);
    m_number->setObjectName(editorName);
    m_number->setPlaceholderText(loc(QStringLiteral("Wert")));
    m_number->setFixedWidth(numberWidth);
    connect(m_number, &QLineEdit::textEdited, this,
            [this](const QString &text) { emit valueEdited(m_state.id(), text); });
    showNumber();
    return m_number;
}

void DeviceSettingRowView::setState(const DeviceSettingState &state) {
    m_state.value = state.value;
    m_state.originalValue = state.originalValue;
    m_changedPill->setVisible(m_state.isDirty());
    if (m_choice)
        showChoice();
    else
        showNumber();
}

QList<DeviceSettingOption> DeviceSettingRowView::settingOptions(const DeviceSettingState &state) {
    QList<DeviceSettingOption> options = state.definition().options;
    const QString &value = state.value;
    if (value.isEmpty()) {
        options.prepend({QString(), loc(QStringLiteral("— nicht gelesen —"))});
        return options;
    }
    const bool listed = std::any_of(options.cbegin(), options.cend(),
                                    [&](const DeviceSettingOption &o) { return o.code == value; });
    if (!listed)
        options.append(
            {value, L::text(QStringLiteral("Aktuell: ") + value, QStringLiteral("Current: ") + value)});
    return options;
}

void DeviceSettingRowView::showChoice() {
    const QSignalBlocker blocker(m_choice);
    const QList<DeviceSettingOption> options = settingOptions(m_state);
    if (options != m_shownOptions) {
        m_shownOptions = options;
        m_choice->clear();
        for (const DeviceSettingOption &option : options)
            m_choice->addItem(loc(option.title), option.code);
    }
    const auto shown = std::find_if(m_shownOptions.cbegin(), m_shownOptions.cend(),
                                    [&](const DeviceSettingOption &o) { return o.code == m_state.value; });
    m_choice->setCurrentIndex(int(shown - m_shownOptions.cbegin()));
}

void DeviceSettingRowView::showNumber() {
    // Only an edit is marked: an item not read yet, or read empty, is no mistake of the user's.
    const bool edited = m_state.value != m_state.originalValue;
    DeviceSettingsStyle::markInvalid(m_number, edited ? m_state.definition().invalidValueReason(m_state.value)
                                                      : std::nullopt);
    if (m_number->text() == m_state.value)
        return;
    const QSignalBlocker blocker(m_number);
    const int cursor = m_number->cursorPosition();
    m_number->setText(m_state.value);
    m_number->setCursorPosition(std::min(cursor, int(m_state.value.size())));
}

void DeviceSettingRowView::chooseOption(int index) {
    if (index >= 0 && index < m_shownOptions.size())
        emit valueEdited(m_state.id(), m_shownOptions.at(index).code);
}
