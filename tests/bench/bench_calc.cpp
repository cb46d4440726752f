// Filtering, fuel-event marking, statistics and chart data on a synthetic series the size of a
// full carrier (about 118 000 one-minute samples) and 4 and 16 times that.
#include "calc_statistics.h"
#include "filter_series.h"
#include "fuel_events.h"
#include "order_charts.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr size_t kCarrierSamples = 118000;
constexpr double kStart = 46367.25;

// Drives of 3 hours with 40-minute stops, noisy levels burning 12 l/h, a refuel and a drain now
// and then.
TKDDData SyntheticSeries(size_t n)
{
    std::mt19937 rng(42);
    TKDDData d(n);
    double level = 150;
    for (size_t i = 0; i < n; ++i) {
        TKDDSample& s = d[i];
        const size_t phase = i % 220;
        const bool engine = phase < 180;
        s.Flags = sfData | sfNew | (engine ? sfEngine | sfTurning : 0u);
        if (phase == 0) s.Flags |= sfSegStart;
        if (phase == 179) s.Flags |= sfSegEnd;
        if (engine && phase % 7 != 0) {
            s.Flags |= sfMoving;
            s.Speed = uint16_t(40 + rng() % 50);
            s.PathStep = uint16_t(s.Speed * 1000 / 60);
            level -= 0.2;
        }
        if (i % 2000 == 100) level += 80;
        if (i % 3100 == 150) level -= 25;
        if (level < 20) level = 150;
        s.RPM = engine ? uint16_t(800 + rng() % 1500) : 0;
        s.Path = uint32_t(i * 700);
        s.Tank1 = int32_t(level * 100) + int32_t(rng() % 300) - 150;
    }
    return d;
}

TCalcCar Car()
{
    TCalcCar c;
    c.CarTank1Vol = 200;
    c.CarIncCriterion = 10;
    c.CarDecCriterion = 15;
    c.CarSpeedType = 1;
    c.CarTachType = 1;
    return c;
}

void BM_FilterSeries(benchmark::State& state)
{
    const TKDDData source = SyntheticSeries(kCarrierSamples * state.range(0));
    TFilterSettings s = DefaultFilterSettings();
    s.UseFilter1 = true;
    for (auto _ : state) {
        state.PauseTiming();
        TKDDData d = source;
        state.ResumeTiming();
        FilterSeries(d, Car(), s);
        benchmark::DoNotOptimize(d.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(source.size()));
}

void BM_MarkFuelEvents(benchmark::State& state)
{
    const TKDDData source = SyntheticSeries(kCarrierSamples * state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TKDDData d = source;
        state.ResumeTiming();
        MarkFuelEvents(d, Car(), DefaultFilterSettings());
        benchmark::DoNotOptimize(d.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(source.size()));
}

void BM_CalcStatistics(benchmark::State& state)
{
    TKDDData d = SyntheticSeries(kCarrierSamples * state.range(0));
    MarkFuelEvents(d, Car(), DefaultFilterSettings());
    for (auto _ : state) {
        TProtokolCalcData calc;
        double ps = 0, pe = 0;
        CalcStatistics(d, Car(), calc, ps, pe, kStart);
        benchmark::DoNotOptimize(calc);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(d.size()));
}

void BM_OrderCharts(benchmark::State& state)
{
    const TKDDData d = SyntheticSeries(kCarrierSamples * state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(BuildOrderCharts(d, Car(), kStart));
    state.SetItemsProcessed(state.iterations() * int64_t(d.size()));
}

}  // namespace

BENCHMARK(BM_FilterSeries)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkFuelEvents)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcStatistics)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrderCharts)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
