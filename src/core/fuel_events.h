#pragma once
// Refuels and drains in a decoded series: the levels are filtered, held across stops, and the
// samples of every rise by at least the refuel criterion within 20 minutes (fall by the drain
// criterion within 10 minutes) are marked with sfIncStart/sfInc (sfDecStart/sfDec).
#include "calc_car.h"
#include "filter_settings.h"
#include "kdd_sample.h"

// Every sample without a valid fuel reading takes the last valid reading; the first and last
// sample of an engine-on run take the level of their inner neighbour. Nothing for one sample.
void HoldLevels(TKDDData& series, const TCalcCar& car);

// The refuel and drain marks alone (the series must already carry a level in every sample).
void MarkRefuelsAndDrains(TKDDData& series, const TCalcCar& car);

// FilterSeries, HoldLevels, then the marking. False (nothing done) for an empty series.
bool MarkFuelEvents(TKDDData& series, const TCalcCar& car, const TFilterSettings& filters);
