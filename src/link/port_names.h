#pragma once
// Serial port names. "COMn" keeps the numbering 1 ... 8 and means the n-th serial port of the
// machine (ttyUSB, then ttyACM, then ttyS, each in number order); a device path such as
// /dev/ttyUSB0 or /dev/pts/7 is used as given.
#include <QString>
#include <QStringList>

bool IsDevicePath(const QString& name);
// The machine's serial ports in "COMn" order, as system locations.
QStringList MachineSerialPorts();
// The system location of port n (1-based); empty when the machine has fewer ports.
QString SystemPortForNumber(int n);
