#pragma once

#include "AppModel/AppModel.h"
#include "FakeRadio.h"
#include "RadioLink/LinkTiming.h"
#include "TestSettings.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// What every test against the fake radio sets up: an empty settings store, German texts and the
// link's waits scaled down to a tenth.
struct LinkTestEnvironment {
    LinkTestEnvironment() {
        TestSettings::setLanguage(QStringLiteral("de"));
        LinkTiming::setWaits({});
        LinkTiming::setScale(0.1);
    }
    ~LinkTestEnvironment() { LinkTiming::setScale(1.0); }

    TestSettings settings;
};

// An application model connected to a fake radio over a pseudo-terminal, with its log lines
// stamped "[12:00:00] " so tests compare whole lines.
struct ConnectedModel {
    explicit ConnectedModel(RadioModel model)
        : radio(model)
        , app({.deviceFolder = devices.path(), .clock = [] { return QTime(12, 0, 0); }}) {
        app.setSelectedRadioModel(model);
        app.setSelectedPort(radio.devicePath());
        app.connect();
    }

    // A value the radio holds for a menu item, other than what an empty state normalises to.
    static QString menuValue(const DeviceSettingDefinition &definition) {
        if (definition.fieldKind == DeviceSettingFieldKind::choice)
            return definition.options.last().code;
        return definition.normalizeForWrite(QStringLiteral("1"));
    }
    // Gives the radio a value for every menu item of the selected model.
    void fillMenu() {
        for (const DeviceSettingDefinition &definition : app.currentSettingDefinitions())
            radio.setMenuValue(definition.writePrefix, menuValue(definition));
    }

    // The messages that are not the CAT connection's own lines, without their time stamps, oldest
    // first.
    QStringList messages() const {
        static const QRegularExpression catLine(QStringLiteral("^(TX|RX|IGNORED RX|SET OK) "));
        QStringList lines;
        for (const QString &line : app.logLines()) {
            const QString message = line.mid(QStringLiteral("[12:00:00] ").size());
            if (!catLine.match(message).hasMatch())
                lines.prepend(message);
        }
        return lines;
    }
    QString newestMessage() const { return messages().value(messages().size() - 1); }

    QTemporaryDir devices;
    FakeRadio radio;
    AppModel app;
};
