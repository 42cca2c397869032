#pragma once

#include <QObject>

// What the main window keeps of its own and its panels share. It outlives the panels, which are
// built anew when the language changes; everything shared with other windows lives in AppModel.
class MainViewState : public QObject {
    Q_OBJECT

public:
    static constexpr int defaultLogPanelHeight = 220;
    static constexpr int minimumLogPanelHeight = 120;
    static constexpr int maximumLogPanelHeight = 420;
    static constexpr int logPanelHeightStep = 20;

    explicit MainViewState(QObject *parent = nullptr);

    // The height of the log's text area: 120 to 420 in steps of 20.
    int logPanelHeight() const { return m_logPanelHeight; }
    void setLogPanelHeight(int height);

signals:
    void logPanelHeightChanged();

private:
    int m_logPanelHeight = defaultLogPanelHeight;
};
