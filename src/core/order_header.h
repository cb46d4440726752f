#pragma once
// The order header: the 8448-byte block on carrier pages 0 ... 15 that ties a carrier, an order, a
// car and a recorder together. The same block is kept in data and protocol files, and a car file
// holds one of the same layout. TOrderHeader is a typed view over those bytes: every field has a
// getter and a setter; texts are Windows-1251, numbers little-endian, reals 80-bit extended.
#include "byte_block.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUuid>
#include <vector>

// Byte offsets of the fields.
namespace hdr {
constexpr int kSize = 8448;
constexpr int RecordType = 0, OrderStartDate = 2, OrderEndDate = 10, CreationDate = 18, CreatorName = 26;
constexpr int LastEditDate = 59, LastEditName = 67, RecorderInitDate = 100, RecorderInitName = 108;
constexpr int DocNum = 141, DocDate = 150, Path = 158, PathName = 160, OrderDescLong = 289;
constexpr int CarrierSerNum = 4129, RegSerNum = 4151, HWVersion = 4173, SWVersion = 4175;
constexpr int InstallDate = 4177, CalibrationStartDate = 4185, CalibrationEndDate = 4193, Calibrated = 4201;
constexpr int CarNumber = 4202, CarTypeName = 4211;
constexpr int CarTank1Vol = 4244, CarTank2Vol = 4246, CarMinRPM = 4248, CarMaxRPM = 4250;
constexpr int CarMaxIdleRPM = 4252, CarBestRPM = 4254, CarGSM = 4256, CarUPower = 4266;
constexpr int CarUsePowerForVolume = 4270, CarIncCriterion = 4271, CarDecCriterion = 4273;
constexpr int CarSpeedType = 4275, CarSpeedK = 4276, CarTachType = 4286, CarTachK = 4287;
constexpr int CarFuelMeasureType = 4297, CarFuelMeasureRObr = 4298, Tank1K = 4308, Tank2K = 5512;
constexpr int CarDescLong = 6716, DriverName = 7740, DriverNameStride = 65, Guid = 8000, Kind = 8016;
constexpr int AInputBak2Type = 8020, AInputBak2Descr = 8024, AInputBak2R0 = 8075, AInputBak2T0 = 8085;
constexpr int AInputBak2Param = 8095, AInputBak2RObr = 8105, AInput6Type = 8115, AInput6Descr = 8119;
constexpr int DInput3Type = 8170, DInput3Descr = 8174, DInput3Level = 8225;
constexpr int DInput4Type = 8229, DInput4Descr = 8233, DInput4Level = 8284;
constexpr int AInput6Param = 8288, DInput3Param = 8298, DInput4Param = 8308;
constexpr int CarUsePowerForTemp = 8318, TempPointCount = 8319, TempPoints = 8320;
constexpr int Signature = 8440, CheckValue = 8444;

constexpr int OrderDescLongSize = 3840, CarDescLongSize = 1024, TankTableSize = 1204;
constexpr int MaxTempPoints = 8, DriverCount = 4;
constexpr uint32_t SignatureValue = 0xAA551177u;
constexpr uint16_t RecordTypeValue = 2;
}  // namespace hdr

// Kind at offset 8016.
enum : uint32_t { kOrderKindTrip = 0, kOrderKindCalibration = 1 };

// One temperature calibration point, each value × 100 and rounded.
struct TTempPoint {
    int32_t U = 0;
    int32_t Val = 0;
    int32_t UPower = 0;
    bool operator==(const TTempPoint&) const = default;
};

class TOrderHeader : public TByteBlock<hdr::kSize> {
public:
    static TOrderHeader FromBytes(const void* data, qsizetype size)
    {
        TOrderHeader h;
        h.Assign(data, size);
        return h;
    }
    static TOrderHeader FromBytes(const QByteArray& data) { return FromBytes(data.constData(), data.size()); }

    // Sealing stores the signature and the check value; a sealed header is intact until changed.
    void Seal();
    bool IsIntact() const;
    uint32_t ComputeCheckValue() const;  // the check value with the field at 8444 taken as 0

    uint16_t RecordType() const { return u16(hdr::RecordType); }
    void SetRecordType(uint16_t v) { setU16(hdr::RecordType, v); }
    // Dates: a stored 0 reads as a null QDateTime and a null QDateTime is stored as 0.
    QDateTime OrderStartDate() const { return date(hdr::OrderStartDate); }
    void SetOrderStartDate(const QDateTime& v) { setDate(hdr::OrderStartDate, v); }
    QDateTime OrderEndDate() const { return date(hdr::OrderEndDate); }
    void SetOrderEndDate(const QDateTime& v) { setDate(hdr::OrderEndDate, v); }
    QDateTime CreationDate() const { return date(hdr::CreationDate); }
    void SetCreationDate(const QDateTime& v) { setDate(hdr::CreationDate, v); }
    QString CreatorName() const { return shortString(hdr::CreatorName, 32); }
    void SetCreatorName(const QString& v) { setShortString(hdr::CreatorName, 32, v); }
    QDateTime LastEditDate() const { return date(hdr::LastEditDate); }
    void SetLastEditDate(const QDateTime& v) { setDate(hdr::LastEditDate, v); }
    QString LastEditName() const { return shortString(hdr::LastEditName, 32); }
    void SetLastEditName(const QString& v) { setShortString(hdr::LastEditName, 32, v); }
    QDateTime RecorderInitDate() const { return date(hdr::RecorderInitDate); }
    void SetRecorderInitDate(const QDateTime& v) { setDate(hdr::RecorderInitDate, v); }
    QString RecorderInitName() const { return shortString(hdr::RecorderInitName, 32); }
    void SetRecorderInitName(const QString& v) { setShortString(hdr::RecorderInitName, 32, v); }
    QString DocNum() const { return shortString(hdr::DocNum, 8); }
    void SetDocNum(const QString& v) { setShortString(hdr::DocNum, 8, v); }
    QDateTime DocDate() const { return date(hdr::DocDate); }
    void SetDocDate(const QDateTime& v) { setDate(hdr::DocDate, v); }
    uint16_t Path() const { return u16(hdr::Path); }  // map distance, km
    void SetPath(uint16_t v) { setU16(hdr::Path, v); }
    QString PathName() const { return shortString(hdr::PathName, 128); }
    void SetPathName(const QString& v) { setShortString(hdr::PathName, 128, v); }
    QString OrderDescLong() const { return rawText(hdr::OrderDescLong, hdr::OrderDescLongSize); }
    void SetOrderDescLong(const QString& v) { setRawText(hdr::OrderDescLong, hdr::OrderDescLongSize, v); }

    QString CarrierSerNum() const { return shortString(hdr::CarrierSerNum, 21); }
    void SetCarrierSerNum(const QString& v) { setShortString(hdr::CarrierSerNum, 21, v); }
    QString RegSerNum() const { return shortString(hdr::RegSerNum, 21); }
    void SetRegSerNum(const QString& v) { setShortString(hdr::RegSerNum, 21, v); }
    uint16_t HWVersion() const { return u16(hdr::HWVersion); }
    void SetHWVersion(uint16_t v) { setU16(hdr::HWVersion, v); }
    uint16_t SWVersion() const { return u16(hdr::SWVersion); }
    void SetSWVersion(uint16_t v) { setU16(hdr::SWVersion, v); }
    QDateTime InstallDate() const { return date(hdr::InstallDate); }
    void SetInstallDate(const QDateTime& v) { setDate(hdr::InstallDate, v); }
    QDateTime CalibrationStartDate() const { return date(hdr::CalibrationStartDate); }
    void SetCalibrationStartDate(const QDateTime& v) { setDate(hdr::CalibrationStartDate, v); }
    QDateTime CalibrationEndDate() const { return date(hdr::CalibrationEndDate); }
    void SetCalibrationEndDate(const QDateTime& v) { setDate(hdr::CalibrationEndDate, v); }
    uint8_t Calibrated() const { return u8(hdr::Calibrated); }
    void SetCalibrated(uint8_t v) { setU8(hdr::Calibrated, v); }

    QString CarNumber() const { return shortString(hdr::CarNumber, 8); }
    void SetCarNumber(const QString& v) { setShortString(hdr::CarNumber, 8, v.toUpper()); }  // stored in upper case
    QString CarTypeName() const { return shortString(hdr::CarTypeName, 32); }
    void SetCarTypeName(const QString& v) { setShortString(hdr::CarTypeName, 32, v); }
    uint16_t CarTank1Vol() const { return u16(hdr::CarTank1Vol); }
    void SetCarTank1Vol(uint16_t v) { setU16(hdr::CarTank1Vol, v); }
    uint16_t CarTank2Vol() const { return u16(hdr::CarTank2Vol); }
    void SetCarTank2Vol(uint16_t v) { setU16(hdr::CarTank2Vol, v); }
    uint16_t CarMinRPM() const { return u16(hdr::CarMinRPM); }
    void SetCarMinRPM(uint16_t v) { setU16(hdr::CarMinRPM, v); }
    uint16_t CarMaxRPM() const { return u16(hdr::CarMaxRPM); }
    void SetCarMaxRPM(uint16_t v) { setU16(hdr::CarMaxRPM, v); }
    uint16_t CarMaxIdleRPM() const { return u16(hdr::CarMaxIdleRPM); }
    void SetCarMaxIdleRPM(uint16_t v) { setU16(hdr::CarMaxIdleRPM, v); }
    uint16_t CarBestRPM() const { return u16(hdr::CarBestRPM); }
    void SetCarBestRPM(uint16_t v) { setU16(hdr::CarBestRPM, v); }
    long double CarGSM() const { return real(hdr::CarGSM); }
    void SetCarGSM(long double v) { setReal(hdr::CarGSM, v); }
    int32_t CarUPower() const { return i32(hdr::CarUPower); }  // centivolts
    void SetCarUPower(int32_t v) { setI32(hdr::CarUPower, v); }
    uint8_t CarUsePowerForVolume() const { return u8(hdr::CarUsePowerForVolume); }
    void SetCarUsePowerForVolume(uint8_t v) { setU8(hdr::CarUsePowerForVolume, v); }
    uint16_t CarIncCriterion() const { return u16(hdr::CarIncCriterion); }
    void SetCarIncCriterion(uint16_t v) { setU16(hdr::CarIncCriterion, v); }
    uint16_t CarDecCriterion() const { return u16(hdr::CarDecCriterion); }
    void SetCarDecCriterion(uint16_t v) { setU16(hdr::CarDecCriterion, v); }
    uint8_t CarSpeedType() const { return u8(hdr::CarSpeedType); }
    void SetCarSpeedType(uint8_t v) { setU8(hdr::CarSpeedType, v); }
    long double CarSpeedK() const { return real(hdr::CarSpeedK); }
    void SetCarSpeedK(long double v) { setReal(hdr::CarSpeedK, v); }
    uint8_t CarTachType() const { return u8(hdr::CarTachType); }
    void SetCarTachType(uint8_t v) { setU8(hdr::CarTachType, v); }
    long double CarTachK() const { return real(hdr::CarTachK); }
    void SetCarTachK(long double v) { setReal(hdr::CarTachK, v); }
    uint8_t CarFuelMeasureType() const { return u8(hdr::CarFuelMeasureType); }  // bit 7: only in motion
    void SetCarFuelMeasureType(uint8_t v) { setU8(hdr::CarFuelMeasureType, v); }
    long double CarFuelMeasureRObr() const { return real(hdr::CarFuelMeasureRObr); }
    void SetCarFuelMeasureRObr(long double v) { setReal(hdr::CarFuelMeasureRObr, v); }
    // Calibration tables: the whole 1204-byte field; a setter takes the first 1204 bytes of a blob.
    QByteArray Tank1K() const { return bytes(hdr::Tank1K, hdr::TankTableSize); }
    void SetTank1K(const QByteArray& blob) { setBytes(hdr::Tank1K, hdr::TankTableSize, blob); }
    QByteArray Tank2K() const { return bytes(hdr::Tank2K, hdr::TankTableSize); }
    void SetTank2K(const QByteArray& blob) { setBytes(hdr::Tank2K, hdr::TankTableSize, blob); }
    QString CarDescLong() const { return rawText(hdr::CarDescLong, hdr::CarDescLongSize); }
    void SetCarDescLong(const QString& v) { setRawText(hdr::CarDescLong, hdr::CarDescLongSize, v); }

    // Drivers 0 ... 3.
    QString DriverName(int i) const { return shortString(driverOffset(i), 64); }
    void SetDriverName(int i, const QString& v) { setShortString(driverOffset(i), 64, v); }
    QUuid Guid() const;
    void SetGuid(const QUuid& v);
    QString GuidText() const;  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case
    uint32_t Kind() const { return u32(hdr::Kind); }
    void SetKind(uint32_t v) { setU32(hdr::Kind, v); }

    int32_t AInputBak2Type() const { return i32(hdr::AInputBak2Type); }
    void SetAInputBak2Type(int32_t v) { setI32(hdr::AInputBak2Type, v); }
    QString AInputBak2Descr() const { return shortString(hdr::AInputBak2Descr, 50); }
    void SetAInputBak2Descr(const QString& v) { setShortString(hdr::AInputBak2Descr, 50, v); }
    long double AInputBak2R0() const { return real(hdr::AInputBak2R0); }
    void SetAInputBak2R0(long double v) { setReal(hdr::AInputBak2R0, v); }
    long double AInputBak2T0() const { return real(hdr::AInputBak2T0); }
    void SetAInputBak2T0(long double v) { setReal(hdr::AInputBak2T0, v); }
    long double AInputBak2Param() const { return real(hdr::AInputBak2Param); }
    void SetAInputBak2Param(long double v) { setReal(hdr::AInputBak2Param, v); }
    long double AInputBak2RObr() const { return real(hdr::AInputBak2RObr); }
    void SetAInputBak2RObr(long double v) { setReal(hdr::AInputBak2RObr, v); }
    int32_t AInput6Type() const { return i32(hdr::AInput6Type); }
    void SetAInput6Type(int32_t v) { setI32(hdr::AInput6Type, v); }
    QString AInput6Descr() const { return shortString(hdr::AInput6Descr, 50); }
    void SetAInput6Descr(const QString& v) { setShortString(hdr::AInput6Descr, 50, v); }
    long double AInput6Param() const { return real(hdr::AInput6Param); }
    void SetAInput6Param(long double v) { setReal(hdr::AInput6Param, v); }
    int32_t DInput3Type() const { return i32(hdr::DInput3Type); }
    void SetDInput3Type(int32_t v) { setI32(hdr::DInput3Type, v); }
    QString DInput3Descr() const { return shortString(hdr::DInput3Descr, 50); }
    void SetDInput3Descr(const QString& v) { setShortString(hdr::DInput3Descr, 50, v); }
    int32_t DInput3Level() const { return i32(hdr::DInput3Level); }
    void SetDInput3Level(int32_t v) { setI32(hdr::DInput3Level, v); }
    long double DInput3Param() const { return real(hdr::DInput3Param); }
    void SetDInput3Param(long double v) { setReal(hdr::DInput3Param, v); }
    int32_t DInput4Type() const { return i32(hdr::DInput4Type); }
    void SetDInput4Type(int32_t v) { setI32(hdr::DInput4Type, v); }
    QString DInput4Descr() const { return shortString(hdr::DInput4Descr, 50); }
    void SetDInput4Descr(const QString& v) { setShortString(hdr::DInput4Descr, 50, v); }
    int32_t DInput4Level() const { return i32(hdr::DInput4Level); }
    void SetDInput4Level(int32_t v) { setI32(hdr::DInput4Level, v); }
    long double DInput4Param() const { return real(hdr::DInput4Param); }
    void SetDInput4Param(long double v) { setReal(hdr::DInput4Param, v); }
    uint8_t CarUsePowerForTemp() const { return u8(hdr::CarUsePowerForTemp); }
    void SetCarUsePowerForTemp(uint8_t v) { setU8(hdr::CarUsePowerForTemp, v); }

    // Temperature points: the stored count is 0 ... 8; a larger count byte reads as 8.
    int TempPointCount() const;
    TTempPoint TempPoint(int i) const;
    std::vector<TTempPoint> TempPoints() const;
    // Stores the first 8 points and their count; the unused slots become 0.
    void SetTempPoints(const std::vector<TTempPoint>& points);

    uint32_t Signature() const { return u32(hdr::Signature); }
    void SetSignature(uint32_t v) { setU32(hdr::Signature, v); }
    uint32_t CheckValue() const { return u32(hdr::CheckValue); }
    void SetCheckValue(uint32_t v) { setU32(hdr::CheckValue, v); }

private:
    static int driverOffset(int i);
};
