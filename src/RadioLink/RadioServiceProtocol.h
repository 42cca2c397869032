#pragma once

#include "Model/RadioMemory.h"
#include "Model/RadioModel.h"
#include "RadioLink/CancellationToken.h"

#include <QCoro/QCoroTask>

// What the application needs of a radio's memory service: read and write one channel. Each call
// sends its commands one after the other, so a service never has two requests pending. The
// caller keeps the service alive until the task has ended and passes the token of its operation;
// the service honours it only where waiting may stop early.
class RadioServiceProtocol {
public:
    virtual ~RadioServiceProtocol() = default;

    virtual RadioModel model() const = 0;
    virtual ChannelRange memoryRange() const = 0;
    // An empty channel comes back as RadioMemory::empty(); failures throw RadioError (and,
    // where a wait was cancelled, CancellationError).
    virtual QCoro::Task<RadioMemory> readMemory(int channel, CancellationToken cancellation = {}) = 0;
    virtual QCoro::Task<> writeMemory(RadioMemory memory, CancellationToken cancellation = {}) = 0;
    // The commands writeMemory() sends, in order, all built before the first is sent. Throws
    // RadioError::invalidMemory for a channel without a frequency, or naming the first field the
    // serial port could not send.
    virtual QStringList writeCommands(const RadioMemory &memory) const = 0;
};
