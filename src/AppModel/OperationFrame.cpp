#include "AppModel/OperationFrame.h"

#include "Model/RadioError.h"

void OperationFrame::alertNotConnected() {
    setAlertMessage(RadioError::notConnected().description());
}

std::shared_ptr<RadioServiceProtocol> OperationFrame::serviceOrAlert() {
    std::shared_ptr<RadioServiceProtocol> service = radioService();
    if (!service)
        alertNotConnected();
    return service;
}

std::shared_ptr<CATConnection> OperationFrame::connectionOrAlert() {
    std::shared_ptr<CATConnection> connection = catConnection();
    if (!connection)
        alertNotConnected();
    return connection;
}
