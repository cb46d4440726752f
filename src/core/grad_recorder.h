#pragma once
// Calibration points read from a recorder: the derived values of every point.
#include "grad_point.h"

// One tank's points as the recorder delivered them (U, U_POWER, U_REF filled), at most 20 taken.
// (k, d): the tank's converter coefficients (eK1, eD1 or eK2, eD2); uPower: the car's nominal
// supply in centivolts; rObr: the car's measuring resistor in ohms.
// U_REDUCED = U * (uPower / 100) / U_POWER (0 without U_POWER);
// R_SENSOR = |rObr * Us / (Ur + k * Us - d)| in volts (0 when the denominator is 0).
TGrad RecorderGradPoints(const TGrad& points, long double k, long double d, int uPower, long double rObr);
