#include "core/app_state.h"
#include "core/config.h"
#include "scripted_interaction.h"
#include "shell/about_window.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "temp_dir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Settings of the sequence go to a temporary directory, not beside the test program.
class StartSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        ConfigLocation loc;
        loc.programDir = dir.path();
        loc.defaultWorkDir = dir.path();
        loc.iniPath = dir.file("kemsys.INI");
        SetAppConfigLocation(loc);
    }

    StartupServices recordingServices()
    {
        StartupServices s;
        s.createReportModule = [this] { steps << "report"; };
        s.openDatabase = [this] { steps << "database"; };
        s.startLink = [this](TfrmMain&, const QString& port) { steps << "link " + port; };
        s.cleanOldProtocols = [this] { steps << "clean"; };
        s.attachWindows = [this](TfrmMain&) { steps << "windows"; };
        return s;
    }

    static bool mainWindowVisible()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TfrmMain*>(w) && w->isVisible()) return true;
        return false;
    }

    TestDir dir;
    QStringList steps;
    ScriptedInteraction ui;
};

}  // namespace

TEST_F(StartSequence, FailingDatabaseShowsTheMessageAndNoMainWindow)
{
    StartupServices s = recordingServices();
    s.openDatabase = [this] {
        steps << "database";
        throw std::runtime_error("cannot attach");
    };
    bool mainShown = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] { mainShown = mainShown || mainWindowVisible(); });
    probe.start(10);

    const auto main = RunStartSequence({}, ui, s, 0);

    EXPECT_EQ(main, nullptr);
    EXPECT_FALSE(mainShown);
    EXPECT_FALSE(mainWindowVisible());
    EXPECT_EQ(steps, QStringList({"report", "database"}));  // nothing after the database runs
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, QString("Внутренняя ошибка или не найден сервер базы данных FireBird!"));
    EXPECT_EQ(ui.messages()[0].caption, QString("Ошибка!"));
}

TEST_F(StartSequence, RunsTheModulesInOrderWithSettingsAndSwitchesLoaded)
{
    const auto main = RunStartSequence({"/dev/ttyUSB0", "/g"}, ui, recordingServices(), 0);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->isVisible());  // the caller shows it and runs the loop
    EXPECT_EQ(steps, QStringList({"report", "database", "link COM1", "clean", "windows"}));
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(QFile::exists(dir.file("kemsys.INI")));
    EXPECT_FALSE(AppState().DebugMode);
    EXPECT_TRUE(AppState().ShowCalibrationValues);
    EXPECT_FALSE(main->action("actionDebug")->isEnabled());
}

TEST_F(StartSequence, PortOptionReachesTheLinkAndDebugSwitchTheMainWindow)
{
    const auto main = RunStartSequence({"/d", "--port=/dev/pts/9"}, ui, recordingServices(), 0);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(steps.contains("link /dev/pts/9"));
    EXPECT_TRUE(main->action("actionDebug")->isEnabled());
    EXPECT_EQ(AppConfig().COMPort, "COM1");
}

TEST_F(StartSequence, SplashStaysUpAndPaintedForTheMinimumTime)
{
    StartupServices s = recordingServices();
    int splashSeenDuringWait = 0;
    s.cleanOldProtocols = [&] {
        // Runs just before the wait: events delivered during the wait prove it is not a busy wait.
        QTimer::singleShot(100, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<TfrmAbout*>(w) && w->isVisible()) ++splashSeenDuringWait;
        });
    };
    QElapsedTimer t;
    t.start();
    const auto main = RunStartSequence({}, ui, s, 400);
    EXPECT_GE(t.elapsed(), 400);
    EXPECT_EQ(splashSeenDuringWait, 1);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TfrmAbout*>(w)) {
            EXPECT_FALSE(w->isVisible());
        }
}
