#include "temperature_table.h"

#include "grad_table.h"

#include <algorithm>

namespace {

constexpr size_t kMaxTempPoints = 8;

TGradPoint point(long double u, long double val, long double uPower, int32_t carUPower)
{
    TGradPoint p;
    p.U = u;
    p.VAL = val;
    p.U_POWER = uPower;
    p.U_REDUCED = uPower > 0 ? carUPower * u / uPower : 0;
    return p;
}

}  // namespace

std::optional<TGrad> TemperatureTableFromRows(const std::vector<TTempGradRow>& rows, int32_t carUPower,
                                              bool usePowerForTemp)
{
    TGrad t;
    for (size_t i = 0; i < std::min(rows.size(), kMaxTempPoints); ++i)
        t.push_back(point(rows[i].U * 100.0L, rows[i].VAL * 100.0L, rows[i].U_POWER * 100.0L, carUPower));
    if (t.size() < 2)
        return std::nullopt;
    PrepareGrad(t, VoltageKey(usePowerForTemp));
    return t;
}

TGrad TemperatureTableFromHeader(const std::vector<TTempPoint>& points, int32_t carUPower)
{
    TGrad t;
    for (size_t i = 0; i < std::min(points.size(), kMaxTempPoints); ++i)
        t.push_back(point(points[i].U, points[i].Val, points[i].UPower, carUPower));
    return t;
}
