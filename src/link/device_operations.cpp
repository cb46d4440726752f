#include "device_operations.h"

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
    int c = position.records;
    if (c > protokol::kRecordsPerPage) {
        if (!ui.askYesNo(QStringLiteral("Нарушена целостность протокола! Протокол будет прочитан не полностью")))
            return ProtocolCancelled;
        c = 0;
    }
    const int pages = uint16_t(position.page - protokol::kFirstProtocolPage);
    const int n = pages * protokol::kRecordsPerPage + c;
    if (n == 0) {
        ui.error(QStringLiteral("E1735: Протокол пуст! Невозможно закрыть задание"));
        return ProtocolCancelled;
    }
    if (!ReadPages(protokol::kFirstProtocolPage, pages + 1, QStringLiteral("Чтение протокола"))) {
        if (dm_.LastError() == 2)
            ui.warning(QStringLiteral("Прервано пользователем!"));
        else
            ui.error(QStringLiteral("E1736: Ошибка чтения протокола!"));
        return ProtocolReadError;
    }
    records.resize(size_t(n));
    std::memcpy(records.data(), dm_.PageBuffer().data(), size_t(n) * sizeof(TProtokolRecord));
    return ProtocolRead;
}
