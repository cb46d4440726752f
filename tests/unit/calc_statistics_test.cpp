#include "calc_statistics.h"
#include "series_builder.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

constexpr double kStart = 46367.25;   // 11.12.2026 06:00
constexpr double kMinute = 1.0 / 1440.0;

TCalcCar FullCar()
{
    TCalcCar c;
    c.CarTank1Vol = 200;
    c.CarSpeedType = 1;
    c.CarTachType = 1;
    return c;
}

TKDDSample Motion(uint32_t flags, uint16_t speed, uint16_t pathStep, uint16_t rpm = 0)
{
    TKDDSample s = MakeSample(flags);
    s.Speed = speed;
    s.PathStep = pathStep;
    s.RPM = rpm;
    return s;
}

TProtokolCalcData Calc(const TKDDData& d, const TCalcCar& car, double ps = 0, double pe = 0)
{
    TProtokolCalcData calc;
    EXPECT_TRUE(CalcStatistics(d, car, calc, ps, pe, kStart));
    return calc;
}

}  // namespace

TEST(CalcStatistics, TimeSpeedsAndStops)
{
    EXPECT_EQ(Calc(TKDDData(90), FullCar()).TotalTime, 5400);

    const TKDDData d{Motion(kOn | sfMoving, 60, 1000), Motion(kOn, 0, 0), Motion(kOn | sfMoving, 30, 500)};
    const TProtokolCalcData c = Calc(d, FullCar());
    EXPECT_EQ(c.AverSpeed, 45);
    EXPECT_EQ(c.AverSpeedTotal, 30);
    EXPECT_EQ(c.StopTime, 60);
    EXPECT_EQ(c.MaxSpeed, 60);
    EXPECT_EQ(c.TotalTime, 180);
}

TEST(CalcStatistics, AveragesRoundHalvesToEven)
{
    struct Case {
        uint16_t a, b;
        int32_t aver;
    } cases[] = {{1000, 1001, 1000}, {1001, 1002, 1002}, {10, 11, 10}, {11, 12, 12}};
    for (const Case& c : cases) {
        const TKDDData d{Motion(kOn | sfMoving | sfTurning, c.a, 0, c.a), Motion(kOn | sfMoving | sfTurning, c.b, 0, c.b)};
        const TProtokolCalcData calc = Calc(d, FullCar());
        EXPECT_EQ(calc.AverSpeed, c.aver);
        EXPECT_EQ(calc.AverRPM, c.aver);
    }
}

TEST(CalcStatistics, CoastingIsMovingWithIdleOrStillEngine)
{
    struct Case {
        uint32_t flags;
        bool coasting;
    } cases[] = {
        {kOn | sfMoving | sfTurning | sfIdle, true},
        {kOn | sfMoving, true},
        {kOn | sfMoving | sfTurning, false},
    };
    for (const Case& c : cases) {
        const TKDDData d{Motion(c.flags, 50, 1500, 900)};
        const TProtokolCalcData calc = Calc(d, FullCar());
        EXPECT_EQ(calc.PathReal, 1);
        EXPECT_EQ(calc.PathRol, c.coasting ? 1 : 0);
        EXPECT_EQ(calc.RolTime, c.coasting ? 60 : 0);
    }
}

TEST(CalcStatistics, EngineTimesNeedATachometer)
{
    const TKDDData d{Motion(kOn | sfTurning | sfIdle, 0, 0, 700), Motion(kOn | sfTurning, 0, 0, 2000),
                     Motion(kOn, 0, 0, 0)};
    TProtokolCalcData c = Calc(d, FullCar());
    EXPECT_EQ(c.EngineActiveTime, 120);
    EXPECT_EQ(c.EngineIdleTime, 60);
    EXPECT_EQ(c.AverRPM, 1350);

    TCalcCar noTach = FullCar();
    noTach.CarTachType = 0;
    c = Calc(d, noTach);
    EXPECT_EQ(c.EngineActiveTime, 0);
    EXPECT_EQ(c.EngineIdleTime, 0);
    EXPECT_EQ(c.AverRPM, 0);
}

TEST(CalcStatistics, PathTruncatesAfterAverGSMUsesMetres)
{
    TKDDData d;
    d.push_back(Motion(kOn | sfMoving | sfTurning, 60, 6000));
    d.push_back(Motion(kOn | sfMoving | sfTurning, 60, 6999));
    d[0].Tank1 = 10000;
    d[1].Tank1 = 7000;
    const TProtokolCalcData c = Calc(d, FullCar());
    EXPECT_EQ(c.PathReal, 12);
    EXPECT_EQ(c.FuelExpTotalClean, 3000);
    EXPECT_NEAR(double(c.AverGSM), 3000.0 * 1000.0 / 12999.0, 1e-9);

    TCalcCar noSpeed = FullCar();
    noSpeed.CarSpeedType = 0;
    const TProtokolCalcData n = Calc(d, noSpeed);
    EXPECT_EQ(n.PathReal, 0);
    EXPECT_EQ(n.MaxSpeed, 0);
    EXPECT_EQ(n.AverSpeed, 0);
    EXPECT_EQ(n.StopTime, 0);
    EXPECT_EQ(double(n.AverGSM), 0.0);
}

TEST(CalcStatistics, ConsumptionWithRefuelAndDrain)
{
    // 100 l at the start, +30 l refuel, -20 l drain, 80 l at the end.
    const TKDDData d{MakeSample(kOn, 10000),          MakeSample(kOn | sfIncStart, 10000),
                     MakeSample(kOn | sfInc, 13000),  MakeSample(kOn, 13000),
                     MakeSample(kOn | sfDecStart, 13000), MakeSample(kOn | sfDec, 11000),
                     MakeSample(kOn, 8000)};
    const TProtokolCalcData c = Calc(d, FullCar());
    EXPECT_EQ(c.StartFuelVol1, 10000);
    EXPECT_EQ(c.EndFuelVol1, 8000);
    EXPECT_EQ(c.TotalFuelInc, 3000);
    EXPECT_EQ(c.TotalFuelDec, 2000);
    EXPECT_EQ(c.FuelExpTotal, 5000);
    EXPECT_EQ(c.FuelExpTotalClean, 3000);
    EXPECT_EQ(c.FuelExpIdle, 0);
    ASSERT_EQ(c.FuelActions.size(), 2u);
    EXPECT_EQ(c.FuelIncCount, 1);
    EXPECT_EQ(c.FuelDecCount, 1);
    EXPECT_EQ(c.FuelActions[0].Amount, 3000);
    EXPECT_NEAR(c.FuelActions[0].StartTime, kStart + 1 * kMinute, 1e-9);
    EXPECT_NEAR(c.FuelActions[0].EndTime, kStart + 2 * kMinute, 1e-9);
    EXPECT_EQ(c.FuelActions[1].Amount, -2001);
    EXPECT_NEAR(c.FuelActions[1].StartTime, kStart + 4 * kMinute, 1e-9);

    // More fuel at the end and no refuel found: no consumption at all.
    const TProtokolCalcData more = Calc(LevelSeries({10000, 10500, 11000}), FullCar());
    EXPECT_EQ(more.FuelExpTotal, 0);
    EXPECT_EQ(more.FuelExpTotalClean, 0);
}

TEST(CalcStatistics, EventsMergeByStartTimeRefuelFirstInTheSameMinute)
{
    const TKDDData d{MakeSample(kOn, 10000),
                     MakeSample(kOn | sfDecStart, 10000),
                     MakeSample(kOn | sfDec, 9000),
                     MakeSample(kOn, 9000),
                     MakeSample(kOn | sfIncStart | sfDecStart, 9000),
                     MakeSample(kOn | sfInc, 9500),
                     MakeSample(kOn, 9500),
                     MakeSample(kOn | sfIncStart, 9500),
                     MakeSample(kOn | sfInc, 12000)};
    const TProtokolCalcData c = Calc(d, FullCar());
    ASSERT_EQ(c.FuelActions.size(), 4u);
    const int32_t amounts[] = {-1001, 500, -1, 2500};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(c.FuelActions[i].Amount, amounts[i]) << i;
    EXPECT_EQ(c.FuelIncCount, 2);
    EXPECT_EQ(c.FuelDecCount, 2);
}

TEST(CalcStatistics, InnerMarksWithoutAnOpenRunAreIgnored)
{
    const TKDDData d{MakeSample(kOn | sfInc, 10000), MakeSample(kOn | sfInc, 12000), MakeSample(kOn, 12000)};
    const TProtokolCalcData c = Calc(d, FullCar());
    EXPECT_EQ(c.FuelIncCount, 0);
    EXPECT_EQ(c.TotalFuelInc, 0);
}

TEST(CalcStatistics, StartVolumesFromTheFirstEngineSampleOrThePeriodStart)
{
    TKDDData d;
    Append(d, 100, 5000, sfData | sfNew);
    for (int i = 0; i < 20; ++i) d.push_back(MakeSample(kOn, 9000 - 10 * i, 4000));
    TCalcCar twoTanks = FullCar();
    twoTanks.CarTank2Vol = 100;

    TProtokolCalcData c = Calc(d, twoTanks);
    EXPECT_EQ(c.StartFuelVol1, 9000);
    EXPECT_EQ(c.StartFuelVol2, 4000);
    EXPECT_EQ(c.EndFuelVol1, 8810);
    EXPECT_EQ(c.EndFuelVol2, 4000);
    EXPECT_EQ(Calc(d, FullCar()).StartFuelVol2, 0) << "one-tank car";

    // A period starting after an engine-on sample: its first sample gives the start volumes.
    double ps = kStart + 105 * kMinute, pe = kStart + 115 * kMinute;
    ASSERT_TRUE(CalcStatistics(d, twoTanks, c, ps, pe, kStart));
    EXPECT_EQ(c.StartFuelVol1, 8950);
    EXPECT_EQ(c.EndFuelVol1, 8860);
    EXPECT_EQ(c.TotalTime, 600);
    EXPECT_NEAR(ps, kStart + 105 * kMinute, 1e-9);
    EXPECT_NEAR(pe, kStart + 114 * kMinute, 1e-9);
}

TEST(CalcStatistics, PeriodsOutsideTheSeries)
{
    const TKDDData d = LevelSeries({10000, 9900, 9800});
    struct Case {
        double ps, pe;
        bool ok;
    } cases[] = {
        {kStart + 4 * kMinute, 0, false},             // starts after the series
        {0, kStart - kMinute, false},                 // ends before it
        {kStart + 4 * kMinute, kStart + 9 * kMinute, false},
        {kStart + 3 * kMinute, kStart + 9 * kMinute, true},   // at the very end: nothing to walk
        {kStart - 60 * kMinute, kStart + 2 * kMinute, true},  // opens before the series
    };
    for (const Case& c : cases) {
        TProtokolCalcData calc;
        calc.AverSpeed = 77;
        calc.FuelActions.push_back(TFuelAction{});
        double ps = c.ps, pe = c.pe;
        EXPECT_EQ(CalcStatistics(d, FullCar(), calc, ps, pe, kStart), c.ok);
        if (!c.ok) {
            EXPECT_EQ(calc.AverSpeed, 0);
            EXPECT_EQ(calc.TotalTime, 0);
            EXPECT_TRUE(calc.FuelActions.empty());
        }
    }
    // Opening before the series counts from its start, not backwards from the period start.
    double ps = kStart - 60 * kMinute, pe = kStart + 2 * kMinute;
    TProtokolCalcData calc;
    ASSERT_TRUE(CalcStatistics(d, FullCar(), calc, ps, pe, kStart));
    EXPECT_EQ(calc.StartFuelVol1, 10000);
    EXPECT_EQ(calc.EndFuelVol1, 9900);
}

TEST(CalcStatistics, EmptySeriesLeavesTheRecordAlone)
{
    TProtokolCalcData calc;
    calc.AverSpeed = 5;
    double ps = 0, pe = 0;
    EXPECT_FALSE(CalcStatistics(TKDDData{}, FullCar(), calc, ps, pe, kStart));
    EXPECT_EQ(calc.AverSpeed, 5);
}

TEST(CalcStatistics, PowerOffsAndGapSamplesCount)
{
    const TKDDData d{MakeSample(kOn | sfPowerOff), MakeSample(0), MakeSample(0), MakeSample(kOn | sfPowerOff)};
    const TProtokolCalcData c = Calc(d, FullCar());
    EXPECT_EQ(c.RegOffCount, 2);
    EXPECT_EQ(c.StopTime, 240);
}

TEST(CalcStatistics, ExtremeSeriesDoNotOverflow)
{
    // 200 000 minutes at 65 535 m a minute: 13 107 000 km fits; the metre sum would not.
    TKDDData d(200000, Motion(kOn | sfMoving | sfTurning, 65535, 65535, 65535));
    const TProtokolCalcData c = Calc(d, FullCar());
    EXPECT_EQ(c.PathReal, 13107000);
    EXPECT_EQ(c.AverSpeed, 65535);
    EXPECT_EQ(c.AverRPM, 65535);

    std::mt19937 rng(3);
    TKDDData r(3000);
    for (TKDDSample& s : r) {
        s.Flags = rng();
        s.Tank1 = (rng() & 1) ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min();
        s.Tank2 = int32_t(rng());
    }
    TCalcCar car = FullCar();
    car.CarTank2Vol = 1;
    const TProtokolCalcData x = Calc(r, car);
    EXPECT_EQ(x.FuelIncCount + x.FuelDecCount, int32_t(x.FuelActions.size()));
    for (size_t i = 1; i < x.FuelActions.size(); ++i)
        EXPECT_LE(x.FuelActions[i - 1].StartTime, x.FuelActions[i].StartTime + 1e-9);
}
