// The whole computation on generated trips: decoding, filters, fuel events and statistics must
// give back the figures the trip was generated from.
#include "calc_statistics.h"
#include "fuel_events.h"
#include "grad_table.h"
#include "protocol_decoder.h"
#include "trip_generator.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TTripScenario scenario(const char* name)
{
    QFile f(QString(KEM_TEST_DATA) + "/scenarios/" + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    TTripScenario sc;
    QString error;
    EXPECT_TRUE(ParseTripScenario(QString::fromUtf8(f.readAll()), sc, error)) << qPrintable(error);
    return sc;
}

TGrad tankTable(double litres)
{
    TGrad t;
    for (int i = 0; i <= 10; ++i) {
        TGradPoint p;
        p.U = 600 + i * 1300;
        p.VAL = litres * i / 10 * (0.9 + 0.01 * i);   // slightly curved
        t.push_back(p);
    }
    PrepareGrad(t, TGradKeyField::U);
    return t;
}

}  // namespace

TEST(TripPipeline, StatisticsMatchTheScenarioTruth)
{
    struct Case {
        const char* file;
        int refuels, drains;
    };
    for (const Case& c : {Case{"city-day.trip", 1, 1}, Case{"highway.trip", 0, 0}}) {
        TDecodeCar car;
        car.CarTank1Vol = 250;
        car.CarTank2Vol = 200;
        car.CarUPower = 2400;
        car.CarSpeedType = 1;
        car.CarSpeedK = 3000;
        car.CarTachType = 1;
        car.CarTachK = 2;
        car.CarMinRPM = 400;
        car.CarMaxIdleRPM = 900;
        car.CarMaxRPM = 3000;
        TDecodeTables tables;
        tables.Tank1 = tankTable(250);
        tables.Tank2 = tankTable(200);
        const TTrip trip = GenerateTrip(scenario(c.file), car, tables);

        TKDDData s;
        double end = 0, start = 0;
        ASSERT_TRUE(DecodeProtocol(trip.records, car, tables, {}, s, end, start));
        TCalcCar calcCar;
        calcCar.CarTank1Vol = car.CarTank1Vol;
        calcCar.CarTank2Vol = car.CarTank2Vol;
        calcCar.CarIncCriterion = 10;
        calcCar.CarDecCriterion = 10;
        calcCar.CarSpeedType = car.CarSpeedType;
        calcCar.CarTachType = car.CarTachType;
        ASSERT_TRUE(MarkFuelEvents(s, calcCar, DefaultFilterSettings()));
        TProtokolCalcData calc;
        double from = 0, to = 0;
        ASSERT_TRUE(CalcStatistics(s, calcCar, calc, from, to, start));

        const TTripTruth& t = trip.truth;
        SCOPED_TRACE(c.file);
        EXPECT_EQ(calc.TotalTime, t.minutes * 60);
        EXPECT_EQ(calc.PathReal, t.distanceMetres / 1000);
        EXPECT_EQ(calc.TotalTime - calc.StopTime, t.movingMinutes * 60);
        EXPECT_EQ(calc.RegOffCount, t.powerOffs);
        EXPECT_EQ(calc.FuelIncCount, c.refuels);
        EXPECT_EQ(calc.FuelDecCount, c.drains);
        // Levels: the filters average a few minutes, so a steady level comes back within 1 l.
        // Events: the averaging spreads a step over its window and the marked run can take in a
        // few minutes of consumption at its edges: within 2 l.
        EXPECT_NEAR(calc.StartFuelVol1 / 100.0, t.startLevel1, 1.0);
        EXPECT_NEAR(calc.EndFuelVol1 / 100.0, t.endLevel1, 1.0);
        double refuelled = 0, drained = 0;
        for (double v : t.refuels) refuelled += v;
        for (double v : t.drains) drained += v;
        EXPECT_NEAR(calc.TotalFuelInc / 100.0, refuelled, 2.0);
        EXPECT_NEAR(calc.TotalFuelDec / 100.0, drained, 2.0);
    }
}
