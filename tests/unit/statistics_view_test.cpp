#include "order_charts.h"
#include "series_builder.h"
#include "statistics_view.h"

#include <gtest/gtest.h>

namespace {

constexpr double kMinute = 1.0 / 1440.0;

struct Expect {
    const char* name;
    const char* text;
    bool enabled;
};

void Check(const TStatisticsView& v, std::initializer_list<Expect> fields)
{
    for (const Expect& e : fields) {
        const TStatisticsField* f = v.Field(e.name);
        ASSERT_NE(f, nullptr) << e.name;
        EXPECT_EQ(f->Text, QString::fromUtf8(e.text)) << e.name;
        EXPECT_EQ(f->Enabled, e.enabled) << e.name;
    }
}

}  // namespace

TEST(ShowStatistics, TextsAndEnabledStatesFollowTheCar)
{
    TProtokolCalcData c;
    c.TotalTime = 5400;
    c.AverSpeed = 45;
    c.PathReal = 12;
    c.StopTime = 900;              // 0.25 h
    c.AverGSM = 230.79;
    c.EngineActiveTime = 3600;
    c.AverRPM = 1350;
    c.StartFuelVol1 = 10000;
    c.StartFuelVol2 = 2555;
    c.FuelExpTotal = 5000;
    c.FuelIncCount = 1;
    c.RegOffCount = 2;
    c.FuelActions.push_back(TFuelAction{46367.25, 46367.25 + 3 * kMinute, 3000});

    TCalcCar full;
    full.CarSpeedType = 1, full.CarTachType = 1, full.CarTank2Vol = 50;
    const TStatisticsView v = ShowStatistics(c, full, ',');
    EXPECT_EQ(v.Fields.size(), 24u);
    Check(v, {{"edtTotalTime", "1,5", true},
              {"edtAverSpeed", "45", true},
              {"edtPathReal", "12", true},
              {"edtStopTime", "0,3", true},
              {"edtAverGSM", "230,8", true},
              {"edtEngineActiveTime", "1,0", true},
              {"edtAverRPM", "1350", true},
              {"edtStartFuelVol1", "100,0", true},
              {"edtStartFuelVol2", "25,6", true},
              {"edtFuelExpTotal", "50,0", true},
              {"edtFuelExpIdle", "0,0", true},
              {"edtFuelIncCount", "1", true},
              {"edtRegOffCount", "2", true}});
    ASSERT_EQ(v.FuelActions.size(), 1);
    EXPECT_TRUE(v.FuelActions[0].endsWith(QString::fromUtf8("заправка 30,0л")));

    const TStatisticsView bare = ShowStatistics(c, TCalcCar{}, '.');
    Check(bare, {{"edtTotalTime", "1.5", true},
                 {"edtAverSpeed", "0", false},
                 {"edtPathReal", "0", false},
                 {"edtStopTime", "0", false},
                 {"edtAverGSM", "0", false},
                 {"edtEngineActiveTime", "0", false},
                 {"edtAverRPM", "0", false},
                 {"edtStartFuelVol1", "100.0", true},
                 {"edtStartFuelVol2", "0", false},
                 {"edtEndFuelVol2", "0", false},
                 {"edtTotalFuelDec", "0.0", true}});
}

TEST(OrderCharts, PointsHoldOrZeroIncompleteSamples)
{
    const double start = 46367.25;
    TKDDData d{MakeSample(kOn, 5000, 1000), MakeSample(0, 7000, 1000), MakeSample(sfData | sfNew, 4000, 500)};
    d[0].Speed = 40, d[0].RPM = 1500, d[0].Path = 2500;
    d[1].Speed = 50, d[1].RPM = 1600, d[1].Path = 9000;
    TCalcCar car;
    car.CarTank1Vol = 105;
    car.CarTank2Vol = 20;
    car.CarBestRPM = 1700;
    const TOrderChartData c = BuildOrderCharts(d, car, start);
    ASSERT_EQ(c.Fuel.size(), 3u);
    EXPECT_NEAR(c.Fuel[0].X, start + kMinute, 1e-9);
    EXPECT_NEAR(c.Fuel[2].X, start + 3 * kMinute, 1e-9);
    const double fuel[] = {60, 60, 45}, path[] = {2.5, 2.5, 0}, speed[] = {40, 0, 0}, rpm[] = {1500, 0, 0};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(c.Fuel[i].Y, fuel[i]) << i;
        EXPECT_DOUBLE_EQ(c.Path[i].Y, path[i]) << i;
        EXPECT_DOUBLE_EQ(c.Speed[i].Y, speed[i]) << i;
        EXPECT_DOUBLE_EQ(c.RPM[i].Y, rpm[i]) << i;
    }
    EXPECT_DOUBLE_EQ(c.FuelAxisMax, 138);   // Round(137.5), halves to even
    EXPECT_DOUBLE_EQ(c.BestRPM, 1700);
}

TEST(OrderCharts, DailyMovementAcrossMidnight)
{
    const double start = 46367.0 + 23.0 / 24.0;   // 11.12.2026 23:00
    TKDDData d;
    for (int i = 0; i < 120; ++i) {
        TKDDSample s = MakeSample(kOn | sfMoving);
        s.Speed = i % 2 ? 60 : 0;
        d.push_back(s);
    }
    const TOrderChartData c = BuildOrderCharts(d, TCalcCar{}, start);
    ASSERT_EQ(c.DayMove.size(), 2u);
    EXPECT_EQ(c.DayMove[0].Label, "11.12.2026");
    EXPECT_EQ(c.DayMove[1].Label, "12.12.2026");
    EXPECT_NEAR(c.DayMove[0].X, 46367.0 + 1.0 / 86400, 1e-9);
    // Samples 1 ... 60 end at 00:00 of the next day, which closes the first bucket after
    // counting its own movement.
    EXPECT_EQ(c.DayMove[0].Minutes + c.DayMove[1].Minutes, 60);
    EXPECT_EQ(c.DayMove[0].Minutes, 30);

    const TOrderChartData empty = BuildOrderCharts(TKDDData{}, TCalcCar{}, start);
    EXPECT_TRUE(empty.Fuel.empty());
    EXPECT_EQ(empty.DayMove.size(), 1u);
    EXPECT_EQ(empty.DayMove[0].Minutes, 0);
}
