// Device operations for windows, with a progress host that records what it followed.
#include "device_operations.h"
#include "manager_fixture.h"
#include "recorder_clock.h"
#include "scripted_interaction.h"

#include <QThread>

namespace {
struct RecordingProgress : ProgressHost {
    QStringList captions;
    void follow(ProgressSource& source, const QString& caption) override
    {
        captions << caption;
        while (source.busy()) QThread::msleep(1);
    }
};
}  // namespace

class DeviceOps : public ManagerOverPty {
protected:
    RecordingProgress progress;
    DeviceOperations ops{*dm, progress};
};

TEST_F(DeviceOps, NothingButTheCarrierSerialWorksWhileDisconnected)
{
    QString text = "x";
    EXPECT_FALSE(ops.RecorderSerialText(text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(ops.CarrierSerialText(text));
    EXPECT_EQ(text, "0.00.0000.0-0000000.0");
    EXPECT_FALSE(ops.ResetCarrier());
    EXPECT_FALSE(ops.ClearCarrierWithProgress());
    EXPECT_FALSE(ops.SetRecordingMode(0));
    EXPECT_FALSE(ops.SetDeviceClock(0));
    EXPECT_FALSE(ops.RefreshDeviceState());
    EXPECT_TRUE(progress.captions.isEmpty());
}

TEST_F(DeviceOps, SerialTextsModeClockAndRefresh)
{
    Connect();
    QString text;
    ASSERT_TRUE(ops.RecorderSerialText(text));
    EXPECT_EQ(text, "1.01.0001.9-0000001.2");
    ASSERT_TRUE(ops.CarrierSerialText(text));
    EXPECT_EQ(text, "1.02.0304.E-0000012.1");
    EXPECT_FALSE(ops.SetRecordingMode(2));
    ASSERT_TRUE(ops.SetRecordingMode(1));
    const QDateTime t(QDate(2024, 2, 29), QTime(23, 59, 0));
    ASSERT_TRUE(ops.SetDeviceClock(kemlink::DateTimeToDays(t)));
    bool refreshed = false;
    ops.SetAfterRefresh([&] { refreshed = true; });
    ASSERT_TRUE(ops.RefreshDeviceState());
    EXPECT_TRUE(refreshed);
    EXPECT_EQ(dm->Status().Mode, 2);
    EXPECT_EQ(dm->Status().CalibrationCarrier, 0xFF);
    EXPECT_LE(std::abs(kemlink::DaysToDateTime(dm->StateEx().DeviceTime).secsTo(t)), 5);
}

TEST_F(DeviceOps, ResetCarrierFailsWhenClearingIsNotAcknowledged)
{
    Connect();
    sim.command("nak 1");
    EXPECT_FALSE(ops.ResetCarrier());
    EXPECT_EQ(progress.captions, QStringList{"Сброс носителя"});
    EXPECT_EQ(dm->LastErrorText(), "Нет связи с устройством");
    EXPECT_TRUE(ops.ResetCarrier());
    EXPECT_EQ(dm->Progress(), 100);
}

TEST_F(DeviceOps, ClearCarrierWithProgressEmptiesTheCarrier)
{
    Connect();
    sim.command("mode 2");
    ASSERT_TRUE(ops.ClearCarrierWithProgress());
    EXPECT_EQ(progress.captions, QStringList{"Очистка носителя"});
    ASSERT_TRUE(ops.RefreshDeviceState());
    EXPECT_EQ(dm->Status().Mode, 4);
}

TEST_F(DeviceOps, ProtocolReadStopsOnEmptyProtocolAndReadErrors)
{
    Connect();
    ScriptedInteraction ui;
    TProtokolRecords records;
    EXPECT_EQ(ops.ReadProtocol({128, 0}, ui, records), DeviceOperations::ProtocolCancelled);
    EXPECT_TRUE(ui.saw("E1735: Протокол пуст! Невозможно закрыть задание"));
    sim.command("skip-packet 0 1");  // a protocol error: no second send
    EXPECT_EQ(ops.ReadProtocol({129, 3}, ui, records), DeviceOperations::ProtocolReadError);
    EXPECT_TRUE(ui.saw("E1736: Ошибка чтения протокола!"));
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(ops.ReadProtocol({129, 3}, ui, records), DeviceOperations::ProtocolRead);
    EXPECT_EQ(records.size(), 47u);
    EXPECT_EQ(progress.captions.back(), "Чтение протокола");
}
