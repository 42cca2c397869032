#pragma once

#include <QWidget>

class AppModel;
class ConnectionStateBadge;
class MainViewState;
class QComboBox;
class QPushButton;
class SegmentedControl;

// The sidebar's card: radio model, serial device, baud rate, connect and disconnect, the link's
// state and the UI language. It keeps nothing of its own: it shows AppModel and hands every
// choice of the user to an AppModel operation (the language to the stored selection, "Verbinden"
// to the window's countdown). It takes the colours of the selected model from the window's state.
class ConnectionPanel : public QWidget {
    Q_OBJECT

public:
    ConnectionPanel(AppModel *model, MainViewState *state, QWidget *parent = nullptr);

private:
    QWidget *buildHeader();
    QWidget *buildModelRow();
    QWidget *buildPortRow();
    QWidget *buildBaudRow();
    QWidget *buildActionRow();
    QWidget *buildLanguageCard();

    void showModel();
    void showPorts();
    void showBaudRate();
    void showLinkState();
    void showTheme();

    AppModel *m_model;
    MainViewState *m_state;
    ConnectionStateBadge *m_badge = nullptr;
    SegmentedControl *m_modelPicker = nullptr;
    QComboBox *m_portMenu = nullptr;
    QComboBox *m_baudMenu = nullptr;
    QPushButton *m_connectButton = nullptr;
    QPushButton *m_disconnectButton = nullptr;
};
