// The main window with the communication manager on the recorder simulator: status panels, the
// remembered carrier mode and, in service mode, the link log.
#include "core/app_state.h"
#include "core/config.h"
#include "device/device_link.h"
#include "kem_comm_dm.h"
#include "shell/main_window.h"
#include "sim_process.h"
#include "temp_dir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(DeviceLink, StatusPanelsFollowTheRecorder)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    TestDir dir;
    AppConfig().ProtPath = dir.path();
    AppState().DebugMode = true;
    AppState().RememberedCarrierMode = 0;
    {
        TfrmMain main;
        StartDeviceLink(main, sim.path());
        ASSERT_NE(CommDM(), nullptr);
        ASSERT_TRUE(WaitFor([&] { return main.statusText(TfrmMain::PanelDevice) == "Устройство подключено"; }, 5000));
        EXPECT_EQ(main.statusText(TfrmMain::PanelReady), "Готово");
        EXPECT_EQ(AppState().RememberedCarrierMode, 4);
        EXPECT_FALSE(CommDM()->ConnectPending());

        sim.command("silent on");
        ASSERT_TRUE(WaitFor([&] { return main.statusText(TfrmMain::PanelDevice) == "Нет ответа"; }, 5000));
        EXPECT_EQ(AppState().RememberedCarrierMode, 0);
    }
    EXPECT_EQ(CommDM(), nullptr);  // gone with the main window
    AppState().DebugMode = false;

    // Service mode wrote every byte as hex into the protocol directory.
    const QStringList logs = QDir(dir.path()).entryList({"kemlink-*.log"});
    ASSERT_EQ(logs.size(), 1);
    QFile log(dir.file(logs[0]));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("> FE 00 00 01"));
    EXPECT_TRUE(text.contains("< FE 03 20 00 04 00 31"));
}
