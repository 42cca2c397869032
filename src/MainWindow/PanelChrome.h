#pragma once

#include <QWidget>

class QVBoxLayout;

// The frame of every panel inside a column of the main window (and of the editors that sit
// there): the content padded by 12, on a faint rounded card without shadow.
class PanelChrome : public QWidget {
    Q_OBJECT

public:
    explicit PanelChrome(QWidget *content = nullptr, QWidget *parent = nullptr);

    // Puts `content` into the frame (the frame takes ownership); a previous content is deleted.
    void setContent(QWidget *content);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVBoxLayout *m_layout;
    QWidget *m_content = nullptr;
};
