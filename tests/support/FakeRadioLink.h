#pragma once

#include "FakeRadio.h"

#include "AppModel/LinkFactory.h"
#include "RadioLink/CATConnection.h"
#include "RadioLink/RadioServiceProtocol.h"
#include "RadioLink/SerialPort.h"

#include <QStringList>
#include <memory>

// A fake radio and the link the application would open to it, collecting the connection's log
// lines:
//
//   FakeRadioLink link(RadioModel::ft710);
//   link.radio.setChannel(7, {...});
//   const auto memory = runTask(link.service->readMemory(7)).value();
//   QCOMPARE(link.radio.received(), (QStringList{"MR007;", "MT007;"}));
struct FakeRadioLink {
    explicit FakeRadioLink(RadioModel model);

    FakeRadio radio;
    std::shared_ptr<SerialPort> port;
    std::shared_ptr<CATConnection> connection;
    std::shared_ptr<RadioServiceProtocol> service;
    // The connection's log lines so far, oldest first.
    QStringList log() const { return *m_log; }

private:
    // Shared with the logger: log lines are handed over on later turns of the event loop and may
    // arrive after this object is gone.
    std::shared_ptr<QStringList> m_log = std::make_shared<QStringList>();
};
