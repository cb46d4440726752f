#pragma once
// The engine-temperature table of a decoding run: from the recorder's T_Grad points, else from
// the points carried with the order's car data.
#include "grad_point.h"
#include "order_header.h"

#include <cstdint>
#include <optional>
#include <vector>

// One T_Grad point of calibration type 1: volts, degrees, volts (an empty column reads 0).
struct TTempGradRow {
    double U = 0, VAL = 0, U_POWER = 0;
};


// At most the first 8 rows (in ascending U); usable with more than one row, then cleaned and sorted
// by U_REDUCED when usePowerForTemp, else by U. Nothing when not usable.
std::optional<TGrad> TemperatureTableFromRows(const std::vector<TTempGradRow>& rows, int32_t carUPower,
                                              bool usePowerForTemp);

// The header's points (U, VAL and U_POWER times 100) as they stand (at most 8), without preparation.
TGrad TemperatureTableFromHeader(const std::vector<TTempPoint>& points, int32_t carUPower);
