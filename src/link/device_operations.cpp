#include "device_operations.h"

#include "protocol_read.h"

#include "interaction.h"
#include "serial_number.h"

#include <cstring>

using kemlink::kPageSize;

bool DeviceOperations::Follow(const QString& caption)
{
    progress_.follow(dm_.progressSource(), caption);
    return dm_.LastError() == 0;
}

bool DeviceOperations::RefreshDeviceState()
{
    dm_.CheckLink();
    const bool ok = dm_.Connected() && dm_.FetchDeviceState() && dm_.LastError() == 0;
    if (afterRefresh_) afterRefresh_();
    return ok;
}

bool DeviceOperations::ResetCarrier()
{
    if (!dm_.Connected()) return false;
    dm_.StartClearCarrier();
    return Follow(QStringLiteral("Сброс носителя"));
}

bool DeviceOperations::ClearCarrierWithProgress()
{
    if (!dm_.Connected()) return false;
    if (dm_.StartRefreshAndClear()) progress_.follow(dm_.progressSource(), QStringLiteral("Очистка носителя"));
    return dm_.LastError() == 0;
}

bool DeviceOperations::RecorderSerialText(QString& text)
{
    text.clear();
    if (!dm_.Connected()) return false;
    text = SerialToText(dm_.Registers()[regs::RecorderSerial]);
    return true;
}

bool DeviceOperations::CarrierSerialText(QString& text)
{
    text = SerialToText(dm_.StateEx().CarrierSerial);
    return true;
}

bool DeviceOperations::SetRecordingMode(int mode)
{
    if (mode != 0 && mode != 1) return false;
    if (!dm_.Connected()) return false;
    dm_.SetRecorderMode(mode == 1, false);
    return dm_.LastError() == 0;
}

bool DeviceOperations::SetDeviceClock(double time)
{
    if (!dm_.Connected()) return false;
    dm_.SetRecorderClock(time);
    return dm_.LastError() == 0;
}

bool DeviceOperations::ReadPages(int start, int count, const QString& caption)
{
    if (!dm_.StartReadPages(start, count)) return false;
    return Follow(caption) && dm_.Transferred() == count * kPageSize;
}

bool DeviceOperations::WritePages(const uint8_t* data, int start, int count, const QString& caption)
{
    if (!dm_.StartWritePages(data, start, count)) return false;
    return Follow(caption);
}

int DeviceOperations::ReadProtocol(const RecordingPosition& position, Interaction& ui, TProtokolRecords& records)
{
    records.clear();
    const uint64_t reg5 = uint64_t(position.page) | (uint64_t(position.records) << 16);
    const TProtocolReadPlan plan = PlanProtocolRead(reg5, ui);
    if (plan.Result != prDone) return ProtocolCancelled;
    if (!ReadPages(protokol::kFirstProtocolPage, int(plan.Pages), QStringLiteral("Чтение протокола"))) {
        ReportProtocolReadFailure(dm_.LastError(), ui);
        return ProtocolReadError;
    }
    const auto& buffer = dm_.PageBuffer();
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(buffer.data()), qsizetype(buffer.size()));
    records = RecordsFromPages(bytes, plan.Records);
    return ProtocolRead;
}
