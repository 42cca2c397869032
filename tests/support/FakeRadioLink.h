#pragma once

#include "FakeRadio.h"

#include "RadioLink/CATConnection.h"
#include "RadioLink/SerialPort.h"

#include <QStringList>
#include <memory>

// A fake radio with an open port and a CAT connection to it, collecting its log lines:
//
//   FakeRadioLink link(RadioModel::ft710);
//   FT710RadioService service(link.connection);
//   link.radio.setChannel(7, {...});
//   const auto memory = runTask(service.readMemory(7)).value();
//   QCOMPARE(link.radio.received(), (QStringList{"MR007;", "MT007;"}));
struct FakeRadioLink {
    explicit FakeRadioLink(RadioModel model);

    FakeRadio radio;
    std::shared_ptr<SerialPort> port;
    std::shared_ptr<CATConnection> connection;
    // The connection's log lines so far, oldest first.
    QStringList log() const { return *m_log; }

private:
    // Shared with the logger: log lines are handed over on later turns of the event loop and may
    // arrive after this object is gone.
    std::shared_ptr<QStringList> m_log = std::make_shared<QStringList>();
};
