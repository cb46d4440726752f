// TKemCommDM against the recorder simulator over a pseudo-terminal.
#include "manager_fixture.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <unistd.h>

using kemlink::kPageSize;

TEST(CommManager, CommandsBeforeStartLinkFail)
{
    TKemCommDM dm(std::make_unique<TKemProtoLL>());
    EXPECT_FALSE(dm.RunCommand([] {}));
    EXPECT_EQ(dm.LastError(), -1);
    EXPECT_EQ(dm.LastErrorText(), "Порт не инициализирован");
    EXPECT_FALSE(dm.FetchDeviceState());
    EXPECT_EQ(dm.LastErrorText(), "Порт не инициализирован");
}

TEST(CommManager, ConfiguredPortNames)
{
    struct Case {
        const char* name;
        int port;
    } cases[] = {{"COM3", 3}, {"COM12", 8}, {"COMX", 1}, {"COM", 1}, {"COM0", 0}};
    for (const Case& c : cases) {
        auto link = std::make_unique<TKemProtoLL>();
        link->SetPortResolver([](int) { return QString(); });  // no port answers
        TKemCommDM dm(std::move(link));
        dm.StartLink(c.name);
        EXPECT_EQ(dm.ConfiguredPort(), c.port) << c.name;
        EXPECT_TRUE(dm.Running());
        dm.StopLink();
        EXPECT_FALSE(dm.Running());
    }
}

TEST_F(ManagerOverPty, FindsTheRecorderAndAnswersCommands)
{
    Connect();
    EXPECT_TRUE(dm->Connected());
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(dm->Status().Mode, 4);
    EXPECT_EQ(dm->StateEx().FlashName, "AT45DB321B");
    EXPECT_EQ(dm->Registers()[7], 0x1010001900000012ull);
    EXPECT_TRUE(dm->SetRecorderMode(false, false));
    EXPECT_TRUE(dm->FetchDeviceState());
    EXPECT_EQ(dm->Status().Mode, 2);
    EXPECT_EQ(dm->LastError(), 0);
    EXPECT_TRUE(dm->LastErrorText().isEmpty());
}

TEST_F(ManagerOverPty, ScansWithoutPostingWhileNothingAnswers)
{
    sim.command("silent on");
    dm->StartLink(sim.path());
    // Every idle tick tries the port at both speeds; nothing is posted.
    ASSERT_TRUE(WaitFor([&] { return transport->normalOpens >= 2; }, 5000));
    EXPECT_GE(transport->highOpens, 2);
    EXPECT_EQ(connects + disconnects, 0);
    EXPECT_FALSE(dm->Connected());
    sim.command("silent off");
    ASSERT_TRUE(WaitFor([&] { return connects == 1; }, 5000));
}

TEST_F(ManagerOverPty, NoScanWhileTheConnectionIsPending)
{
    fetchOnConnect = false;
    dm->StartLink(sim.path());
    ASSERT_TRUE(WaitFor([&] { return connects == 1; }, 5000));
    EXPECT_TRUE(dm->ConnectPending());
    const int opens = transport->highOpens + transport->normalOpens;
    sim.command("reset-stats");
    ASSERT_TRUE(WaitFor([&] { return sim.stats()["ping"] >= 3; }, 5000));  // it goes on checking
    EXPECT_EQ(transport->highOpens + transport->normalOpens, opens);
    EXPECT_EQ(connects, 1);
    EXPECT_TRUE(dm->FetchDeviceState());
    EXPECT_FALSE(dm->ConnectPending());
}

TEST_F(ManagerOverPty, ScanFindsTheRecorderOnTheThirdPort)
{
    auto link = std::make_unique<TKemProtoLL>();
    QString path = sim.path();
    std::vector<int> tried;
    std::mutex triedLock;
    link->SetPortResolver([&](int n) {
        std::lock_guard lock(triedLock);
        tried.push_back(n);
        return n == 3 ? path : QString();
    });
    dm = std::make_unique<TKemCommDM>(std::move(link));
    dm->SetOnConnect([this] { ++connects; });
    dm->StartLink("COM0");
    ASSERT_TRUE(WaitFor([&] { return connects == 1; }, 5000));
    EXPECT_EQ(dm->ScanPort(), 3);
    std::lock_guard lock(triedLock);
    ASSERT_GE(tried.size(), 5u);  // 1 and 2 at both speeds, then 3
    EXPECT_EQ(std::vector<int>(tried.begin(), tried.begin() + 5), (std::vector<int>{1, 1, 2, 2, 3}));
}

// At the real line rate a page takes 28 ms, long enough to see every step of the progress.
class PacedManager : public ManagerOverPty {
protected:
    PacedManager() : ManagerOverPty({"--baud", "230400"}) {}
};

TEST_F(PacedManager, ReadingThreePagesReports33_66_99)
{
    Connect();
    ASSERT_TRUE(dm->StartReadPages(128, 3));
    const std::vector<int> seen = Follow();
    EXPECT_EQ(dm->LastError(), 0);
    EXPECT_EQ(dm->Transferred(), 3 * kPageSize);
    EXPECT_EQ(seen, (std::vector<int>{0, 33, 66, 99}));
}

TEST_F(ManagerOverPty, ReadAndWritePageRangesAreChecked)
{
    Connect();
    sim.command("reset-stats");
    EXPECT_FALSE(dm->StartReadPages(8190, 3));
    EXPECT_EQ(dm->LastError(), -1);
    EXPECT_EQ(dm->LastErrorText(), "Ошибка в параметрах при чтении FLASH-памяти.");
    EXPECT_FALSE(dm->StartReadPages(0, 40000));  // more than 16 MiB
    EXPECT_EQ(dm->LastErrorText(), "Нет данных для чтения");
    const std::vector<uint8_t> data(2 * kPageSize, 1);
    EXPECT_FALSE(dm->StartWritePages(data.data(), 8191, 2));
    EXPECT_EQ(dm->LastErrorText(), "Ошибка в параметрах при записи FLASH-памяти.");
    EXPECT_EQ(sim.stats()["rpage"] + sim.stats()["wstart"], 0);
    EXPECT_TRUE(dm->StartReadPages(0, 0));  // nothing to read: the buffer is released
    EXPECT_TRUE(dm->PageBuffer().empty());
}

TEST_F(ManagerOverPty, WritesPagesAndReadsThemBack)
{
    Connect();
    std::vector<uint8_t> data(16 * kPageSize);
    for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 7);
    ASSERT_TRUE(dm->StartWritePages(data.data(), 0, 16));
    const std::vector<int> seen = Follow();
    ASSERT_EQ(dm->LastError(), 0) << dm->LastErrorText().toStdString();
    EXPECT_EQ(dm->Transferred(), 16 * kPageSize);
    EXPECT_EQ(seen.back(), 100);
    ASSERT_TRUE(dm->StartReadPages(0, 16));
    Follow();
    ASSERT_EQ(dm->LastError(), 0);
    EXPECT_EQ(dm->PageBuffer(), data);
}

TEST_F(ManagerOverPty, AbortEndsTheReadWithCode2AndSuspendsPolling)
{
    Connect();
    sim.command("late 1000 20");  // every reply 20 ms late: the read is slow enough to abort
    ASSERT_TRUE(dm->StartReadPages(128, 200));
    ASSERT_TRUE(WaitFor([&] { return dm->Transferred() >= kPageSize; }, 5000));
    dm->progressSource().requestAbort();
    Follow();
    EXPECT_EQ(dm->LastError(), 2);
    EXPECT_EQ(dm->LastErrorText(), "Операция прервана пользователем");
    EXPECT_GE(dm->Transferred(), kPageSize);
    EXPECT_LT(dm->Transferred(), 200 * kPageSize);
    sim.command("faults-off");
    sim.command("reset-stats");
    QThread::msleep(350);
    EXPECT_EQ(sim.stats()["ping"], 0);  // idle polling stays off
    EXPECT_TRUE(dm->FetchDeviceState());  // the next command switches it on again
    ASSERT_TRUE(WaitFor([&] { return sim.stats()["ping"] >= 2; }, 3000));
}

TEST_F(ManagerOverPty, FailedCommandsAndTheirTexts)
{
    Connect();
    sim.command("nak 1");
    EXPECT_FALSE(dm->SetRecorderClock(0));
    EXPECT_EQ(dm->LastError(), -1);
    EXPECT_EQ(dm->LastErrorText(), "Нет связи с устройством");
    EXPECT_TRUE(dm->Connected());  // only a failed state fetch loses the link
    EXPECT_TRUE(dm->RunCommand([] { throw std::runtime_error("boom"); }) == false);
    EXPECT_EQ(dm->LastErrorText(), "Внутренняя ошибка: boom");
    dm->ReleasePageBuffer();
    EXPECT_EQ(dm->LastErrorText(), "Внутренняя ошибка: Нет команды.");
    EXPECT_TRUE(dm->SetRecorderClock(0));  // the next command clears the error
    EXPECT_EQ(dm->LastError(), 0);
}

TEST_F(ManagerOverPty, ARecorderThatStopsAnsweringMidReadFailsTheRead)
{
    Connect();
    ASSERT_TRUE(dm->StartReadPages(128, 50));
    sim.command("silent on");
    Follow();
    EXPECT_EQ(dm->LastError(), -1);
    EXPECT_EQ(dm->LastErrorText(), "Ошибка в параметрах чтения FLASH-памяти");
    ASSERT_TRUE(WaitFor([&] { return disconnects == 1; }, 5000));
}

class ManagerWithPlug : public ManagerOverPty {
protected:
    ManagerWithPlug() : ManagerOverPty({"--link", QDir::tempPath() + "/kem-sim-link-" + QString::number(getpid())}) {}
    QString linkPath() const { return QDir::tempPath() + "/kem-sim-link-" + QString::number(getpid()); }
};

TEST_F(ManagerWithPlug, RecoversAfterTheAdapterIsUnpluggedAndPluggedBack)
{
    dm->StartLink(linkPath());
    ASSERT_TRUE(WaitFor([&] { return connects == 1 && !dm->ConnectPending(); }, 5000));
    sim.command("unplug 3");  // gone in the middle of a transfer
    ASSERT_TRUE(dm->StartReadPages(128, 20));
    Follow();
    EXPECT_EQ(dm->LastError(), -1);
    EXPECT_LT(dm->Transferred(), 20 * kPageSize);
    ASSERT_TRUE(WaitFor([&] { return disconnects == 1; }, 5000));
    EXPECT_FALSE(dm->Connected());
    EXPECT_TRUE(sim.command("plug").startsWith("ok"));
    ASSERT_TRUE(WaitFor([&] { return connects == 2; }, 5000));
    EXPECT_TRUE(dm->Connected());
    ASSERT_TRUE(dm->StartReadPages(128, 2));
    Follow();
    EXPECT_EQ(dm->LastError(), 0);
    QFile::remove(linkPath());
}

TEST_F(ManagerOverPty, NotificationsArriveOnTheManagersThreadInOrder)
{
    std::vector<std::pair<char, QThread*>> seen;
    dm->SetOnConnect([&] {
        seen.push_back({'+', QThread::currentThread()});
        dm->FetchDeviceState();
    });
    dm->SetOnDisconnect([&] { seen.push_back({'-', QThread::currentThread()}); });
    dm->StartLink(sim.path());
    ASSERT_TRUE(WaitFor([&] { return seen.size() == 1; }, 5000));
    sim.command("silent on");
    ASSERT_TRUE(WaitFor([&] { return seen.size() == 2; }, 5000));
    sim.command("silent off");
    ASSERT_TRUE(WaitFor([&] { return seen.size() == 3; }, 5000));
    EXPECT_EQ(seen[0].first, '+');
    EXPECT_EQ(seen[1].first, '-');
    EXPECT_EQ(seen[2].first, '+');
    for (const auto& s : seen) EXPECT_EQ(s.second, QThread::currentThread());
}
