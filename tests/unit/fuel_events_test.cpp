#include "fuel_actions_text.h"
#include "fuel_events.h"
#include "series_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using ::testing::ElementsAreArray;

namespace {

constexpr uint32_t kMarks = sfIncStart | sfInc | sfDecStart | sfDec;

std::vector<uint32_t> MarksOf(const TKDDData& d)
{
    std::vector<uint32_t> v;
    for (const TKDDSample& s : d) v.push_back(s.Flags & kMarks);
    return v;
}

TCalcCar Car(uint32_t inc, uint32_t dec)
{
    TCalcCar c;
    c.CarTank1Vol = 200;
    c.CarIncCriterion = inc;
    c.CarDecCriterion = dec;
    return c;
}

}  // namespace

TEST(FuelEvents, RefuelRunFromLastFlatBottomSampleToHighestLevel)
{
    TKDDData d;
    Append(d, 25, 10000);
    for (int32_t l : {10000, 13000, 16000, 16000}) d.push_back(MakeSample(kOn, l));
    const TCalcCar car = Car(10, 10);

    // At the 130 l sample: the last 100 l sample starts, the 130 l sample is inside.
    TKDDData upTo130(d.begin(), d.begin() + 27);
    MarkRefuelsAndDrains(upTo130, car);
    std::vector<uint32_t> expected(27, 0);
    expected[25] = sfIncStart, expected[26] = sfInc;
    EXPECT_THAT(MarksOf(upTo130), ElementsAreArray(expected));

    // The next sample extends the run to 160 l; the flat end is not included.
    MarkRefuelsAndDrains(d, car);
    expected.resize(29, 0);
    expected[27] = sfInc;
    EXPECT_THAT(MarksOf(d), ElementsAreArray(expected));
}

TEST(FuelEvents, CriteriaCountWholeLitres)
{
    struct Case {
        int32_t change;      // centilitres after the step
        uint32_t criterion;
        bool marked;
    } cases[] = {
        {999, 10, false},  {1000, 10, true},  {99, 0, false},   {100, 0, true},  // refuels
        {-1499, 15, false}, {-1500, 15, true}, {-99, 0, false}, {-100, 0, true},  // drains
    };
    for (const Case& c : cases) {
        TKDDData d;
        Append(d, 30, 10000);
        Append(d, 5, 10000 + c.change);
        MarkRefuelsAndDrains(d, Car(c.criterion, c.criterion));
        const uint32_t start = c.change > 0 ? sfIncStart : sfDecStart;
        EXPECT_EQ((d[29].Flags & start) != 0, c.marked) << c.change << " / " << c.criterion;
        EXPECT_EQ(d[29].Flags & (c.change > 0 ? kMarks & ~sfIncStart : kMarks & ~sfDecStart), 0u);
    }
}

TEST(FuelEvents, DrainMustFallWithinTenSamples)
{
    struct Case {
        int steps;     // one-minute steps the 15 l fall is spread over
        bool marked;
    } cases[] = {{1, true}, {9, true}, {12, false}};
    for (const Case& c : cases) {
        TKDDData d;
        Append(d, 30, 20000);
        for (int i = 1; i <= c.steps; ++i) d.push_back(MakeSample(kOn, 20000 - 1500 * i / c.steps));
        Append(d, 5, 18500);
        MarkRefuelsAndDrains(d, Car(10, 15));
        const auto marks = MarksOf(d);
        if (!c.marked) {
            EXPECT_THAT(marks, ::testing::Each(0u)) << c.steps;
            continue;
        }
        // From the last sample at the top to the first sample at the bottom.
        std::vector<uint32_t> expected(marks.size(), 0);
        expected[29] = sfDecStart;
        for (int i = 30; i < 30 + c.steps; ++i) expected[i] = sfDec;
        EXPECT_THAT(marks, ElementsAreArray(expected)) << c.steps;
    }
}

TEST(FuelEvents, FirstTwentyOneMinutesOnlyServeAsHistory)
{
    struct Case {
        size_t riseAt;   // index of the first high sample; sample 0 is the first engine-on one
        bool marked;
    } cases[] = {{2, false}, {3, true}};
    for (const Case& c : cases) {
        TKDDData d;
        Append(d, c.riseAt, 10000);
        Append(d, 40 - c.riseAt, 13000);
        MarkRefuelsAndDrains(d, Car(10, 10));
        EXPECT_EQ((d[c.riseAt - 1].Flags & sfIncStart) != 0, c.marked) << c.riseAt;
    }
}

TEST(FuelEvents, OneTankCarIgnoresTank2)
{
    for (const int32_t tank2Vol : {0, 100}) {
        TKDDData d;
        for (int i = 0; i < 40; ++i) d.push_back(MakeSample(kOn, 10000, i < 30 ? 2000 : 6000));
        TCalcCar car = Car(10, 10);
        car.CarTank2Vol = tank2Vol;
        MarkRefuelsAndDrains(d, car);
        EXPECT_EQ((d[29].Flags & sfIncStart) != 0, tank2Vol > 0);
    }
}

TEST(HoldLevels, GapsTakeTheLastInnerLevelAndRunEndsTheirNeighbours)
{
    struct Case {
        int32_t measureType;
        std::vector<uint32_t> flags;
        std::vector<int32_t> in, out;
    } cases[] = {
        {0,
         {kOn | sfSegStart, kOn, kOn, kOn | sfSegEnd, sfData | sfNew, 0, kOn | sfSegStart, kOn, kOn | sfSegEnd},
         {5000, 10000, 10100, 30000, 0, 0, 0, 9000, 500},
         {10000, 10000, 10100, 10100, 10100, 10100, 9000, 9000, 9000}},
        // Levels only while moving: a standing engine-on sample is held too.
        {0x81,
         {kOn | sfMoving | sfSegStart, kOn | sfMoving, kOn, kOn | sfMoving, kOn | sfMoving | sfSegEnd},
         {5000, 10000, 20000, 9800, 1000},
         {10000, 10000, 10000, 9800, 9800}},
        {0,
         {kOn | sfMoving | sfSegStart, kOn | sfMoving, kOn, kOn | sfMoving, kOn | sfMoving | sfSegEnd},
         {5000, 10000, 20000, 9800, 1000},
         {10000, 10000, 20000, 9800, 9800}},
        // Before any run the first measured engine-off level is held.
        {0, {0, sfData | sfNew, kOn, kOn}, {7, 4200, 5000, 5100}, {4200, 4200, 5000, 5100}},
    };
    for (const Case& c : cases) {
        TKDDData d;
        for (size_t i = 0; i < c.flags.size(); ++i) d.push_back(MakeSample(c.flags[i], c.in[i], c.in[i] + 1));
        TCalcCar car;
        car.CarFuelMeasureType = c.measureType;
        HoldLevels(d, car);
        EXPECT_THAT(Tank1Of(d), ElementsAreArray(c.out));
        for (const TKDDSample& s : d) EXPECT_EQ(s.Tank2, s.Tank1 + 1) << "both tanks are held together";
    }
    TKDDData one = LevelSeries({1234}, 0);
    HoldLevels(one, TCalcCar{});
    EXPECT_EQ(one[0].Tank1, 1234);
}

TEST(MarkFuelEvents, NoisyRefuelBecomesOneRun)
{
    TKDDData d;
    d.push_back(MakeSample(kOn | sfSegStart, 0));
    const int32_t noise[] = {0, 40, -30, 10, -50, 20};
    for (int i = 0; i < 40; ++i) d.push_back(MakeSample(kOn, 10000 + noise[i % 6]));
    for (int i = 1; i <= 3; ++i) d.push_back(MakeSample(kOn, 10000 + 1300 * i));
    for (int i = 0; i < 30; ++i) d.push_back(MakeSample(kOn, 13900 + noise[i % 6]));
    d.push_back(MakeSample(kOn | sfSegEnd, 0));
    TCalcCar car = Car(10, 10);
    car.CarTank1Vol = 100;
    ASSERT_TRUE(MarkFuelEvents(d, car, DefaultFilterSettings()));
    int starts = 0, drains = 0;
    for (const TKDDSample& s : d) {
        starts += (s.Flags & sfIncStart) != 0;
        drains += (s.Flags & (sfDecStart | sfDec)) != 0;
    }
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(drains, 0);
    EXPECT_EQ(d.front().Tank1, d[1].Tank1) << "the run start takes its neighbour's level";

    TKDDData empty;
    EXPECT_FALSE(MarkFuelEvents(empty, car, DefaultFilterSettings()));
}

TEST(MarkFuelEvents, HostileSeriesTerminate)
{
    std::mt19937 rng(11);
    const int32_t extremes[] = {0, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), -1};
    for (int round = 0; round < 20; ++round) {
        TKDDData d(rng() % 400);
        for (TKDDSample& s : d) {
            s.Flags = rng() & 0x3fff;
            s.Tank1 = (rng() & 3) ? int32_t(rng() % 50000) : extremes[rng() % 4];
            s.Tank2 = extremes[rng() % 4];
        }
        TCalcCar car;
        car.CarTank2Vol = round % 2;
        car.CarFuelMeasureType = (round % 3) ? 0x80 : 0;
        car.CarDecCriterion = std::numeric_limits<uint32_t>::max() * (round % 4 == 0);
        EXPECT_EQ(MarkFuelEvents(d, car, DefaultFilterSettings()), !d.empty());
    }
}

TEST(FuelActionsText, OneLinePerEvent)
{
    // 11.12.2026 04:37 is day 46367 + 04:37.
    const double t0 = 46367.0 + (4 * 60 + 37) / 1440.0;
    const double t1 = t0 + 3 / 1440.0;
    struct Case {
        int32_t amount;
        QChar sep;
        QString line;
    } cases[] = {
        {3000, '.', "11.12.26 04:37 - 11.12.26 04:40 заправка 30.0л"},
        {1025, ',', "11.12.26 04:37 - 11.12.26 04:40 заправка 10,3л"},
        {1, '.', "11.12.26 04:37 - 11.12.26 04:40 заправка 0.0л"},
        {-1501, '.', "11.12.26 04:37 - 11.12.26 04:40 слив 15.0л"},
        {0, '.', "11.12.26 04:37 - 11.12.26 04:40 слив 0.0л"},
    };
    for (const Case& c : cases) {
        const QStringList lines = FuelActionsText({TFuelAction{t0, t1, c.amount}}, c.sep);
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(lines[0], c.line);
    }
    EXPECT_EQ(FuelActionsText({TFuelAction{t0, t1, 100}, TFuelAction{t1, t1, -5}}, '.').size(), 2);
    EXPECT_TRUE(FuelActionsText({}, '.').isEmpty());
}
