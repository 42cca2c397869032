#pragma once

#include <QHeaderView>

// A table's column titles, each ending in "…" where its column is too narrow for it. The model's
// title stays whole, so the tool tip and a screen reader have all of it.
class ElidedHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit ElidedHeaderView(QWidget *parent = nullptr);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;
};
