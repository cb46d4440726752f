#pragma once
// State of the running program besides the settings: the service switches of the command line, the
// last calibration-values report and the carrier mode shown at the last device notification.
#include <QString>
#include <cstdint>

struct TAppState {
    bool DebugMode = false;              // "/d": service functions visible
    bool ShowCalibrationValues = false;  // "/g": calibration blocks are reported
    QString CalibrationValuesText;       // last calibration-values report
    uint8_t RememberedCarrierMode = 0;   // 0 = no device shown
    QString PortOverride;                // "--port=PATH": serial port of this run only
};

TAppState& AppState();

// The serial port the link uses in this run: the command-line override, else the configured COMPort.
QString EffectivePortName();
