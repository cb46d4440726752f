// kemsys-cli device state --port P
// kemsys-cli device read --port P --out FILE.kpr [--yes|--no]
#include "cli_progress.h"
#include "cli_registry.h"
#include "device_operations.h"
#include "flash_chip.h"
#include "interaction.h"
#include "protocol_file.h"
#include "recorder_clock.h"
#include "serial_number.h"
#include "zip_entry.h"

#include <QJsonArray>
#include <QThread>

namespace {

constexpr int kConnectTimeoutMs = 3000;  // a scan step at both speeds takes a few hundred ms

// A manager on the given port, once the recorder has answered and its state is fetched.
class DeviceSession {
public:
    explicit DeviceSession(const QString& port) : ops_(dm_, progress_) { dm_.StartLink(port); }

    bool connect()
    {
        for (int waited = 0; !dm_.Connected() && waited < kConnectTimeoutMs; waited += 20) QThread::msleep(20);
        return dm_.Connected() && dm_.FetchDeviceState();
    }
    TKemCommDM& dm() { return dm_; }
    DeviceOperations& ops() { return ops_; }

private:
    TKemCommDM dm_;
    CliProgress progress_;
    DeviceOperations ops_;
};

QString Hex64(uint64_t v)
{
    return "0x" + QString::number(v, 16).toUpper().rightJustified(16, '0');
}

QJsonObject StatusJson(const TRecorderStatus& s)
{
    return {{"Flags", s.Flags}, {"Mode", s.Mode}, {"Mode1", s.Mode1}, {"Mode2", s.Mode2}, {"Mode3", s.Mode3},
            {"Mode4", s.Mode4}, {"Flag0", s.Flag0}, {"CalibrationCarrier", s.CalibrationCarrier},
            {"CarrierOverflow", s.CarrierOverflow}, {"Value", s.Value}};
}

QJsonObject SerialJson(uint64_t v)
{
    return {{"value", Hex64(v)}, {"text", SerialToText(v)}, {"valid", SerialIsValid(0, v)}};
}

int RunState(const CliArgs& args, Interaction&)
{
    const QString port = args.option("--port");
    if (port.isEmpty()) return CliFail("--port is required");
    DeviceSession session(port);
    if (!session.connect()) return CliFail(QStringLiteral("Нет связи с устройством"));
    TKemCommDM& dm = session.dm();
    const TKemProtoRegStateEx ex = dm.StateEx();
    const TRecorderRegisters regs = dm.Registers();
    QJsonArray registers;
    for (int k = 0; k < 11; ++k) registers.append(Hex64(regs[k]));
    const RecordingPosition pos = DecodeRecordingPosition(regs[regs::RecordingPosition]);
    const QDateTime clock = ex.DeviceTime > 0 ? kemlink::DaysToDateTime(ex.DeviceTime) : QDateTime();
    PrintJson({{"port", dm.Link().CurrentPortName()},
               {"status", StatusJson(dm.Status())},
               {"registers", registers},
               {"recordingPosition", QJsonObject{{"page", pos.page}, {"records", pos.records}}},
               {"flash", QJsonObject{{"type", ex.FlashType}, {"name", ex.FlashName}, {"known", ex.FlashKnown},
                                     {"size", qint64(ex.FlashSize)}, {"pageSize", qint64(ex.PageSize)}}},
               {"clock", clock.isValid() ? clock.toString(Qt::ISODate) : QString()},
               {"deviceTime", ex.DeviceTime},
               {"carrierSerial", SerialJson(ex.CarrierSerial)},
               {"recorderSerial", SerialJson(regs[regs::RecorderSerial])}});
    return 0;
}

int RunRead(const CliArgs& args, Interaction& ui)
{
    const QString port = args.option("--port");
    const QString out = args.option("--out");
    if (port.isEmpty() || out.isEmpty()) return CliFail("--port and --out are required");
    DeviceSession session(port);
    if (!session.connect()) return CliFail(QStringLiteral("Нет связи с устройством"));
    TKemCommDM& dm = session.dm();
    const int mode = dm.Status().Mode;
    if (mode == 4) return CliFail(QStringLiteral("Носитель пуст! Нет данных для чтения"));
    if (mode != 2) return CliFail(QStringLiteral("Ошибочное состояние носителя!"));

    DeviceOperations& ops = session.ops();
    if (!ops.ReadPages(0, protokol::kHeaderPages, QStringLiteral("Чтение заголовка")))
        return CliFail(dm.LastError() == 2 ? QStringLiteral("Прервано пользователем!")
                                           : QStringLiteral("E1307: Ошибка чтения заголовка данных носителя!"));
    TOrderHeader header;
    header.Assign(dm.PageBuffer().data(), hdr::kSize);

    TProtokolRecords records;
    const RecordingPosition pos = DecodeRecordingPosition(dm.Registers()[regs::RecordingPosition]);
    if (ops.ReadProtocol(pos, ui, records) != DeviceOperations::ProtocolRead) return 1;
    if (!zipentry::WriteFileEntry(out, kpr::kEntryName, BuildProtocolEntry(records, header, kpr::kOrder)))
        return CliFail("cannot write " + out);
    QString carrier, recorder;
    ops.CarrierSerialText(carrier);
    ops.RecorderSerialText(recorder);
    PrintJson({{"out", out},
               {"records", qint64(records.size())},
               {"pages", pos.page - protokol::kFirstProtocolPage + 1},
               {"carNumber", header.CarNumber()},
               {"carrierSerial", carrier},
               {"recorderSerial", recorder}});
    return 0;
}

const CliCommand regState("device state", "device state --port P                      recorder state as JSON", RunState,
                          {"--port"});
const CliCommand regRead("device read", "device read --port P --out FILE.kpr [--yes|--no]  read the protocol into a file",
                         RunRead, {"--port", "--out"});

}  // namespace
