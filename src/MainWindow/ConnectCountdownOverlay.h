#pragma once

#include <QPointer>
#include <QWidget>

class ConnectCountdownCard;
class FadeScaleEffect;
class MainViewState;
class QLabel;
class QProgressBar;
class QPushButton;
class QPropertyAnimation;
class RoundedPanel;

// The card that counts down to the connection, over a dimmed copy of the whole window, with
// the freeware and donation notice and "Abbrechen". It shows the countdown of the window's state,
// in the colours of the selected model, and fades in and out with it.
class ConnectCountdownOverlay : public QWidget {
    Q_OBJECT

public:
    // Covers `host` completely and follows its size.
    ConnectCountdownOverlay(MainViewState *state, QWidget *host);

    // The version the card shows, as the branding has it.
    static QString appVersionString();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // While the card shows, the keyboard stays on it: Tab does not reach the controls under the
    // backdrop.
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *buildCard();
    QWidget *buildDonationBox();
    void follow();
    void showTheme();
    void fadeTo(bool shown);
    void giveBackFocus();
    void coverContent(bool covered);

    MainViewState *m_state;
    ConnectCountdownCard *m_card = nullptr;
    RoundedPanel *m_donationBox = nullptr;
    QLabel *m_donationCaption = nullptr;
    QLabel *m_donationAddress = nullptr;
    QLabel *m_countdownText = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_cancel = nullptr;
    FadeScaleEffect *m_effect;
    QPropertyAnimation *m_fade;
    // Where the fade goes (or went).
    bool m_shown = false;
    QPointer<QWidget> m_focusBefore;
};
