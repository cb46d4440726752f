// The simulator's own promises: its state file, its control socket and its carrier model.
#include "sim_process.h"
#include "temp_dir.h"

#include <QProcess>
#include <gtest/gtest.h>

TEST(Simulator, KeepsItsStateBetweenRuns)
{
    TestDir dir;
    const QString state = dir.file("sim.bin");
    {
        SimProcess sim({"--state", state, "--pages", "4096"});
        ASSERT_TRUE(sim.started());
        sim.command("reg 10 0x1122334455667788");
        sim.command("mode 2");
        sim.command("position 140 7");
        EXPECT_TRUE(sim.command("quit").startsWith("ok"));
    }
    SimProcess again({"--state", state});
    ASSERT_TRUE(again.started());
    const QString status = again.command("status");
    EXPECT_TRUE(status.contains("mode=2")) << status.toStdString();
    EXPECT_TRUE(status.contains("pages=4096"));
    EXPECT_TRUE(status.contains("position=140:7"));
    EXPECT_TRUE(status.contains("r10=0x1122334455667788"));
}

TEST(Simulator, AnswersOnItsControlSocket)
{
    TestDir dir;
    const QString socket = dir.file("sim.sock");
    SimProcess sim({"--control", socket});
    ASSERT_TRUE(sim.started());
    QProcess send;
    send.start(QString(KEM_BIN_DIR) + "/kem-recorder-sim", {"--control", socket, "--send", "reg 7"});
    ASSERT_TRUE(send.waitForFinished(5000));
    EXPECT_EQ(send.exitCode(), 0);
    EXPECT_EQ(send.readAllStandardOutput().trimmed(), "ok 0x1010001900000012");
    send.start(QString(KEM_BIN_DIR) + "/kem-recorder-sim", {"--control", socket, "--send", "mode 9"});
    ASSERT_TRUE(send.waitForFinished(5000));
    EXPECT_NE(send.exitCode(), 0);
}

TEST(Simulator, RejectsBadCommandsAndOptions)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    for (const char* bad : {"frobnicate", "late 1", "skip-packet 22", "pages 1000", "load /nonexistent/file", "reg 11"})
        EXPECT_TRUE(sim.command(bad).startsWith("error")) << bad;
    QProcess p;
    p.start(QString(KEM_BIN_DIR) + "/kem-recorder-sim", {"--pages", "5"});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 2);
}
