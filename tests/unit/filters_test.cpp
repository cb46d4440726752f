#include "avg_filter.h"
#include "filter_series.h"
#include "lf_filter.h"
#include "lf_filter2.h"
#include "series_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using ::testing::ElementsAreArray;

namespace {

// Pushes the values of the series into the filter and steps once per push, as the driver does
// inside a run, without the final flush.
void PushAll(TCustomFilter& f, TKDDData& d)
{
    for (TKDDSample& s : d) {
        ASSERT_TRUE(f.Push(&s.Tank1));
        f.Step();
    }
}

}  // namespace

TEST(LFFilter, SpikeBecomesMeanOfNeighboursAndMonotoneRunStays)
{
    struct Case {
        std::vector<int32_t> in, out;
    } cases[] = {
        {{10000, 10000, 13000, 10000, 10000}, {10000, 10000, 10000, 10000, 10000}},
        {{10000, 10000, 7000, 10000, 10000}, {10000, 10000, 10000, 10000, 10000}},
        {{10000, 10100, 10200, 10300, 10400}, {10000, 10100, 10200, 10300, 10400}},
        // The spike's neighbours are the previous filtered value and the next raw one.
        {{10000, 10000, 13000, 11000, 11000}, {10000, 10000, 10500, 11000, 11000}},
    };
    for (const Case& c : cases) {
        TKDDData d;
        for (int32_t v : c.in) d.push_back(MakeSample(kOn, v));
        TLFFilter f(1);
        FilterTank(f, d, TFilterTank::Tank1, false);
        EXPECT_THAT(Tank1Of(d), ElementsAreArray(c.out));
    }
}

TEST(LFFilter2, MixedWiggleBelowThresholdBecomesLine)
{
    struct Case {
        double x;
        std::vector<int32_t> written;   // tank values after one full window
    } cases[] = {
        // Threshold 4: steps 1, -1, 2 are mixed and below it. The first keeps its value, the
        // second is written back at once; the third and fourth are only set in the ring.
        {2.0, {5000, 5067, 5000, 5200}},
        // Threshold 1.5: the step of 2 is not below it; only the first node is written back.
        {0.75, {5000, 5100, 5000, 5200}},
    };
    for (const Case& c : cases) {
        TKDDData d = LevelSeries({5000, 5100, 5000, 5200});
        TLFFilter2 f(c.x);
        EXPECT_DOUBLE_EQ(f.Threshold(), 2 * c.x);
        PushAll(f, d);
        EXPECT_THAT(Tank1Of(d), ElementsAreArray(c.written)) << "x = " << c.x;
        EXPECT_EQ(f.Written(), 1u);
    }
}

TEST(LFFilter2, FlushWritesTheStraightenedTail)
{
    TKDDData d = LevelSeries({5000, 5100, 5000, 5200});
    TLFFilter2 f(2.0);
    FilterTank(f, d, TFilterTank::Tank1, false);
    EXPECT_THAT(Tank1Of(d), ElementsAreArray({5000, 5067, 5133, 5200}));
}

TEST(LFFilter2, SmoothsOnlyInsideALongRun)
{
    // Constant, a wiggle, constant: the window 100, 100, 129, 100 (steps 0, 29, -29) is mixed and
    // below 30, so it becomes the line from its first node, which is flat; a one-way rise stays.
    TKDDData d = LevelSeries({10000, 10000, 10000, 12900, 10000, 12900, 12900, 12900, 12900});
    TLFFilter2 f(15);
    FilterTank(f, d, TFilterTank::Tank1, false);
    EXPECT_THAT(Tank1Of(d), ElementsAreArray({10000, 10000, 10000, 10000, 10000, 12900, 12900, 12900, 12900}));

    TKDDData rise = LevelSeries({10000, 10000, 10500, 11000, 11500, 12000, 12000});
    const auto before = Tank1Of(rise);
    TLFFilter2 g(15);
    FilterTank(g, rise, TFilterTank::Tank1, false);
    EXPECT_EQ(Tank1Of(rise), before);
}

TEST(AvgFilter, FirstSampleOfARunUsesTheSixNextWithRowZero)
{
    TKDDData d = LevelSeries({1000, 2000, 3000, 4000, 5000, 6000, 7000});
    TAvgFilter f(1, DefaultFilterSettings().AvgFilterK);
    PushAll(f, d);
    // (10 + 0.3·20 + 0.2·30 + 0.1·40 + 0.05·50 + 0.02·60 + 0.01·70) / 1.68 = 18.095 l
    EXPECT_EQ(d[0].Tank1, 1810);
    EXPECT_EQ(f.Written(), 1u);
    EXPECT_EQ(f.Occupied(), 7u) << "the finished node stays as history";
}

TEST(AvgFilter, SteadyStateUsesRowThreeOverRawValues)
{
    TKDDData d;
    Append(d, 7, 10000);
    d.push_back(MakeSample(kOn, 12400));
    Append(d, 7, 10000);
    TAvgFilter f(1, DefaultFilterSettings().AvgFilterK);
    FilterTank(f, d, TFilterTank::Tank1, false);
    // Weights 0.1 0.2 0.3 | 1 | 0.3 0.2 0.1 over the raw values: the spike spreads symmetrically.
    EXPECT_THAT(Tank1Of(d), ElementsAreArray({10000, 10000, 10000, 10000, 10109, 10218, 10327, 11091, 10327, 10218,
                                              10109, 10000, 10000, 10000, 10000}));
}

TEST(AvgFilter, ZeroWeightsLeaveTheSampleUnchanged)
{
    TKDDData d = LevelSeries({1000, 5000, 1000, 5000, 1000, 5000, 1000, 5000});
    const auto before = Tank1Of(d);
    TAvgFilter f(1, TAvgFilterK{});
    FilterTank(f, d, TFilterTank::Tank1, false);
    EXPECT_EQ(Tank1Of(d), before);
}

TEST(CustomFilter, PushRefusedWhenFullAndFlushResets)
{
    TKDDData d = LevelSeries({100, 200, 300, 400});
    TLFFilter2 f(1);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(f.Push(&d[i].Tank1));
    EXPECT_FALSE(f.Push(&d[0].Tank1));
    EXPECT_EQ(f.Pending(), 4u);
    f.Flush();
    EXPECT_EQ(f.Pending(), 0u);
    EXPECT_EQ(f.Occupied(), 0u);
    EXPECT_EQ(f.Pushed(), 0u);
    EXPECT_EQ(f.Written(), 0u);
    EXPECT_TRUE(f.Push(&d[0].Tank1));
}

TEST(FilterTank, OnlyInnerEngineOnSamplesOfLongEnoughSeries)
{
    // Two samples are never filtered.
    TKDDData two = LevelSeries({10000, 13000});
    TLFFilter f1(1);
    FilterTank(f1, two, TFilterTank::Tank1, false);
    EXPECT_THAT(Tank1Of(two), ElementsAreArray({10000, 13000}));

    // Three filterable samples are flushed at the end: the middle spike goes.
    TKDDData three = LevelSeries({10000, 13000, 10000});
    TLFFilter f2(1);
    FilterTank(f2, three, TFilterTank::Tank1, false);
    EXPECT_THAT(Tank1Of(three), ElementsAreArray({10000, 10000, 10000}));

    // A run of exactly two samples (start and end marks) is not touched; neither are samples
    // without the engine or without a measurement.
    TKDDData marks{MakeSample(kOn | sfSegStart, 10000), MakeSample(kOn | sfSegEnd, 13000),
                   MakeSample(sfData | sfNew, 10000), MakeSample(sfData | sfEngine, 13000),
                   MakeSample(sfData | sfNew, 10000)};
    const auto before = Tank1Of(marks);
    TLFFilter f3(1);
    FilterTank(f3, marks, TFilterTank::Tank1, false);
    EXPECT_EQ(Tank1Of(marks), before);
}

TEST(FilterTank, ShortPausesKeepHistoryOnlyWithSkipPauses)
{
    struct Case {
        bool skip;
        size_t gap;
        int32_t spikeAfter;   // the spike just after the gap
    } cases[] = {
        {true, 2, 10000}, {true, 3, 10000}, {true, 4, 13000}, {false, 2, 13000}, {false, 1, 13000},
    };
    for (const Case& c : cases) {
        TKDDData d = LevelSeries({10000, 10000});
        Append(d, c.gap, 0, 0);
        d.push_back(MakeSample(kOn, 13000));
        Append(d, 2, 10000);
        TLFFilter f(1);
        FilterTank(f, d, TFilterTank::Tank1, c.skip);
        EXPECT_EQ(d[2 + c.gap].Tank1, c.spikeAfter) << "skip " << c.skip << " gap " << c.gap;
    }
}

TEST(FilterSeries, ThresholdFollowsTheTankVolume)
{
    struct Case {
        int32_t tankVol;
        int32_t step;     // centilitres of each wiggle step
        bool smoothed;
    } cases[] = {
        {1200, 2900, true},   // x = min(20, 15): steps below 30 l are smoothed
        {1200, 3000, false},
        {60, 150, true},      // x = 1: threshold 2 l
        {60, 200, false},
        {60, 2900, false},
    };
    for (const TFilterTank tank : {TFilterTank::Tank1, TFilterTank::Tank2}) {
        for (const Case& c : cases) {
            const int32_t a = 10000, b = a + c.step;
            TKDDData d;
            for (int32_t v : {a, a, a, b, a, b, b, b, b}) {
                d.push_back(tank == TFilterTank::Tank1 ? MakeSample(kOn, v, 5000) : MakeSample(kOn, 5000, v));
            }
            TCalcCar car;
            (tank == TFilterTank::Tank1 ? car.CarTank1Vol : car.CarTank2Vol) = c.tankVol;
            TFilterSettings s = DefaultFilterSettings();
            s.UseFilterAvg = false;
            FilterSeries(d, car, s);
            const TKDDSample& third = d[3];
            const int32_t v = tank == TFilterTank::Tank1 ? third.Tank1 : third.Tank2;
            EXPECT_EQ(v != b, c.smoothed) << "tank " << c.tankVol << " step " << c.step;
        }
    }
}

TEST(FilterSeries, SwitchesSelectTheFilters)
{
    const TKDDData spiky = LevelSeries({10000, 10000, 10000, 13000, 10000, 10000, 10000, 10000, 10000});
    TCalcCar car;
    car.CarTank1Vol = 100;
    struct Case {
        bool apply, f1, f2, avg;
        bool changed;
    } cases[] = {
        {false, true, true, true, false},
        {true, false, false, false, false},
        {true, true, false, false, true},
        {true, false, false, true, true},
    };
    for (const Case& c : cases) {
        TKDDData d = spiky;
        TFilterSettings s = DefaultFilterSettings();
        s.ApplyFilter = c.apply, s.UseFilter1 = c.f1, s.UseFilter2 = c.f2, s.UseFilterAvg = c.avg;
        FilterSeries(d, car, s);
        EXPECT_EQ(Tank1Of(d) != Tank1Of(spiky), c.changed);
    }
}

TEST(FilterSeries, HostileSeriesTerminateWithinRange)
{
    for (size_t n : {0u, 1u, 2u, 3u}) {
        TKDDData d(n, MakeSample(kOn, 100));
        FilterSeries(d, TCalcCar{}, DefaultFilterSettings());
        EXPECT_EQ(d.size(), n);
    }
    std::mt19937 rng(7);
    const int32_t extremes[] = {0, 1, -1, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()};
    TKDDData d(5000);
    for (TKDDSample& s : d) {
        s.Flags = rng() & 0x307;
        s.Tank1 = (rng() & 1) ? extremes[rng() % 5] : int32_t(rng() % 200000);
        s.Tank2 = extremes[rng() % 5];
    }
    TFilterSettings s = DefaultFilterSettings();
    s.UseFilter1 = true;
    s.SkipPauses = true;
    TCalcCar car;
    car.CarTank1Vol = std::numeric_limits<int32_t>::max();
    car.CarTank2Vol = -5;
    FilterSeries(d, car, s);
    SUCCEED();
}
