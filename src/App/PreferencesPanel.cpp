#include "App/PreferencesPanel.h"

#include "Localization/L.h"
#include "Localization/LanguageSelection.h"
#include "Theme/TextStyle.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

PreferencesPanel::PreferencesPanel(QWidget *parent)
    : QDialog(parent)
    , m_title(new QLabel)
    , m_pickerTitle(new QLabel)
    , m_footnote(new QLabel)
    , m_choices(new QButtonGroup(this))
    , m_scroll(new QScrollArea) {
    setObjectName(QStringLiteral("preferences"));
    setFixedSize(360, 220);

    m_title->setFont(TextStyle::font(m_title->font(), 1.25, QFont::Bold));
    m_footnote->setFont(TextStyle::font(m_footnote->font(), 0.85));
    m_footnote->setForegroundRole(QPalette::PlaceholderText);
    m_footnote->setWordWrap(true);

    // 25 choices do not fit the panel's fixed size: they scroll.
    auto *list = new QWidget;
    auto *listLayout = new QVBoxLayout(list);
    listLayout->setContentsMargins(4, 2, 4, 2);
    listLayout->setSpacing(2);
    const QList<AppLanguage> &languages = allAppLanguages();
    for (qsizetype index = 0; index < languages.size(); ++index) {
        auto *choice = new QRadioButton(displayName(languages[index]));
        choice->setObjectName(QStringLiteral("preferences.language.") + id(languages[index]));
        m_choices->addButton(choice, int(index));
        listLayout->addWidget(choice);
    }
    m_scroll->setObjectName(QStringLiteral("preferences.languages"));
    m_scroll->setWidget(list);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    // The dark palette leaves the style's own radio rings nearly invisible.
    list->setStyleSheet(
        QStringLiteral("QRadioButton::indicator { width: 12px; height: 12px; border-radius: 7px;"
                       " border: 1px solid rgba(255,255,255,110); background: rgba(255,255,255,12); }"
                       "QRadioButton::indicator:checked { background: palette(highlight); border-color: "
                       "palette(highlight); }"));
    connect(m_choices, &QButtonGroup::idClicked, this,
            [](int index) { LanguageSelection::shared()->select(allAppLanguages().at(index)); });

    auto *picker = new QHBoxLayout;
    picker->addWidget(m_pickerTitle, 0, Qt::AlignTop);
    picker->addWidget(m_scroll, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(16);
    layout->addWidget(m_title);
    layout->addLayout(picker, 1);
    layout->addWidget(m_footnote);

    connect(LanguageSelection::shared(), &LanguageSelection::changed, this, [this] {
        showTexts();
        showSelection();
    });
    showTexts();
    showSelection();
}

void PreferencesPanel::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    showSelection();
    if (QAbstractButton *chosen = m_choices->checkedButton())
        chosen->setFocus();
}

void PreferencesPanel::showTexts() {
    setWindowTitle(loc(QStringLiteral("Einstellungen")));
    m_title->setText(loc(QStringLiteral("App-Sprache")));
    m_pickerTitle->setText(loc(QStringLiteral("Sprache")) + QLatin1Char(':'));
    m_footnote->setText(loc(QStringLiteral("Welche Sprache soll Korvel verwenden?")));
}

void PreferencesPanel::showSelection() {
    const auto stored = appLanguageFromRawValue(LanguageSelection::shared()->value());
    // A stored value that names no language leaves every choice unmarked.
    m_choices->setExclusive(false);
    for (QAbstractButton *choice : m_choices->buttons())
        choice->setChecked(stored && m_choices->id(choice) == allAppLanguages().indexOf(*stored));
    m_choices->setExclusive(true);
    if (QAbstractButton *chosen = m_choices->checkedButton())
        m_scroll->ensureWidgetVisible(chosen);
}
