#include "RadioLink/SerialPortConfiguration.h"

SerialPortConfiguration SerialPortConfiguration::ft710(int baudRate) {
    return {.baudRate = baudRate,
            .dataBits = 8,
            .stopBits = 1,
            .hardwareFlowControl = false,
            .hangUpOnClose = false};
}

SerialPortConfiguration SerialPortConfiguration::ft991a(int baudRate) {
    return {.baudRate = baudRate,
            .dataBits = 8,
            .stopBits = 2,
            .hardwareFlowControl = true,
            .hangUpOnClose = false};
}
