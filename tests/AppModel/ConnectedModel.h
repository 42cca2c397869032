#pragma once

#include "AppModel/AppModel.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "RadioLink/LinkTiming.h"
#include "TestSettings.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// What every test against the fake radio sets up: an empty settings store, German texts and
// waits scaled down to a tenth.
struct LinkTestEnvironment {
    LinkTestEnvironment() {
        L::setPreferredLanguagesSource([] { return QStringList{QStringLiteral("de-DE")}; });
        LinkTiming::setScale(0.1);
    }
    ~LinkTestEnvironment() {
        L::setPreferredLanguagesSource({});
        LinkTiming::setScale(1.0);
    }

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
        if (definition.fieldKind == DeviceSettingFieldKind::choice && !definition.options.isEmpty())
            return definition.options.last().code;
        return definition.normalizeForWrite(QStringLiteral("1"));
    }
    // Gives the radio a value for every menu item of the selected model.
    void fillMenu() {
        for (const DeviceSettingDefinition &definition : app.currentSettingDefinitions())
            radio.setMenuValue(definition.writePrefix, menuValue(definition));
    }

    // The log without its time stamps, oldest line first.
    QStringList messages() const {
        QStringList lines;
        for (const QString &line : app.logLines())
            lines.prepend(line.mid(QStringLiteral("[12:00:00] ").size()));
        return lines;
    }
    // The messages that are not the CAT connection's own lines.
    QStringList operationMessages() const {
        static const QRegularExpression catLine(QStringLiteral("^(TX|RX|IGNORED RX|SET OK) "));
        QStringList lines = messages();
        lines.removeIf([](const QString &line) { return catLine.match(line).hasMatch(); });
        return lines;
    }
    QString newestMessage() const { return operationMessages().value(operationMessages().size() - 1); }

    QTemporaryDir devices;
    FakeRadio radio;
    AppModel app;
};
