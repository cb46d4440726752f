#include "filter_series.h"

#include "lf_filter.h"
#include "lf_filter2.h"

#include <algorithm>

namespace {

int32_t* TankField(TKDDSample& s, TFilterTank tank)
{
    return tank == TFilterTank::Tank1 ? &s.Tank1 : &s.Tank2;
}

double Threshold(int32_t tankVolume)
{
    return std::min(double(tankVolume) / 60.0, 15.0);
}

template <class Filter, class... Extra>
void RunBothTanks(TKDDData& series, const TCalcCar& car, const TFilterSettings& settings, const Extra&... extra)
{
    {
        Filter f(Threshold(car.CarTank1Vol), extra...);
        FilterTank(f, series, TFilterTank::Tank1, settings.SkipPauses);
    }
    Filter f(Threshold(car.CarTank2Vol), extra...);
    FilterTank(f, series, TFilterTank::Tank2, settings.SkipPauses);
}

}  // namespace

void FilterTank(TCustomFilter& filter, TKDDData& series, TFilterTank tank, bool skipPauses)
{
    const size_t n = series.size();
    if (n < 3) return;
    size_t i = 0;
    while (i < n) {
        if (IsFilterable(series[i])) {
            const bool pushed = filter.Push(TankField(series[i], tank));
            if (pushed) ++i;
            // A refused push is repeated after the step has freed a node; a filter that frees
            // nothing is flushed rather than asked forever.
            if (filter.Step() == 0 && !pushed) filter.Flush();
        } else {
            size_t c = 0;
            while (i < n && !IsFilterable(series[i])) ++i, ++c;
            if (!(skipPauses && c <= 3)) filter.Flush();
        }
    }
    filter.Flush();
}

void FilterSeries(TKDDData& series, const TCalcCar& car, const TFilterSettings& settings)
{
    if (!settings.ApplyFilter) return;
    if (settings.UseFilter1) RunBothTanks<TLFFilter>(series, car, settings);
    if (settings.UseFilter2) RunBothTanks<TLFFilter2>(series, car, settings);
    if (settings.UseFilterAvg) RunBothTanks<TAvgFilter>(series, car, settings, settings.AvgFilterK);
}
