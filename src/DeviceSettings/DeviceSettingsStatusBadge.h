#pragma once

#include <QWidget>

// The connection badge of the header: a green or red dot and "Verbunden" or "Getrennt" on a capsule.
class DeviceSettingsStatusBadge : public QWidget {
    Q_OBJECT

public:
    explicit DeviceSettingsStatusBadge(QWidget *parent = nullptr);

    void setConnected(bool connected);
    QString text() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_connected = false;
};
