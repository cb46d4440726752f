#pragma once
// Smoothing the tank volumes of a series in place, before refuels and drains are looked for.
// Only measured engine-on samples inside a run are filtered; the filter restarts at every gap.
#include "calc_car.h"
#include "custom_filter.h"
#include "filter_settings.h"
#include "kdd_sample.h"

enum class TFilterTank { Tank1, Tank2 };

// Flags & 0x307 == 7: data, new and engine set, neither the first nor the last sample of a run.
inline bool IsFilterable(const TKDDSample& s)
{
    return (s.Flags & (sfData | sfNew | sfEngine | sfSegStart | sfSegEnd)) == (sfData | sfNew | sfEngine);
}

// One pass of one filter over one tank field. Gaps of up to 3 samples keep the filter's history
// when skipPauses is set; longer gaps (or every gap otherwise) flush it.
void FilterTank(TCustomFilter& filter, TKDDData& series, TFilterTank tank, bool skipPauses);

// The switched-on filters in order (1, 2, average), each over tank 1 then tank 2, with thresholds
// min(tank volume / 60, 15) litres. Nothing when ApplyFilter is clear.
void FilterSeries(TKDDData& series, const TCalcCar& car, const TFilterSettings& settings);
