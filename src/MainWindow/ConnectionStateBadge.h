#pragma once

#include <QWidget>

class QLabel;

// The capsule in the connection panel's header: a state mark, "Verbunden"/"Getrennt" and the
// model name, on the state colour.
class ConnectionStateBadge : public QWidget {
    Q_OBJECT

public:
    explicit ConnectionStateBadge(QWidget *parent = nullptr);

    void setState(bool connected, const QString &modelName);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor stateColor() const;

    bool m_connected = false;
    QLabel *m_stateText;
    QLabel *m_modelText;
};
