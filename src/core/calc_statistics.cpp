#include "calc_statistics.h"

#include "calc_datetime.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int32_t Saturated(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Nearest integer, halves to even.
int32_t RoundEven(double v)
{
    return Saturated(int64_t(std::nearbyint(v)));
}

struct TRange {
    int64_t first = 0;
    int64_t last = -1;
    double clock = 0;   // event time of sample `first`
};

// Sums of one walk; 64-bit so that no series can overflow them.
struct TTotals {
    int64_t pathReal = 0, pathRol = 0, speedSum = 0, movingCount = 0;
    int64_t rpmSum = 0, turningCount = 0;
    int64_t stopTime = 0, rolTime = 0, activeTime = 0, idleTime = 0;
    int64_t fuelInc = 0, fuelDec = 0, regOff = 0;
    TFuelActions refuels, drains;
    bool refuelOpen = false, drainOpen = false, startSet = false;
};

bool EngineSeen(const TKDDData& series, int64_t first)
{
    const int64_t to = std::min<int64_t>(first, int64_t(series.size()) - 1);
    for (int64_t i = 0; i <= to; ++i)
        if (series[size_t(i)].Flags & sfEngine) return true;
    return false;
}

// A run of refuel (or drain) marks becomes one event: opened by the start mark, extended by every
// inner mark while open, closed by an unmarked sample. sign: +1 for refuels, -1 for drains.
void TrackEvent(const TKDDSample& s, int64_t delta, bool hasPrev, double t, uint32_t startFlag, uint32_t innerFlag,
                int sign, TFuelActions& list, bool& open, int64_t& total)
{
    if (!(s.Flags & (startFlag | innerFlag))) {
        open = false;
    } else if (s.Flags & startFlag) {
        list.push_back(TFuelAction{t, t, sign > 0 ? 0 : -1});
        open = true;
    } else if (hasPrev && open) {
        total += delta;
        list.back().EndTime = t;
        list.back().Amount = Saturated(int64_t(list.back().Amount) + sign * delta);
    }
}

void AddMotion(const TKDDSample& s, TProtokolCalcData& calc, TTotals& t)
{
    calc.MaxSpeed = std::max<int32_t>(calc.MaxSpeed, s.Speed);
    if (!(s.Flags & sfMoving)) {
        t.stopTime += 60;
        return;
    }
    if ((s.Flags & sfIdle) || !(s.Flags & sfTurning)) {
        t.pathRol += s.PathStep;
        t.rolTime += 60;
    }
    t.pathReal += s.PathStep;
    t.speedSum += s.Speed;
    ++t.movingCount;
}

void AddEngine(const TKDDSample& s, TTotals& t)
{
    if (!(s.Flags & sfTurning)) return;
    t.activeTime += 60;
    t.rpmSum += s.RPM;
    ++t.turningCount;
    if (s.Flags & sfIdle) t.idleTime += 60;
}

void TakeVolumes(const TKDDSample& s, const TCalcCar& car, int32_t& vol1, int32_t& vol2)
{
    vol1 = s.Tank1;
    vol2 = car.CarTank2Vol > 0 ? s.Tank2 : 0;
}

// Refuels first when both start in the same millisecond.
TFuelActions MergeByStart(const TFuelActions& refuels, const TFuelActions& drains)
{
    TFuelActions out;
    out.reserve(refuels.size() + drains.size());
    size_t a = 0, b = 0;
    while (a < refuels.size() && b < drains.size()) {
        if (MillisecondsFrom(drains[b].StartTime, refuels[a].StartTime) >= 1)
            out.push_back(drains[b++]);
        else
            out.push_back(refuels[a++]);
    }
    out.insert(out.end(), refuels.begin() + a, refuels.end());
    out.insert(out.end(), drains.begin() + b, drains.end());
    return out;
}

// Which samples the statistics cover and the event time of the first. False when a given bound
// lies outside the series.
bool ChooseRange(size_t n, double& periodStart, double& periodEnd, double startTime, TRange& r, int64_t& totalTime)
{
    totalTime = 60 * int64_t(n);
    const double endTime = AddSeconds(startTime, 60 * int64_t(n));
    if ((periodStart != 0 && periodStart > endTime) || (periodEnd != 0 && periodEnd < startTime)) return false;
    if (periodStart != 0 && periodEnd != 0) {
        // A period that opens before the series is taken from the series start (the distance to
        // the start counts in whole minutes from there, never backwards).
        if (periodStart < startTime) periodStart = startTime;
        const int64_t span = WholeSecondsBetween(periodStart, periodEnd);
        totalTime = span;
        r.first = WholeSecondsBetween(startTime, periodStart) / 60;
        r.last = std::min<int64_t>(r.first - 1 + span / 60, int64_t(n) - 1);
        r.clock = periodStart;
    } else {
        r.first = 0;
        r.last = int64_t(n) - 1;
        r.clock = startTime;
    }
    periodStart = AddSeconds(startTime, 60 * r.first);
    periodEnd = AddSeconds(startTime, 60 * r.last);
    return true;
}

void Walk(const TKDDData& series, const TCalcCar& car, const TRange& r, TProtokolCalcData& calc, TTotals& tot)
{
    const bool engineSeen = EngineSeen(series, r.first);
    for (int64_t i = r.first; i <= r.last; ++i) {
        const TKDDSample& s = series[size_t(i)];
        const double t = AddSeconds(r.clock, 60 * (i - r.first));
        const bool hasPrev = i > r.first;
        if (!tot.startSet && (engineSeen || (s.Flags & sfEngine))) {
            TakeVolumes(s, car, calc.StartFuelVol1, calc.StartFuelVol2);
            tot.startSet = true;
        }
        const int64_t rise = hasPrev ? FuelLevel(car, s.Tank1, s.Tank2) -
                                           FuelLevel(car, series[size_t(i - 1)].Tank1, series[size_t(i - 1)].Tank2)
                                     : 0;
        TrackEvent(s, rise, hasPrev, t, sfIncStart, sfInc, +1, tot.refuels, tot.refuelOpen, tot.fuelInc);
        TrackEvent(s, -rise, hasPrev, t, sfDecStart, sfDec, -1, tot.drains, tot.drainOpen, tot.fuelDec);
        if (car.CarSpeedType != 0) AddMotion(s, calc, tot);
        if (car.CarTachType != 0) AddEngine(s, tot);
        if (s.Flags & sfPowerOff) ++tot.regOff;
        TakeVolumes(s, car, calc.EndFuelVol1, calc.EndFuelVol2);
    }
}

void Finish(const TCalcCar& car, const TTotals& tot, TProtokolCalcData& calc)
{
    calc.FuelActions = MergeByStart(tot.refuels, tot.drains);
    calc.FuelIncCount = Saturated(int64_t(tot.refuels.size()));
    calc.FuelDecCount = Saturated(int64_t(tot.drains.size()));
    calc.TotalFuelInc = Saturated(tot.fuelInc);
    calc.TotalFuelDec = Saturated(tot.fuelDec);
    calc.StopTime = Saturated(tot.stopTime);
    calc.RolTime = Saturated(tot.rolTime);
    calc.EngineActiveTime = Saturated(tot.activeTime);
    calc.EngineIdleTime = Saturated(tot.idleTime);
    calc.RegOffCount = Saturated(tot.regOff);

    if (car.CarSpeedType != 0) {
        if (tot.movingCount > 0) calc.AverSpeed = RoundEven(double(tot.speedSum) / double(tot.movingCount));
        if (calc.TotalTime > 0) calc.AverSpeedTotal = RoundEven(double(tot.speedSum) / (calc.TotalTime / 60.0));
        calc.PathRol = Saturated(tot.pathRol / 1000);
    }
    if (car.CarTachType != 0 && calc.EngineActiveTime > 0 && tot.turningCount > 0)
        calc.AverRPM = RoundEven(double(tot.rpmSum) / double(tot.turningCount));

    const int64_t e = int64_t(calc.StartFuelVol1) + calc.StartFuelVol2 + calc.TotalFuelInc - calc.EndFuelVol1 -
                      calc.EndFuelVol2;
    if (e > 0) calc.FuelExpTotal = Saturated(e);
    const int64_t e2 = e - calc.TotalFuelDec;
    if (e2 > 0) calc.FuelExpTotalClean = Saturated(e2);

    if (tot.pathReal > 0) calc.AverGSM = (long double)calc.FuelExpTotalClean * 1000.0L / (long double)tot.pathReal;
    calc.PathReal = Saturated(tot.pathReal / 1000);
}

}  // namespace

bool CalcStatistics(const TKDDData& series, const TCalcCar& car, TProtokolCalcData& calc, double& periodStart,
                    double& periodEnd, double startTime)
{
    if (series.empty()) return false;
    ResetCalcData(calc);
    TRange range;
    int64_t totalTime = 0;
    if (!ChooseRange(series.size(), periodStart, periodEnd, startTime, range, totalTime)) return false;
    calc.TotalTime = Saturated(totalTime);
    TTotals totals;
    Walk(series, car, range, calc, totals);
    Finish(car, totals, calc);
    return true;
}
