#include "MainWindow/ActivityLogPanel.h"

#include "AppModel/AppModel.h"
#include "Localization/L.h"
#include "MainWindow/BusySpinner.h"
#include "MainWindow/LogTextView.h"
#include "MainWindow/MainViewState.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {
constexpr int step = MainViewState::logPanelHeightStep;
} // namespace

ActivityLogPanel::ActivityLogPanel(AppModel *model, MainViewState *state, QWidget *parent)
    : QGroupBox(loc(QStringLiteral("Aktivitätsprotokoll")), parent)
    , m_model(model)
    , m_state(state)
    , m_text(new LogTextView(model))
    , m_heightSlider(new QSlider(Qt::Horizontal))
    , m_heightValue(new QLabel)
    , m_spinner(new BusySpinner) {
    setObjectName(QStringLiteral("log"));
    auto *copy = new QPushButton(loc(QStringLiteral("Alles kopieren")));
    copy->setObjectName(QStringLiteral("log.copy"));
    connect(copy, &QPushButton::clicked, m_model, &AppModel::copyLogToPasteboard);
    auto *clear = new QPushButton(loc(QStringLiteral("Log löschen")));
    clear->setObjectName(QStringLiteral("log.clear"));
    connect(clear, &QPushButton::clicked, m_model, &AppModel::clearLog);

    auto *heightLabel = new QLabel(loc(QStringLiteral("Höhe")));
    heightLabel->setForegroundRole(QPalette::PlaceholderText);
    m_heightSlider->setObjectName(QStringLiteral("log.height"));
    heightLabel->setBuddy(m_heightSlider);
    // The slider counts steps of 20, so it can only stop on 120, 140, ..., 420.
    m_heightSlider->setRange(MainViewState::minimumLogPanelHeight / step,
                             MainViewState::maximumLogPanelHeight / step);
    m_heightSlider->setPageStep(1);
    m_heightSlider->setFixedWidth(140);
    // Only the user's moves change the height (the slider's position is already the new one).
    connect(m_heightSlider, &QSlider::actionTriggered, m_state,
            [this] { m_state->setLogPanelHeight(m_heightSlider->sliderPosition() * step); });
    m_heightValue->setObjectName(QStringLiteral("log.heightValue"));
    m_heightValue->setFixedWidth(40);
    m_heightValue->setAlignment(Qt::AlignCenter);
    m_heightValue->setForegroundRole(QPalette::PlaceholderText);
    m_spinner->setObjectName(QStringLiteral("log.busy"));

    auto *controls = new QHBoxLayout;
    controls->addWidget(copy);
    controls->addWidget(clear);
    controls->addStretch(1);
    controls->addWidget(heightLabel);
    controls->addWidget(m_heightSlider);
    controls->addWidget(m_heightValue);
    controls->addWidget(m_spinner);

    m_text->setObjectName(QStringLiteral("log.text"));
    m_text->setAccessibleName(title());
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setStyleSheet(QStringLiteral("LogTextView { background: rgba(0,0,0,46);"
                                         " border: 1px solid rgba(255,255,255,20); border-radius: 14px;"
                                         " padding: 6px; }"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(12);
    layout->addLayout(controls);
    layout->addWidget(m_text);

    connect(m_model, &AppModel::isBusyChanged, this, [this] { m_spinner->setVisible(m_model->isBusy()); });
    connect(m_state, &MainViewState::logPanelHeightChanged, this, &ActivityLogPanel::showHeight);
    m_spinner->setVisible(m_model->isBusy());
    showHeight();
}

void ActivityLogPanel::showHeight() {
    const int height = m_state->logPanelHeight();
    const QSignalBlocker blocker(m_heightSlider);
    m_heightSlider->setValue(height / step);
    m_heightValue->setText(QString::number(height));
    m_text->setFixedHeight(height);
}
