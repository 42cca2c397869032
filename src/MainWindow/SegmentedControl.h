#pragma once

#include <QColor>
#include <QWidget>

class QButtonGroup;
class QHBoxLayout;

// A row of joined, mutually exclusive buttons (a segmented picker). It reports only the
// user's choice of another segment (`activated`); setting the current segment from code emits
// nothing.
class SegmentedControl : public QWidget {
    Q_OBJECT

public:
    explicit SegmentedControl(QWidget *parent = nullptr);

    // Adds a segment; `name` becomes the button's object name.
    void addSegment(const QString &text, const QString &name);
    void setCurrentIndex(int index);

    // The colour of the chosen segment.
    void setAccent(const QColor &accent);

signals:
    void activated(int index);

private:
    void applyStyle();
    void restyleSegments();

    QHBoxLayout *m_layout;
    QButtonGroup *m_group;
    QColor m_accent{QStringLiteral("#2999ff")};
};
