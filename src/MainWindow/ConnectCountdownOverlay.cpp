#include "MainWindow/ConnectCountdownOverlay.h"

#include "Localization/L.h"
#include "MainWindow/AppBranding.h"
#include "MainWindow/ConnectCountdownCard.h"
#include "MainWindow/FadeScaleEffect.h"
#include "MainWindow/MainViewState.h"
#include "Theme/ModelPalette.h"
#include "Theme/RoundedPanel.h"
#include "Theme/TextStyle.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int textWidth = 440;

QLabel *wrappedLabel(const QString &text) {
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

ConnectCountdownOverlay::ConnectCountdownOverlay(MainViewState *state, QWidget *host)
    : QWidget(host)
    , m_state(state)
    , m_effect(new FadeScaleEffect(this))
    , m_fade(new QPropertyAnimation(m_effect, "progress", this)) {
    setObjectName(QStringLiteral("splash"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(buildCard(), 0, Qt::AlignCenter);

    setGraphicsEffect(m_effect);
    m_fade->setDuration(250);
    m_fade->setEasingCurve(QEasingCurve::InOutQuad);
    connect(m_fade, &QPropertyAnimation::finished, this, [this] {
        if (!m_shown)
            hide();
    });

    host->installEventFilter(this);
    setGeometry(host->rect());
    connect(m_state, &MainViewState::connectSplashChanged, this, &ConnectCountdownOverlay::follow);
    connect(m_state, &MainViewState::themeChanged, this, &ConnectCountdownOverlay::showTheme);
    showTheme();
    m_shown = m_state->showConnectSplash();
    m_effect->setProgress(m_shown ? 1.0 : 0.0);
    setVisible(m_shown);
    coverContent(m_shown);
    follow();
}

QString ConnectCountdownOverlay::appVersionString() {
    return AppBranding::appVersion();
}

QWidget *ConnectCountdownOverlay::buildCard() {
    m_card = new ConnectCountdownCard;
    auto *layout = new QVBoxLayout(m_card);
    layout->setContentsMargins(28, 28, 28, 28);
    layout->setSpacing(18);
    layout->addWidget(m_card->icon(), 0, Qt::AlignHCenter);

    auto *title = new QLabel(AppBranding::appName());
    title->setObjectName(QStringLiteral("splash.title"));
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setPixelSize(30);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto *credits = new QLabel(AppBranding::authorLine() + QStringLiteral(" · ") +
                               loc(QStringLiteral("Version")) + QLatin1Char(' ') + appVersionString());
    credits->setObjectName(QStringLiteral("splash.credits"));
    credits->setAlignment(Qt::AlignCenter);
    credits->setForegroundRole(QPalette::PlaceholderText);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(6);
    titles->addWidget(title);
    titles->addWidget(credits);
    layout->addLayout(titles);

    auto *texts = new QWidget;
    // A fixed width lets the wrapped texts find their height.
    texts->setFixedWidth(textWidth);
    auto *textLayout = new QVBoxLayout(texts);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->setSpacing(12);
    textLayout->addWidget(
        wrappedLabel(loc(QStringLiteral("Korvel ist Freeware. Wenn dir die App gefällt und du meine Arbeit "
                                        "unterstützen möchtest, freue ich mich "
                                        "über eine kleine PayPal-Spende."))));
    textLayout->addWidget(buildDonationBox());
    m_countdownText = wrappedLabel(QString());
    m_countdownText->setObjectName(QStringLiteral("splash.countdown"));
    m_countdownText->setFont(TextStyle::font(m_countdownText->font(), 1.0, QFont::DemiBold));
    textLayout->addWidget(m_countdownText);
    layout->addWidget(texts, 0, Qt::AlignHCenter);

    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("splash.progress"));
    m_progress->setRange(0, MainViewState::countdownSeconds);
    m_progress->setTextVisible(false);
    m_progress->setFixedSize(360, 8);
    layout->addWidget(m_progress, 0, Qt::AlignHCenter);

    m_cancel = new QPushButton(loc(QStringLiteral("Abbrechen")));
    m_cancel->setObjectName(QStringLiteral("splash.cancel"));
    connect(m_cancel, &QPushButton::clicked, m_state, &MainViewState::cancelConnectSplash);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    return m_card;
}

QWidget *ConnectCountdownOverlay::buildDonationBox() {
    m_donationBox = new RoundedPanel(18);
    m_donationBox->setObjectName(QStringLiteral("splash.donation"));
    auto *layout = new QVBoxLayout(m_donationBox);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(6);
    m_donationCaption = wrappedLabel(loc(QStringLiteral("PayPal-Unterstützung")).toUpper());
    QFont captionFont = TextStyle::font(m_donationCaption->font(), 0.85, QFont::DemiBold);
    captionFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.9);
    m_donationCaption->setFont(captionFont);
    m_donationAddress = wrappedLabel(loc(AppBranding::donationAddress()));
    m_donationAddress->setObjectName(QStringLiteral("splash.address"));
    m_donationAddress->setFont(TextStyle::font(m_donationAddress->font(), 1.3, QFont::Bold));
    m_donationAddress->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *request =
        wrappedLabel(loc(QStringLiteral("Bitte sende deine freiwillige PayPal-Zahlung an diese Adresse.")));
    request->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(m_donationCaption);
    layout->addWidget(m_donationAddress);
    layout->addWidget(request);
    return m_donationBox;
}

void ConnectCountdownOverlay::follow() {
    const int countdown = m_state->connectCountdown();
    m_countdownText->setText(L::text(
        QStringLiteral("Die Verbindung zum Funkgerät wird in %1 Sekunden hergestellt.").arg(countdown),
        QStringLiteral("The connection to the radio will be established in %1 seconds.").arg(countdown)));
    m_progress->setValue(MainViewState::countdownSeconds - countdown);
    if (m_shown != m_state->showConnectSplash())
        fadeTo(m_state->showConnectSplash());
}

void ConnectCountdownOverlay::fadeTo(bool shown) {
    m_shown = shown;
    coverContent(shown);
    if (shown) {
        raise();
        show();
        // The keyboard stays on the card, not on the controls under the backdrop.
        m_focusBefore = QApplication::focusWidget();
        m_cancel->setFocus();
    } else if (isAncestorOf(QApplication::focusWidget())) {
        giveBackFocus();
    }
    m_fade->stop();
    m_fade->setStartValue(m_effect->progress());
    m_fade->setEndValue(shown ? 1.0 : 0.0);
    m_fade->start();
}

// The controls under the backdrop are out of reach for a screen reader as for the mouse.
void ConnectCountdownOverlay::coverContent(bool covered) {
    for (QWidget *content : parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (content != this)
            content->setEnabled(!covered);
    }
}

void ConnectCountdownOverlay::showTheme() {
    const QColor primary = m_state->themePrimary();
    const QColor secondary = m_state->themeSecondary();
    m_card->setColors(primary, secondary);
    m_donationBox->setFill(withOpacity(primary, 0.1));
    m_donationBox->setStroke(withOpacity(primary, 0.3));
    TextStyle::setTextColor(m_donationCaption, secondary);
    TextStyle::setTextColor(m_countdownText, secondary);
    TextStyle::setTextColor(m_donationAddress, primary);
    // A visible track, so the bar reads as one also while it is still empty.
    m_progress->setStyleSheet(QStringLiteral("QProgressBar { background: rgba(255,255,255,36); border: none;"
                                             " border-radius: 4px; }"
                                             "QProgressBar::chunk { background: %1; border-radius: 4px; }")
                                  .arg(primary.name()));
}

bool ConnectCountdownOverlay::eventFilter(QObject *watched, QEvent *event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

bool ConnectCountdownOverlay::focusNextPrevChild(bool next) {
    return m_shown || QWidget::focusNextPrevChild(next);
}

// Where the keyboard was before the card, or the next control when that one no longer takes it (a
// connect disables "Verbinden"); a hidden card must not keep it.
void ConnectCountdownOverlay::giveBackFocus() {
    if (m_focusBefore && m_focusBefore->isEnabled() && m_focusBefore->isVisible())
        m_focusBefore->setFocus();
    else
        QWidget::focusNextPrevChild(true);
}

void ConnectCountdownOverlay::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 168));
    m_card->paintShadow(painter);
}
