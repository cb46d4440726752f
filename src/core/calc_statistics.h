#pragma once
// Trip and fuel statistics of a marked series (after MarkFuelEvents).
#include "calc_car.h"
#include "kdd_sample.h"
#include "protokol_calc_data.h"

// startTime: the time of sample 0. periodStart, periodEnd (date-times, 0 = no bound) are in and
// out: with both given only that period is computed; on return they hold the times of the first
// and the last sample computed. False with calc untouched for an empty series; false with calc
// reset when a given bound lies outside the series.
bool CalcStatistics(const TKDDData& series, const TCalcCar& car, TProtokolCalcData& calc, double& periodStart,
                    double& periodEnd, double startTime);
