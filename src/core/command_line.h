#pragma once
// The program's command-line switches. Each is matched as a whole argument, case-sensitively, so
// that paths such as /dev/ttyUSB0 or /data/x never switch on a service mode.
#include <QString>
#include <QStringList>

struct CommandLineSwitches {
    bool DebugMode = false;              // "/d"
    bool ShowCalibrationValues = false;  // "/g"
    QString PortOverride;                // "--port=PATH": COMPort for this run only
};

// arguments: the command line without the program name.
CommandLineSwitches ParseCommandLine(const QStringList& arguments);

// Clears ShowCalibrationValues, then takes the switches into the program state.
void ApplyCommandLine(const CommandLineSwitches& switches);
