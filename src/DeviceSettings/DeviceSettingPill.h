#pragma once

#include <QColor>
#include <QWidget>

// A small capsule-shaped mark with a text in the given colour on a faint fill of the same colour.
class DeviceSettingPill : public QWidget {
    Q_OBJECT

public:
    DeviceSettingPill(const QString &text, const QColor &color, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_color;
};
