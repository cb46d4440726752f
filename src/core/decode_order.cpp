#include "decode_order.h"

#include "grad_blob.h"
#include "grad_table.h"
#include "temperature_table.h"

TDecodeCar DecodeCarFrom(const TCarData& car, bool usePowerForTemp)
{
    TDecodeCar d;
    d.CarTank1Vol = car.CarTank1Vol;
    d.CarTank2Vol = car.CarTank2Vol;
    d.CarMinRPM = car.CarMinRPM;
    d.CarMaxRPM = car.CarMaxRPM;
    d.CarMaxIdleRPM = car.CarMaxIdleRPM;
    d.CarUsePowerForVolume = car.CarUsePowerForVolume;
    d.CarUPower = car.CarUPower;
    d.CarSpeedType = car.CarSpeedType;
    d.CarSpeedK = car.CarSpeedK;
    d.CarTachType = car.CarTachType;
    d.CarTachK = car.CarTachK;
    d.CarFuelMeasureType = car.CarFuelMeasureType;
    d.CarFuelMeasureRObr = car.CarFuelMeasureRObr;
    d.AInputBak2Type = car.AInputBak2Type;
    d.AInputBak2R0 = car.AInputBak2R0;
    d.AInputBak2T0 = car.AInputBak2T0;
    d.AInputBak2Param = car.AInputBak2Param;
    d.AInputBak2RObr = car.AInputBak2RObr;
    d.AInput6Type = car.AInput6Type;
    d.CarUsePowerForTemp = usePowerForTemp;
    return d;
}

TGrad PreparedHeaderTankTable(const QByteArray& table1204, const TCarData& car)
{
    TGrad t = GradFromHeaderTable(table1204);
    PrepareGrad(t, GradKey(car.CarFuelMeasureType, car.CarUsePowerForVolume));
    return t;
}

TDecodeTables DecodeTablesFromHeader(const TCarData& car, const TOrderHeader& header)
{
    TDecodeTables t;
    t.Tank1 = PreparedHeaderTankTable(header.Tank1K(), car);
    t.Tank2 = PreparedHeaderTankTable(header.Tank2K(), car);
    t.Temp = TemperatureTableFromHeader(header.TempPoints(), car.CarUPower);
    return t;
}

bool DecodeProtocol(const TProtokolRecords& records, const TCarData* car, const TDecodeTables& tables,
                    bool usePowerForTemp, const TDecodeSettings& settings, TKDDData& out, double& endTime,
                    double& startTime, TDecodeReport* report)
{
    if (records.empty() || !car || car->CarNumber.isEmpty())
        return false;
    return DecodeProtocol(records, DecodeCarFrom(*car, usePowerForTemp), tables, settings, out, endTime, startTime,
                          report);
}
