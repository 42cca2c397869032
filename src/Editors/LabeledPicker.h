#pragma once

#include "Editors/PickerItems.h"

#include <QWidget>

class QComboBox;
class QLabel;

// A captioned picker of the detail editor. A stored value that matches none of its entries
// shows no entry; only an entry the user picks is reported.
class LabeledPicker : public QWidget {
    Q_OBJECT

public:
    LabeledPicker(const QString &title, QWidget *parent = nullptr);

    QComboBox *comboBox() const { return m_combo; }
    // Replaces the entries when they differ, without reporting anything.
    void setItems(const QList<PickerItem> &items);
    // Shows the entry standing for `tag`, or none, without reporting it.
    void setCurrentTag(const QString &tag);
    void setTitle(const QString &title);

signals:
    void picked(const QString &tag);

private:
    QLabel *m_caption;
    QComboBox *m_combo;
    QList<PickerItem> m_items;
};
