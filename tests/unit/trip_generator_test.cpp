#include "grad_table.h"
#include "protocol_decoder.h"
#include "trip_generator.h"

#include <gtest/gtest.h>

namespace {

TGrad table(std::initializer_list<std::pair<double, double>> keyVal, TGradKeyField key)
{
    TGrad t;
    for (auto [k, v] : keyVal) {
        TGradPoint p;
        p.U = p.U_REDUCED = p.R_SENSOR = k;
        p.VAL = v;
        t.push_back(p);
    }
    PrepareGrad(t, key);
    return t;
}

const char* kScenario = R"(
start 2026-12-11 08:00
tank1 120
tank2 50
drive 30 60 12     # 30 km
idle 5 2
refuel 40 3
park 10
poweroff 20
drive 15 80 14     # 20 km
drain 15 2
drive 6 50 10      # 5 km
)";

struct Variant {
    const char* name;
    int measureType;
    bool usePower;
    bool falling;
};

}  // namespace

TEST(TripGenerator, DecodesToTheScenarioTruth)
{
    TTripScenario sc;
    QString error;
    ASSERT_TRUE(ParseTripScenario(kScenario, sc, error)) << qPrintable(error);
    const Variant variants[] = {{"voltage", 0, false, false}, {"voltage, falling table", 0, false, true},
                                {"voltage with supply correction", 0, true, false}, {"current", 1, false, false}};
    for (const Variant& v : variants) {
        TDecodeCar car;
        car.CarTank1Vol = 250;
        car.CarTank2Vol = 100;
        car.CarUPower = 2400;
        car.CarUsePowerForVolume = v.usePower;
        car.CarFuelMeasureType = v.measureType;
        car.CarFuelMeasureRObr = 100;
        car.CarSpeedType = 1;
        car.CarSpeedK = 3000;
        car.CarTachType = 1;
        car.CarTachK = 2;
        const TGradKeyField key = GradKey(v.measureType, v.usePower);
        TDecodeTables tables;
        if (v.measureType == 1) {
            tables.Tank1 = table({{10, 0}, {200, 250}}, key);
            tables.Tank2 = table({{10, 0}, {200, 100}}, key);
        } else if (v.falling) {
            tables.Tank1 = table({{14000, 0}, {8000, 100}, {1000, 250}}, key);
            tables.Tank2 = table({{14000, 0}, {1000, 100}}, key);
        } else {
            tables.Tank1 = table({{500, 0}, {6000, 100}, {14000, 260}}, key);
            tables.Tank2 = table({{500, 0}, {14000, 100}}, key);
        }
        const TTrip trip = GenerateTrip(sc, car, tables);
        TKDDData s;
        double end = 0, start = 0;
        ASSERT_TRUE(DecodeProtocol(trip.records, car, tables, {}, s, end, start)) << v.name;
        const TTripTruth& t = trip.truth;
        EXPECT_EQ(int(s.size()), t.minutes) << v.name;
        EXPECT_EQ(t.minutes, 30 + 5 + 3 + 10 + 20 + 15 + 2 + 6) << v.name;
        // Each minute's path is rounded to whole metres: 1333.3 m at 80 km/h counts 1333.
        EXPECT_EQ(t.distanceMetres, 30 * 1000 + 15 * 1333 + 6 * 833) << v.name;
        EXPECT_EQ(t.powerOffs, 1);
        EXPECT_NEAR((end - start) * 1440, t.minutes, 1e-6) << v.name;
        int moving = 0, engine = 0, powerOff = 0;
        for (const TKDDSample& x : s) {
            moving += (x.Flags & sfMoving) != 0;
            engine += (x.Flags & 7) == 7;
            powerOff += (x.Flags & sfPowerOff) != 0;
        }
        EXPECT_EQ(moving, t.movingMinutes) << v.name;
        EXPECT_EQ(moving, 51) << v.name;
        EXPECT_EQ(engine, t.engineMinutes) << v.name;
        EXPECT_EQ(powerOff, 1) << v.name;
        EXPECT_EQ(s.back().Path, uint32_t(t.distanceMetres)) << v.name;
        EXPECT_NEAR(s.front().Tank1 / 100.0, t.startLevel1, 0.011) << v.name;
        EXPECT_NEAR(t.startLevel1, 120, 0.5) << v.name;
        EXPECT_NEAR(s.front().Tank2 / 100.0, t.startLevel2, 0.011) << v.name;
        EXPECT_NEAR(s.back().Tank1 / 100.0, t.endLevel1, 0.011) << v.name;
        // 6 + 10/60 + 40 - 3.5 - 15 - 1 litres.
        EXPECT_NEAR(t.endLevel1, 120 - 6 - 10.0 / 60 + 40 - 3.5 - 15 - 1, 0.5) << v.name;
        ASSERT_EQ(t.refuels.size(), 1u);
        EXPECT_NEAR(t.refuels[0], 40, 1e-9);
        ASSERT_EQ(t.drains.size(), 1u);
        EXPECT_NEAR(t.drains[0], 15, 1e-9);
    }
}

TEST(TripScenario, RejectsBadLines)
{
    TTripScenario sc;
    QString error;
    for (const char* text : {"drive 10", "fly 10", "refuel -5 2", "start 2026-13-01 08:00", "park 0",
                             "drive 10 60 5\nrepeat 1000000"}) {
        EXPECT_FALSE(ParseTripScenario(text, sc, error)) << text;
        EXPECT_FALSE(error.isEmpty());
    }
    ASSERT_TRUE(ParseTripScenario("drive 10 60 5\nidle 2 1\nrepeat 3", sc, error));
    EXPECT_EQ(sc.steps.size(), 6u);
}
