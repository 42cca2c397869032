#pragma once

#include "Theme/RoundedPanel.h"

class QLabel;

// A small captioned value of the detail editor: a status badge in the model colours, or a
// neutral summary chip whose value stays on one line.
class InfoTile : public RoundedPanel {
    Q_OBJECT

public:
    enum class Look { badge, chip };

    InfoTile(Look look, const QString &title, QWidget *parent = nullptr);

    void setValue(const QString &value);
    QString value() const;
    void setAccent(const QColor &primary, const QColor &secondary);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitValue();

    Look m_look;
    QLabel *m_value;
    QString m_fullValue;
};
