#include "FakeRadioLink.h"

FakeRadioLink::FakeRadioLink(RadioModel model)
    : radio(model)
    , port(std::make_shared<SerialPort>(radio.devicePath())) {
    port->openPort(model == RadioModel::ft710 ? SerialPortConfiguration::ft710(38400)
                                              : SerialPortConfiguration::ft991a(38400));
    connection = std::make_shared<CATConnection>(port, [log = m_log](const QString &text) { *log << text; });
}
