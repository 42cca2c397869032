#pragma once

#include <QWidget>

class AppModel;
class ConnectionStateBadge;
class ContentView;
class QComboBox;
class QPushButton;
class SegmentedControl;

// The sidebar's card: radio model, serial device, baud rate, connect and disconnect, the link's
// state and the UI language. It keeps nothing of its own: it shows AppModel and hands every
// choice of the user to an AppModel operation (the language to the stored selection).
class ConnectionPanel : public QWidget {
    Q_OBJECT

public:
    ConnectionPanel(AppModel *model, ContentView *view, QWidget *parent = nullptr);

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
    ContentView *m_view;
    ConnectionStateBadge *m_badge = nullptr;
    SegmentedControl *m_modelPicker = nullptr;
    QComboBox *m_portMenu = nullptr;
    QComboBox *m_baudMenu = nullptr;
    QPushButton *m_connectButton = nullptr;
    QPushButton *m_disconnectButton = nullptr;
};
