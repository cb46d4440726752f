// Random protocols, cars, tables and settings through decoding, fuel events and statistics: nothing may crash, loop without bound or
// grow the series past its cap.
#include "calc_statistics.h"
#include "fuel_events.h"
#include "grad_table.h"
#include "protocol_decoder.h"

#include <algorithm>
#include <cstring>

namespace {

struct Input {
    const uint8_t* p;
    size_t n;
    uint8_t byte() { return n ? (--n, *p++) : 0; }
    uint16_t word() { return uint16_t(byte() | byte() << 8); }
    long double real()
    {
        // Mostly ordinary values, sometimes zero, negative, huge or NaN.
        switch (byte() % 8) {
        case 0: return 0;
        case 1: return -static_cast<long double>(word());
        case 2: return __builtin_nanl("");
        case 3: return 1e300L * word();
        default: return word() / 16.0L;
        }
    }
};

TGrad table(Input& in, TGradKeyField key, bool prepare)
{
    TGrad t(in.byte() % 22);
    for (TGradPoint& p : t) {
        p.U = p.U_REDUCED = in.word();
        p.R_SENSOR = in.real();
        p.VAL = in.real();
    }
    if (prepare)
        PrepareGrad(t, key);
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in{data, size};
    TDecodeCar car;
    car.CarTank1Vol = in.word();
    car.CarTank2Vol = in.byte() % 2 ? in.word() : 0;
    car.CarUPower = int16_t(in.word());
    car.CarUsePowerForVolume = in.byte() & 1;
    car.CarUsePowerForTemp = in.byte() & 1;
    car.CarFuelMeasureType = in.byte();
    car.CarFuelMeasureRObr = in.real();
    car.CarSpeedType = in.byte() % 4;
    car.CarSpeedK = in.real();
    car.CarTachType = in.byte() % 4;
    car.CarTachK = in.real();
    car.CarMinRPM = in.word();
    car.CarMaxIdleRPM = in.word();
    car.CarMaxRPM = in.word();
    car.AInputBak2Type = in.byte() % 3;
    car.AInputBak2R0 = in.real();
    car.AInputBak2T0 = in.real();
    car.AInputBak2Param = in.real();
    car.AInputBak2RObr = in.real();
    car.AInput6Type = in.byte() % 3;
    const bool prepare = in.byte() & 1;
    const TGradKeyField key = GradKey(car.CarFuelMeasureType, car.CarUsePowerForVolume);
    TDecodeTables tables;
    tables.Tank1 = table(in, key, prepare);
    tables.Tank2 = table(in, key, prepare);
    tables.Temp = table(in, VoltageKey(car.CarUsePowerForTemp), prepare);
    TDecodeSettings settings;
    settings.UseDiffInADC = in.byte() & 1;

    // The calculation's settings come from the input's first bytes after the tables; the rest are
    // the records.
    Input settingsBytes{in.p, std::min<size_t>(in.n, 8)};
    in.p += settingsBytes.n;
    in.n -= settingsBytes.n;
    TProtokolRecords records(in.n / 12);
    if (!records.empty())
        std::memcpy(records.data(), in.p, records.size() * 12);
    TKDDData samples;
    double end = 0, start = 0;
    DecodeProtocol(records, car, tables, settings, samples, end, start);
    if (samples.size() > kMaxProtocolSamples)
        __builtin_trap();

    TCalcCar calcCar;
    calcCar.CarTank1Vol = car.CarTank1Vol;
    calcCar.CarTank2Vol = car.CarTank2Vol;
    calcCar.CarIncCriterion = settingsBytes.byte();
    calcCar.CarDecCriterion = settingsBytes.byte();
    calcCar.CarFuelMeasureType = car.CarFuelMeasureType;
    calcCar.CarSpeedType = car.CarSpeedType;
    calcCar.CarTachType = car.CarTachType;
    TFilterSettings filters = DefaultFilterSettings();
    const uint8_t switches = settingsBytes.byte();
    filters.ApplyFilter = switches & 1;
    filters.UseFilter1 = switches & 2;
    filters.UseFilter2 = switches & 4;
    filters.UseFilterAvg = switches & 8;
    filters.SkipPauses = switches & 16;
    MarkFuelEvents(samples, calcCar, filters);
    TProtokolCalcData calc;
    double from = (switches & 32) ? start + settingsBytes.byte() / 1440.0 : 0;
    double to = (switches & 64) ? end - settingsBytes.byte() / 1440.0 : 0;
    CalcStatistics(samples, calcCar, calc, from, to, start);
    return 0;
}
