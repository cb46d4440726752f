#include "app_state.h"
#include "command_line.h"
#include "config.h"

#include <gtest/gtest.h>

TEST(CommandLine, SwitchesAreWholeCaseSensitiveArguments)
{
    struct Case {
        QStringList args;
        bool debug;
        bool calibration;
        QString port;
    } cases[] = {
        {{}, false, false, {}},
        {{"/d"}, true, false, {}},
        {{"/g"}, false, true, {}},
        {{"/g", "/d"}, true, true, {}},
        {{"/dev/ttyUSB0"}, false, false, {}},
        {{"/data/x"}, false, false, {}},
        {{"/home/gd/kem"}, false, false, {}},
        {{"/D", "/G"}, false, false, {}},
        {{"x/d", "/dg", "/d ", " /g"}, false, false, {}},
        {{"--port=/dev/pts/7"}, false, false, "/dev/pts/7"},
        {{"/d", "--port=/dev/ttyUSB0"}, true, false, "/dev/ttyUSB0"},
        {{"--port=", "--port", "--PORT=/dev/x", "-port=/dev/x"}, false, false, {}},
    };
    for (const auto& c : cases) {
        const CommandLineSwitches s = ParseCommandLine(c.args);
        EXPECT_EQ(s.DebugMode, c.debug) << c.args.join(' ').toStdString();
        EXPECT_EQ(s.ShowCalibrationValues, c.calibration) << c.args.join(' ').toStdString();
        EXPECT_EQ(s.PortOverride, c.port) << c.args.join(' ').toStdString();
    }
}

TEST(CommandLine, AppliedSwitchesReplaceThePreviousStateAndOverrideThePortForThisRunOnly)
{
    AppConfig().COMPort = "COM3";
    ApplyCommandLine(ParseCommandLine({"/g", "/d", "--port=/dev/pts/4"}));
    EXPECT_TRUE(AppState().DebugMode);
    EXPECT_TRUE(AppState().ShowCalibrationValues);
    EXPECT_EQ(EffectivePortName(), "/dev/pts/4");
    EXPECT_EQ(AppConfig().COMPort, "COM3");  // never written to the settings file

    ApplyCommandLine(ParseCommandLine({}));
    EXPECT_FALSE(AppState().DebugMode);
    EXPECT_FALSE(AppState().ShowCalibrationValues);
    EXPECT_EQ(EffectivePortName(), "COM3");
}
