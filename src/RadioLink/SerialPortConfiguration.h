#pragma once

// The line settings of one radio model.
struct SerialPortConfiguration {
    int baudRate = 38400;
    // 5, 6, 7 or 8; anything else counts as 8.
    int dataBits = 8;
    // 2 selects two stop bits; anything else gives one.
    int stopBits = 1;
    // RTS/CTS.
    bool hardwareFlowControl = false;
    // Drop the modem control lines on close (HUPCL).
    bool hangUpOnClose = false;

    static SerialPortConfiguration ft710(int baudRate);
    static SerialPortConfiguration ft991a(int baudRate);

    bool operator==(const SerialPortConfiguration &) const = default;
};
