#include "fuel_events.h"

#include "filter_series.h"

#include <cstddef>

namespace {

constexpr uint32_t kMeasuredEngineOn = sfData | sfNew | sfEngine;   // 7
constexpr size_t kHistory = 20;        // minutes after the first engine-on sample that only serve as history
constexpr size_t kRefuelWindow = 19;   // samples before c a refuel is compared with
constexpr size_t kDrainWindow = 9;

bool Has(const TKDDSample& s, uint32_t f) { return (s.Flags & f) == f; }
bool HasAny(const TKDDSample& s, uint32_t f) { return (s.Flags & f) != 0; }

int64_t Level(const TKDDData& series, const TCalcCar& car, size_t i)
{
    return FuelLevel(car, series[i].Tank1, series[i].Tank2);
}

void SetTanks(TKDDSample& s, int32_t h1, int32_t h2)
{
    s.Tank1 = h1;
    s.Tank2 = h2;
}

// Lowest indexes of the smallest (m) and the largest (M) level in k ... c.
void Extremes(const TKDDData& series, const TCalcCar& car, size_t k, size_t c, size_t& m, size_t& M)
{
    m = M = c;
    for (size_t j = c; j-- > k;) {
        const int64_t l = Level(series, car, j);
        if (l <= Level(series, car, m)) m = j;
        if (l >= Level(series, car, M)) M = j;
    }
}

// Marks from..to as one run: a start mark on `from` unless it already belongs to a run, then the
// inner mark on every later sample, the start moving along a flat bottom (or top).
void MarkRun(TKDDData& series, const TCalcCar& car, size_t from, size_t to, uint32_t startFlag, uint32_t innerFlag)
{
    if (!HasAny(series[from], startFlag | innerFlag)) series[from].Flags |= startFlag;
    for (size_t j = from + 1; j <= to; ++j) {
        if (Has(series[j - 1], startFlag) && Level(series, car, j - 1) == Level(series, car, j)) {
            series[j - 1].Flags &= ~(startFlag | innerFlag);
            series[j].Flags = (series[j].Flags | startFlag) & ~innerFlag;
        } else {
            series[j].Flags = (series[j].Flags & ~startFlag) | innerFlag;
        }
    }
}

// Whole litres (truncated toward zero) from the level at k to the level v.
int64_t LitresFrom(const TKDDData& series, const TCalcCar& car, size_t k, int64_t v)
{
    return (v - Level(series, car, k)) / 100;
}

void CheckRefuel(TKDDData& series, const TCalcCar& car, size_t c)
{
    const int64_t v = Level(series, car, c);
    for (size_t k = c - kRefuelWindow; k < c; ++k) {
        const int64_t d = LitresFrom(series, car, k, v);
        if (d > 0 && d >= int64_t(car.CarIncCriterion)) {
            size_t m, M;
            Extremes(series, car, k, c, m, M);
            MarkRun(series, car, m, M, sfIncStart, sfInc);
            return;
        }
    }
}

void CheckDrain(TKDDData& series, const TCalcCar& car, size_t c)
{
    const int64_t v = Level(series, car, c);
    for (size_t k = c - kDrainWindow; k < c; ++k) {
        const int64_t d = LitresFrom(series, car, k, v);
        if (d < 0 && -d >= int64_t(car.CarDecCriterion)) {
            size_t m, M;
            Extremes(series, car, k, c, m, M);
            MarkRun(series, car, M, m, sfDecStart, sfDec);
            return;
        }
    }
}

}  // namespace

void HoldLevels(TKDDData& series, const TCalcCar& car)
{
    if (series.size() <= 1) return;
    const bool onlyMoving = (car.CarFuelMeasureType & 0x80) != 0;
    const uint32_t valid = onlyMoving ? kMeasuredEngineOn | sfMoving : kMeasuredEngineOn;
    const uint32_t runStart = valid | sfSegStart;

    int32_t h1 = 0, h2 = 0;
    for (const TKDDSample& s : series)
        if ((s.Flags & (sfData | sfNew | sfEngine | sfSegStart | sfSegEnd)) == (sfData | sfNew)) {
            h1 = s.Tank1, h2 = s.Tank2;
            break;
        }

    for (size_t i = 0; i < series.size(); ++i) {
        TKDDSample& s = series[i];
        if ((s.Flags & valid) != valid) {
            SetTanks(s, h1, h2);
        } else if ((s.Flags & runStart) == runStart) {
            if (i + 1 < series.size() && (series[i + 1].Flags & runStart) == valid)
                h1 = series[i + 1].Tank1, h2 = series[i + 1].Tank2;
            SetTanks(s, h1, h2);
        } else if (s.Flags & sfSegEnd) {
            SetTanks(s, h1, h2);
        } else {
            h1 = s.Tank1, h2 = s.Tank2;
        }
    }
}

void MarkRefuelsAndDrains(TKDDData& series, const TCalcCar& car)
{
    size_t f = 0;
    while (f < series.size() && !Has(series[f], kMeasuredEngineOn)) ++f;
    for (size_t c = f + kHistory + 1; c < series.size(); ++c) {
        if (!Has(series[c], kMeasuredEngineOn)) continue;
        CheckRefuel(series, car, c);
        CheckDrain(series, car, c);
    }
}

bool MarkFuelEvents(TKDDData& series, const TCalcCar& car, const TFilterSettings& filters)
{
    if (series.empty()) return false;
    FilterSeries(series, car, filters);
    HoldLevels(series, car);
    MarkRefuelsAndDrains(series, car);
    return true;
}
