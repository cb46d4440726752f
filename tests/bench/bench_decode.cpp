// Decoding a full carrier: pages 128 ... 8191, 44 records a page = 354,816 records, about
// 118,000 one-minute samples; 4x and 16x show that the time grows linearly (16x reaches the
// series cap of 1,000,000 samples, so its records past the cap are not decoded).
#include "calc_statistics.h"
#include "fuel_events.h"
#include "grad_table.h"
#include "protocol_decoder.h"
#include "trip_generator.h"

#include <benchmark/benchmark.h>

namespace {

constexpr size_t kCarrierRecords = (8192 - 128) * 44;

TDecodeCar benchCar()
{
    TDecodeCar car;
    car.CarTank1Vol = 250;
    car.CarTank2Vol = 100;
    car.CarUPower = 2400;
    car.CarSpeedType = 1;
    car.CarSpeedK = 3000;
    car.CarTachType = 1;
    car.CarTachK = 2;
    car.CarMinRPM = 400;
    car.CarMaxIdleRPM = 900;
    car.CarMaxRPM = 3000;
    car.AInput6Type = 1;
    return car;
}

TDecodeTables benchTables()
{
    TDecodeTables t;
    for (int i = 0; i < 20; ++i) {
        TGradPoint p;
        p.U = 500 + i * 700;
        p.VAL = i * 13.0;
        t.Tank1.push_back(p);
        p.VAL = i * 5.0;
        t.Tank2.push_back(p);
    }
    for (int i = 0; i < 8; ++i) {
        TGradPoint p;
        p.U = i * 300;
        p.VAL = 12000 - i * 1500;
        t.Temp.push_back(p);
    }
    return t;
}

// Records of a working day repeated until the carrier (times the factor) is full.
TProtokolRecords carrier(size_t factor)
{
    TTripScenario sc;
    QString error;
    ParseTripScenario("tank1 200\ntank2 80\ndrive 90 70 14\nidle 15 2\npark 30\nrefuel 60 4\n"
                      "drive 120 60 12\ndrain 10 2\npoweroff 45\nidle 5 2\nrepeat 400",
                      sc, error);
    const TTrip trip = GenerateTrip(sc, benchCar(), benchTables());
    TProtokolRecords out;
    out.reserve(kCarrierRecords * factor);
    while (out.size() < kCarrierRecords * factor)
        out.insert(out.end(), trip.records.begin(), trip.records.end());
    out.resize(kCarrierRecords * factor);
    return out;
}

void BM_DecodeCarrier(benchmark::State& state)
{
    const TProtokolRecords records = carrier(size_t(state.range(0)));
    const TDecodeCar car = benchCar();
    const TDecodeTables tables = benchTables();
    TKDDData samples;
    double end = 0, start = 0;
    for (auto _ : state) {
        DecodeProtocol(records, car, tables, {}, samples, end, start);
        benchmark::DoNotOptimize(samples.data());
    }
    state.counters["records"] = double(records.size());
    state.counters["samples"] = double(samples.size());
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(records.size()));
}
BENCHMARK(BM_DecodeCarrier)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

// The whole computation of an order read: decoding, filters and fuel events, statistics.
void BM_DecodeAndCalculate(benchmark::State& state)
{
    const TProtokolRecords records = carrier(size_t(state.range(0)));
    const TDecodeCar car = benchCar();
    const TDecodeTables tables = benchTables();
    TCalcCar calcCar;
    calcCar.CarTank1Vol = car.CarTank1Vol;
    calcCar.CarTank2Vol = car.CarTank2Vol;
    calcCar.CarIncCriterion = 10;
    calcCar.CarDecCriterion = 10;
    calcCar.CarSpeedType = car.CarSpeedType;
    calcCar.CarTachType = car.CarTachType;
    const TFilterSettings filters = DefaultFilterSettings();
    TKDDData samples;
    TProtokolCalcData calc;
    for (auto _ : state) {
        double end = 0, start = 0, from = 0, to = 0;
        DecodeProtocol(records, car, tables, {}, samples, end, start);
        MarkFuelEvents(samples, calcCar, filters);
        CalcStatistics(samples, calcCar, calc, from, to, start);
        benchmark::DoNotOptimize(calc.PathReal);
    }
    state.counters["samples"] = double(samples.size());
    state.counters["events"] = double(calc.FuelActions.size());
}
BENCHMARK(BM_DecodeAndCalculate)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
