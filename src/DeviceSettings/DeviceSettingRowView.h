#pragma once

#include "Model/DeviceSettingState.h"

#include <QColor>
#include <QList>
#include <QWidget>

class DeviceSettingPill;
struct ModelPalette;
class QComboBox;
class QLineEdit;

// One menu item: its title with the "geändert" and "reconnect" marks, its help text and its editor,
// a picker for a choice item or a text field for a numeric one, which marks a typed value that could
// not be written. It keeps no value of its own: every edit leaves through `valueEdited`, and
// `setState` shows what the application model holds.
class DeviceSettingRowView : public QWidget {
    Q_OBJECT

public:
    DeviceSettingRowView(const DeviceSettingState &state, const ModelPalette &palette,
                         QWidget *parent = nullptr);

    // Shows a newer state of the same item in place, keeping focus and cursor of the editor.
    void setState(const DeviceSettingState &state);

    // The picker's entries: the item's options, headed by a placeholder while the value is empty,
    // or followed by the current value when no option has it.
    static QList<DeviceSettingOption> settingOptions(const DeviceSettingState &state);

signals:
    void valueEdited(const QString &id, const QString &value);

private:
    QWidget *makeEditor();
    void showChoice();
    void showNumber();
    void chooseOption(int index);

    DeviceSettingState m_state;
    DeviceSettingPill *m_changedPill = nullptr;
    QComboBox *m_choice = nullptr;
    QLineEdit *m_number = nullptr;
    QList<DeviceSettingOption> m_shownOptions;
};
