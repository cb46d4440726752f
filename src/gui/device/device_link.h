#pragma once
// The communication manager of this run and the device operations the main window offers the
// other windows. StartDeviceLink is the start sequence's link step: it creates the manager (with
// the hex link log in the protocol directory in service mode), hands its notifications to the main
// window and starts the worker on the given port. The manager lives as long as the main window;
// destroying it stops the worker and closes the port.
#include <QString>

class TfrmMain;
class TKemCommDM;
class DeviceOperations;

void StartDeviceLink(TfrmMain& main, const QString& portName);

// Null before StartDeviceLink and after the main window is gone.
TKemCommDM* CommDM();
DeviceOperations* DeviceOps();
