// TKemProtoLL against the recorder simulator over a pseudo-terminal.
#include "link_fixture.h"
#include "recorder_clock.h"

#include <QThread>

using namespace kemlink;

TEST_F(LinkOverPty, SendsTheKnownFramesAndLogsBothDirections)
{
    uint8_t page[kPageSize];
    ASSERT_TRUE(link->ReadPage(128, page));
    const QStringList sent = LogLines('>');
    EXPECT_TRUE(sent.contains("FE 00 00 01"));              // ping
    EXPECT_TRUE(sent.contains("FE 04 02 03 00 00 00 14"));  // read register 3
    EXPECT_TRUE(sent.contains("FE 00 0B 0A"));              // read clock
    EXPECT_TRUE(sent.contains("FE 02 09 80 00 8F"));        // read page 128
    EXPECT_TRUE(LogLines('<').contains("FE 03 20 00 04 00 31"));  // ack of an empty carrier
}

TEST_F(LinkOverPty, SetsAndReadsTheClock)
{
    const QDateTime t(QDate(2005, 7, 14), QTime(15, 4, 5));
    ASSERT_TRUE(link->SetClock(DateTimeToDays(t)));
    bool found = false;
    for (const QString& line : LogLines('>'))
        found |= line.startsWith("FE 10 0C 00 00 05 04 15 05 14 87 05 00 00 00 00 00 00 00 ");
    EXPECT_TRUE(found);
    TKemProtoRegStateEx state;
    ASSERT_TRUE(link->GetState(true, nullptr, &state, nullptr));
    EXPECT_LE(std::abs(DaysToDateTime(state.DeviceTime).secsTo(t)), 5);
}

TEST_F(LinkOverPty, StateOfAFreshRecorder)
{
    TRecorderStatus status;
    TKemProtoRegStateEx state;
    TRecorderRegisters registers;
    ASSERT_TRUE(link->GetState(true, &status, &state, &registers));
    EXPECT_EQ(status.Mode, 4);
    EXPECT_EQ(status.Mode4, 0xFF);
    EXPECT_EQ(state.CarrierSerial, 0x1020304E00000121ull);
    EXPECT_TRUE(state.CarrierSerialValid);
    EXPECT_EQ(state.FlashName, "AT45DB321B");
    EXPECT_EQ(state.FlashSize, 4325376u);
    EXPECT_EQ(state.PageSize, 528u);
    EXPECT_EQ(registers[regs::RecorderSerial], 0x1010001900000012ull);
    EXPECT_EQ(DecodeRecordingPosition(registers[regs::RecordingPosition]).page, 128);
}

TEST_F(LinkOverPty, BadChecksumThenGoodReplyCompletesWithoutResend)
{
    sim.command("reset-stats");
    sim.command("badcs-then-good 1");
    EXPECT_TRUE(link->Ping(false));
    EXPECT_EQ(sim.stats()["ping"], 1);
}

TEST_F(LinkOverPty, NakFailsARegisterWriteAtOnceAndStillUpdatesTheStatus)
{
    ASSERT_EQ(link->Status().Mode, 4);
    sim.command("mode 2");
    sim.command("reset-stats");
    sim.command("nak 1");
    TRecorderRegisters table;
    EXPECT_FALSE(link->WriteRegisters(table, true, false, false));
    EXPECT_EQ(sim.stats()["wreg"], 1);  // no second send, no further register
    EXPECT_EQ(link->Status().Mode, 2);
}

TEST_F(LinkOverPty, PacketsOutOfOrderFailTheReadAtOnce)
{
    sim.command("reset-stats");
    sim.command("skip-packet 2 1");  // packets 0, 1, 3, ...
    uint8_t page[kPageSize];
    EXPECT_FALSE(link->ReadPage(130, page));
    EXPECT_EQ(sim.stats()["rpage"], 1);
    EXPECT_TRUE(link->ReadPage(130, page));
}

TEST_F(LinkOverPty, ShortRegisterReplyLeavesTheTableUnchanged)
{
    const TRecorderRegisters before = link->Registers();
    sim.command("reg 8 0x1234");
    sim.command("short-register 1");
    EXPECT_FALSE(link->Ping(true));
    EXPECT_EQ(link->Registers(), before);
    EXPECT_TRUE(link->Ping(true));
    EXPECT_EQ(link->Registers()[8], 0x1234u);
}

TEST_F(LinkOverPty, TimeOutsResendAndThenFail)
{
    sim.command("reset-stats");
    sim.command("drop 1");
    EXPECT_TRUE(link->Ping(false));
    EXPECT_EQ(sim.stats()["ping"], 2);
    sim.command("late 1 250");  // the late reply is lost; the answer to the second send counts
    EXPECT_TRUE(link->Ping(false));
    sim.command("drop 2");
    EXPECT_FALSE(link->Ping(false));
    EXPECT_TRUE(link->Ping(false));  // and the link goes on afterwards
}

TEST_F(LinkOverPty, WritesAndReadsBackAPageWithEscapedBytesAndLineNoise)
{
    uint8_t out[kPageSize], in[kPageSize];
    for (int i = 0; i < kPageSize; ++i) out[i] = uint8_t(i % 3 == 0 ? 0xFE : i % 3 == 1 ? 0xFC : i);
    ASSERT_TRUE(link->WritePage(5, out));
    sim.command("garbage 1");
    ASSERT_TRUE(link->ReadPage(5, in));
    EXPECT_EQ(std::memcmp(in, out, kPageSize), 0);
    // The simulator holds exactly what was written.
    sim.command("dump " + dir.file("page5.bin") + " 5 1");
    QFile f(dir.file("page5.bin"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(reinterpret_cast<const char*>(out), kPageSize));
}

TEST_F(LinkOverPty, PageNumbersFrom8192FailWithoutSending)
{
    uint8_t page[kPageSize] = {};
    sim.command("reset-stats");
    EXPECT_FALSE(link->ReadPage(8192, page));
    EXPECT_FALSE(link->WritePage(8192, page));
    const auto stats = sim.stats();
    EXPECT_EQ(stats.at("rpage") + stats.at("wstart"), 0);
}

TEST_F(LinkOverPty, ClearCarrierAndSetMode)
{
    std::atomic<int> progress{0};
    ASSERT_TRUE(link->SetCarrierMode(true, false));
    TRecorderStatus status;
    ASSERT_TRUE(link->GetState(true, &status, nullptr, nullptr));
    EXPECT_EQ(status.Mode, 2);
    EXPECT_EQ(status.CalibrationCarrier, 0xFF);

    EXPECT_TRUE(link->ClearCarrier(&progress));
    EXPECT_EQ(progress, 100);
    ASSERT_TRUE(link->GetState(true, &status, nullptr, nullptr));
    EXPECT_EQ(status.Mode, 4);
    EXPECT_EQ(status.CalibrationCarrier, 0);

    sim.command("nak 1");
    progress = 0;
    EXPECT_FALSE(link->ClearCarrier(&progress));
    EXPECT_EQ(progress, 100);
}

TEST_F(LinkOverPty, PortNumberAbove8OpensPort8)
{
    link->Close();
    auto other = MakeLink();
    int asked = -1;
    other->SetPortResolver([&](int n) {
        asked = n;
        return sim.path();
    });
    ASSERT_TRUE(other->Open(12, true, true));
    EXPECT_EQ(asked, 8);
    EXPECT_EQ(other->CurrentPort(), 8);
    EXPECT_EQ(other->CurrentPortName(), "COM8");
    other->Close();
    EXPECT_EQ(other->CurrentPort(), TKemProtoLL::kClosedPort);
}

TEST_F(LinkOverPty, ABusyPortDoesNotOpenTwice)
{
    auto other = MakeLink();
    EXPECT_FALSE(other->Open(sim.path(), true, false));
    EXPECT_EQ(other->CurrentPort(), TKemProtoLL::kClosedPort);
    EXPECT_TRUE(link->Ping(false));
}

TEST_F(LinkOverPty, VerifiedOpenFailsAndClosesWhenNothingAnswers)
{
    link->Close();
    sim.command("silent on");
    EXPECT_FALSE(link->Open(sim.path(), true, true));
    EXPECT_FALSE(link->IsOpen());
    EXPECT_FALSE(link->LinkOk());
    sim.command("silent off");
    EXPECT_TRUE(link->Open(sim.path(), false, true));
    EXPECT_TRUE(link->LinkOk());
    EXPECT_EQ(sim.stats()["baud"], 115200);
}

TEST_F(LinkOverPty, AVanishedPortFailsEveryCommandAtOnce)
{
    sim.command("unplug");
    // The port notices the hang-up and closes; every command fails from then on.
    uint8_t page[kPageSize];
    EXPECT_FALSE(link->ReadPage(0, page));
    ASSERT_TRUE(WaitFor([&] { return !link->IsOpen(); }, 3000));
    EXPECT_FALSE(link->Ping(false));
}
