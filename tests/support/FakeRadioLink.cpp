#include "FakeRadioLink.h"

FakeRadioLink::FakeRadioLink(RadioModel model)
    : radio(model) {
    const LinkFactory::Link link = LinkFactory::open(
        {radio.devicePath(), model, 38400, [log = m_log](const QString &text) { *log << text; }});
    port = link.serialPort;
    connection = link.catConnection;
    service = link.radioService;
}
