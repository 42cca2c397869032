#include "AppModel/LinkFactory.h"

#include "RadioLink/CATConnection.h"
#include "RadioLink/FT710RadioService.h"
#include "RadioLink/FT991ARadioService.h"
#include "RadioLink/SerialPort.h"

LinkFactory::Link LinkFactory::open(const Request &request) {
    Link link;
    link.serialPort = std::make_shared<SerialPort>(request.path);
    link.serialPort->openPort(request.model == RadioModel::ft991a
                                  ? SerialPortConfiguration::ft991a(request.baudRate)
                                  : SerialPortConfiguration::ft710(request.baudRate));
    link.catConnection = std::make_shared<CATConnection>(link.serialPort, request.logger);
    if (request.model == RadioModel::ft991a)
        link.radioService = std::make_shared<FT991ARadioService>(link.catConnection);
    else
        link.radioService = std::make_shared<FT710RadioService>(link.catConnection);
    return link;
}
