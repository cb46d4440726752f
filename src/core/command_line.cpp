#include "command_line.h"

#include "app_state.h"

CommandLineSwitches ParseCommandLine(const QStringList& arguments)
{
    static const QString portPrefix = QStringLiteral("--port=");
    CommandLineSwitches s;
    for (const QString& a : arguments) {
        if (a == QLatin1String("/d")) s.DebugMode = true;
        else if (a == QLatin1String("/g")) s.ShowCalibrationValues = true;
        else if (a.startsWith(portPrefix) && a.size() > portPrefix.size()) s.PortOverride = a.mid(portPrefix.size());
    }
    return s;
}

void ApplyCommandLine(const CommandLineSwitches& switches)
{
    TAppState& st = AppState();
    st.ShowCalibrationValues = switches.ShowCalibrationValues;
    st.DebugMode = switches.DebugMode;
    st.PortOverride = switches.PortOverride;
}
