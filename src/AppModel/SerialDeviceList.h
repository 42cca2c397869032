#pragma once

#include <QString>
#include <QStringList>

// The serial devices a radio can be on: the entries of a device folder that name USB serial
// adapters or the radios' own USB ports ("cu." entries on macOS).
class SerialDeviceList {
public:
    explicit SerialDeviceList(QString folder);

    // Full paths in ascending order; empty when the folder cannot be read.
    QStringList paths() const;

private:
    QString m_folder;
};
