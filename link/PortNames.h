#pragma once

#include <QString>
#include <QStringList>

// The port names the dialog offers, "COM1" to "COM15".
QStringList standardPortNames();

// The device to open for a port name. On Linux "COMn" is the n-th serial port /dev/ttyS(n-1);
// every other text (a device path, a pseudo-terminal, "COMn" on Windows) is used as it stands.
QString portDevicePath(const QString& name);

// Serial ports that exist on this machine, as names the user can type back.
QStringList availablePortNames();
