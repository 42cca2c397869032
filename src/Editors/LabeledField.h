#pragma once

#include <QColor>
#include <QWidget>

class QLabel;
class QLineEdit;

// A captioned text field of the detail editor, with a thin accent line in the window's model
// colours under it. It reports only what the user types.
class LabeledField : public QWidget {
    Q_OBJECT

public:
    LabeledField(const QString &title, QWidget *parent = nullptr);

    QLineEdit *lineEdit() const { return m_edit; }
    // Shows `text` without reporting it; the cursor stays where it is when nothing changes.
    void setText(const QString &text);
    void setAccent(const QColor &primary, const QColor &secondary);
    void setTitle(const QString &title);

signals:
    void edited(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_caption;
    QLineEdit *m_edit;
    QColor m_primary;
    QColor m_secondary;
};
