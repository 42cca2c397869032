#pragma once

#include "Model/RadioModel.h"

#include <QString>
#include <memory>
#include <optional>

class CATConnection;
class CancellationToken;
class RadioServiceProtocol;

// What the application model's parts need of it: the link of the connection, the frame every
// radio operation runs in (one at a time, cancellable, the model busy meanwhile), the activity log,
// the alert and the selected radio model. The application model implements it; the parts see
// nothing else of it.
class OperationFrame {
public:
    using Token = std::shared_ptr<CancellationToken>;

    virtual RadioModel selectedRadioModel() const = 0;
    // The connected radio's memory service and CAT connection; none while not connected.
    virtual std::shared_ptr<RadioServiceProtocol> radioService() const = 0;
    virtual std::shared_ptr<CATConnection> catConnection() const = 0;
    // Cancels the running operation and keeps the model busy until the new one's token ends.
    virtual Token beginOperation() = 0;
    // A task replaced by a newer one leaves the newer one's busy flag and handle alone.
    virtual void endOperation(const Token &token) = 0;
    virtual void appendLog(const QString &message) = 0;
    virtual void setAlertMessage(const std::optional<QString> &message) = 0;

    // The not-connected alert, which every radio operation raises without a link.
    void alertNotConnected();
    std::shared_ptr<RadioServiceProtocol> serviceOrAlert();
    std::shared_ptr<CATConnection> connectionOrAlert();

protected:
    ~OperationFrame() = default;
};
