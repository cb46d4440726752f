#include "grad_recorder.h"

#include <algorithm>
#include <cmath>

TGrad RecorderGradPoints(const TGrad& points, long double k, long double d, int uPower, long double rObr)
{
    constexpr size_t kMaxPoints = 20;
    TGrad out(std::min(points.size(), kMaxPoints));
    for (size_t i = 0; i < out.size(); ++i) {
        const TGradPoint& in = points[i];
        TGradPoint& p = out[i];
        p.U = in.U;
        p.VAL = in.VAL;
        p.U_POWER = in.U_POWER;
        p.U_REF = in.U_REF;
        p.U_REDUCED = in.U_POWER == 0 ? 0 : in.U * (uPower / 100.0L) / in.U_POWER;
        const long double us = in.U * 40 / 65535;
        const long double ur = in.U_REF * 40 / 65535;
        const long double den = ur + k * us - d;
        p.R_SENSOR = den == 0 ? 0 : std::fabs(rObr * us / den);
        if (!std::isfinite(p.U_REDUCED))
            p.U_REDUCED = 0;
        if (!std::isfinite(p.R_SENSOR))
            p.R_SENSOR = 0;
    }
    return out;
}
