#pragma once

#include "Model/DeviceSettingFieldKind.h"
#include "Model/DeviceSettingOption.h"
#include "Model/RadioModel.h"

#include <QList>
#include <QString>
#include <optional>

// One radio menu item that the program reads and writes with the "EX" command, and the codec of
// its commands and replies. A plain value; the two radios' tables are built once and shared.
struct DeviceSettingDefinition {
    // "ft710." or "ft991a." followed by the menu number; unique within a table.
    QString id;
    // German group name, shown through the text lookup.
    QString group;
    // The radio's own name of the item.
    QString title;
    // "EX", the menu number, ";".
    QString readCommand;
    // "EX" and the menu number: the write command up to the value.
    QString writePrefix;
    // Numeric items: the digits written, the sign not counted. Choice items: the code width.
    int digits = 0;
    DeviceSettingFieldKind fieldKind = DeviceSettingFieldKind::choice;
    // Choice items: the allowed values in display order, the first being the fallback.
    QList<DeviceSettingOption> options;
    // Writing it changes the CAT link itself, which may stop answering afterwards.
    bool disruptsConnection = false;
    // The radio's menu path or menu number, shown under the title.
    QString help;

    // The value a reply to `readCommand` carries (the empty text too); nothing when the text is
    // no such reply.
    std::optional<QString> parseResponse(const QString &response) const;
    // The value in the form the radio takes: a choice item's own code or its first code; a
    // numeric item's optional "-" and exactly `digits` digits.
    QString normalizeForWrite(const QString &value) const;
    // `writePrefix`, the normalised value, ";".
    QString writeCommand(const QString &value) const;
    // Why the value must not be written, or nothing when it may: a numeric item takes only a plain
    // number, a sign and at most `digits` digits, blanks around it aside. Choice items take any value.
    std::optional<QString> invalidValueReason(const QString &value) const;

    // The menu tables of the two radios, in reading and display order.
    static const QList<DeviceSettingDefinition> &ft710Definitions();
    static const QList<DeviceSettingDefinition> &ft991aDefinitions();
    // The menu table of `model`.
    static const QList<DeviceSettingDefinition> &definitions(RadioModel model);

    // Option lists that several items share.
    static const QList<DeviceSettingOption> &timeoutOptions();
    static const QList<DeviceSettingOption> &ft710RateOptions();
    static const QList<DeviceSettingOption> &ft991RateOptions();
    static const QList<DeviceSettingOption> &onOffOptions();
    static const QList<DeviceSettingOption> &enableDisableOptions();
    static const QList<DeviceSettingOption> &pauseTimeOptions();
    static const QList<DeviceSettingOption> &ft991ToneLcutOptions();
    static const QList<DeviceSettingOption> &ft991ToneHcutOptions();

    // All ten fields; texts compare by canonical equivalence.
    friend bool operator==(const DeviceSettingDefinition &a, const DeviceSettingDefinition &b);
};

size_t qHash(const DeviceSettingDefinition &definition, size_t seed = 0);
