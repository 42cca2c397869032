#pragma once

#include "Model/RadioModel.h"

#include <QString>
#include <functional>
#include <memory>

class CATConnection;
class RadioServiceProtocol;
class SerialPort;

// Builds the link of one connection: the serial device opened with the line settings of the
// radio model, the CAT connection on it and the model's memory service on that. The application
// model takes its links from a function of this shape; open() unless a test hands in another.
class LinkFactory {
public:
    struct Request {
        QString path;
        RadioModel model = RadioModel::ft710;
        int baudRate = 38400;
        // Receives the CAT connection's log lines.
        std::function<void(const QString &text)> logger;
    };

    // All three set, or none (no link).
    struct Link {
        std::shared_ptr<SerialPort> serialPort;
        std::shared_ptr<CATConnection> catConnection;
        std::shared_ptr<RadioServiceProtocol> radioService;
    };

    using Function = std::function<Link(const Request &request)>;

    // Sends nothing. Throws RadioError::portOpenFailed with the path when the device cannot be
    // opened; nothing stays open then.
    static Link open(const Request &request);
};
