#pragma once

#include "FakeRadio.h"

#include "AppModel/LinkFactory.h"
#include "RadioLink/CATConnection.h"
#include "RadioLink/RadioServiceProtocol.h"
#include "RadioLink/SerialPort.h"

#include <QStringList>
#include <memory>

// A fake radio and the link the application would open to it, collecting the connection's log.
struct FakeRadioLink {
    explicit FakeRadioLink(RadioModel model)
        : radio(model) {
        open();
    }

    // Drops this link and opens the radio anew, as the application does on its next connect.
    void reconnect() {
        service.reset();
        connection.reset();
        port.reset();
        open();
    }

    FakeRadio radio;
    std::shared_ptr<SerialPort> port;
    std::shared_ptr<CATConnection> connection;
    std::shared_ptr<RadioServiceProtocol> service;
    // The connection's log lines so far, oldest first.
    QStringList log() const { return *m_log; }

private:
    void open() {
        const LinkFactory::Link link = LinkFactory::open(
            {radio.devicePath(), radio.model(), 38400, [log = m_log](const QString &text) { *log << text; }});
        port = link.serialPort;
        connection = link.catConnection;
        service = link.radioService;
    }

    // Shared with the logger: lines are handed over on later turns and may arrive after this is gone.
    std::shared_ptr<QStringList> m_log = std::make_shared<QStringList>();
};
