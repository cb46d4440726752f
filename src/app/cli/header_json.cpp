#include "header_json.h"

#include "order_header.h"

#include <QJsonArray>

namespace {
QJsonValue date(const TOrderHeader& h, int at)
{
    const QDateTime t = h.date(at);
    if (!t.isValid()) return h.days(at) == 0 ? QJsonValue() : QJsonValue(h.days(at));
    return t.toString(Qt::ISODateWithMs);
}

QJsonValue real(long double v)
{
    return double(v);
}

QJsonObject table(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.constData());
    const uint32_t count = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return {{"pointCount", qint64(count)}, {"hex", QString::fromLatin1(bytes.toHex())}};
}

QJsonArray tempPoints(const TOrderHeader& h)
{
    QJsonArray a;
    for (const TTempPoint& p : h.TempPoints()) a.append(QJsonObject{{"U", p.U}, {"VAL", p.Val}, {"U_POWER", p.UPower}});
    return a;
}

QJsonArray drivers(const TOrderHeader& h)
{
    QJsonArray a;
    for (int i = 0; i < hdr::DriverCount; ++i) a.append(h.DriverName(i));
    return a;
}
}  // namespace

QString HexOf(uint32_t value)
{
    return QStringLiteral("0x%1").arg(value, 8, 16, QChar('0')).toUpper().replace("0X", "0x");
}

QJsonObject HeaderToJson(const TOrderHeader& h)
{
    return {
        {"RecordType", h.RecordType()},
        {"OrderStartDate", date(h, hdr::OrderStartDate)},
        {"OrderEndDate", date(h, hdr::OrderEndDate)},
        {"CreationDate", date(h, hdr::CreationDate)},
        {"CreatorName", h.CreatorName()},
        {"LastEditDate", date(h, hdr::LastEditDate)},
        {"LastEditName", h.LastEditName()},
        {"RecorderInitDate", date(h, hdr::RecorderInitDate)},
        {"RecorderInitName", h.RecorderInitName()},
        {"DocNum", h.DocNum()},
        {"DocDate", date(h, hdr::DocDate)},
        {"Path", h.Path()},
        {"PathName", h.PathName()},
        {"OrderDescLong", h.OrderDescLong()},
        {"CarrierSerNum", h.CarrierSerNum()},
        {"RegSerNum", h.RegSerNum()},
        {"HWVersion", h.HWVersion()},
        {"SWVersion", h.SWVersion()},
        {"InstallDate", date(h, hdr::InstallDate)},
        {"CalibrationStartDate", date(h, hdr::CalibrationStartDate)},
        {"CalibrationEndDate", date(h, hdr::CalibrationEndDate)},
        {"Calibrated", h.Calibrated()},
        {"CarNumber", h.CarNumber()},
        {"CarTypeName", h.CarTypeName()},
        {"CarTank1Vol", h.CarTank1Vol()},
        {"CarTank2Vol", h.CarTank2Vol()},
        {"CarMinRPM", h.CarMinRPM()},
        {"CarMaxRPM", h.CarMaxRPM()},
        {"CarMaxIdleRPM", h.CarMaxIdleRPM()},
        {"CarBestRPM", h.CarBestRPM()},
        {"CarGSM", real(h.CarGSM())},
        {"CarUPower", h.CarUPower()},
        {"CarUsePowerForVolume", h.CarUsePowerForVolume()},
        {"CarIncCriterion", h.CarIncCriterion()},
        {"CarDecCriterion", h.CarDecCriterion()},
        {"CarSpeedType", h.CarSpeedType()},
        {"CarSpeedK", real(h.CarSpeedK())},
        {"CarTachType", h.CarTachType()},
        {"CarTachK", real(h.CarTachK())},
        {"CarFuelMeasureType", h.CarFuelMeasureType()},
        {"CarFuelMeasureRObr", real(h.CarFuelMeasureRObr())},
        {"Tank1K", table(h.Tank1K())},
        {"Tank2K", table(h.Tank2K())},
        {"CarDescLong", h.CarDescLong()},
        {"DriverNames", drivers(h)},
        {"GUID", h.GuidText()},
        {"Kind", qint64(h.Kind())},
        {"AInputBak2Type", h.AInputBak2Type()},
        {"AInputBak2Descr", h.AInputBak2Descr()},
        {"AInputBak2R0", real(h.AInputBak2R0())},
        {"AInputBak2T0", real(h.AInputBak2T0())},
        {"AInputBak2Param", real(h.AInputBak2Param())},
        {"AInputBak2RObr", real(h.AInputBak2RObr())},
        {"AInput6Type", h.AInput6Type()},
        {"AInput6Descr", h.AInput6Descr()},
        {"AInput6Param", real(h.AInput6Param())},
        {"DInput3Type", h.DInput3Type()},
        {"DInput3Descr", h.DInput3Descr()},
        {"DInput3Level", h.DInput3Level()},
        {"DInput3Param", real(h.DInput3Param())},
        {"DInput4Type", h.DInput4Type()},
        {"DInput4Descr", h.DInput4Descr()},
        {"DInput4Level", h.DInput4Level()},
        {"DInput4Param", real(h.DInput4Param())},
        {"CARUSEPOWERFORTEMP", h.CarUsePowerForTemp()},
        {"TempPointCount", h.u8(hdr::TempPointCount)},
        {"TempPoints", tempPoints(h)},
        {"Signature", HexOf(h.Signature())},
        {"CheckValue", HexOf(h.CheckValue())},
        {"ComputedCheckValue", HexOf(h.ComputeCheckValue())},
        {"intact", h.IsIntact()},
    };
}
