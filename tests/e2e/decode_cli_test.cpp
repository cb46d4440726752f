// kemsys-cli decode on protocol files written from generated trips.
#include "decode_order.h"
#include "e2e_trip.h"
#include "protocol_file.h"
#include "temp_dir.h"
#include "trip_generator.h"

#include <QFile>
#include <QJsonArray>
#include <gtest/gtest.h>

namespace {

TTrip TripFor(const TOrderHeader& header, const QString& scenarioFile)
{
    QFile f(ScenarioPath(scenarioFile));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    TTripScenario sc;
    QString error;
    EXPECT_TRUE(ParseTripScenario(QString::fromUtf8(f.readAll()), sc, error)) << qPrintable(error);
    TCarData car;
    FillCarFromHeader(car, header);
    return GenerateTrip(sc, DecodeCarFrom(car, false), DecodeTablesFromHeader(car, header));
}

}  // namespace

TEST(DecodeCli, ReportsTheTripOfAProtocolFile)
{
    TestDir dir;
    const TOrderHeader header = TestTripHeader();
    const TTrip trip = TripFor(header, "city-day.trip");
    QString path;
    ASSERT_TRUE(SaveProtocolFile(trip.records, header, dir.path(), kpr::kOrder, &path));

    QJsonObject out;
    QString errors;
    ASSERT_EQ(RunProgram("kemsys-cli", {"decode", path, "--samples", dir.file("s.csv")}, &out, &errors), 0)
        << qPrintable(errors);
    const QJsonObject st = out["statistics"].toObject();
    EXPECT_EQ(out["samples"].toInt(), trip.truth.minutes);
    EXPECT_EQ(out["car"].toString(), "Х777ХХ");
    EXPECT_EQ(st["PathReal"].toInt(), trip.truth.distanceMetres / 1000);
    EXPECT_EQ(st["MovingTime"].toInt(), trip.truth.movingMinutes * 60);
    EXPECT_EQ(st["RegOffCount"].toInt(), 1);
    EXPECT_NEAR(st["StartFuelVol1"].toInt() / 100.0, trip.truth.startLevel1, 1.0);
    EXPECT_NEAR(st["EndFuelVol1"].toInt() / 100.0, trip.truth.endLevel1, 1.0);
    const QJsonArray events = out["fuel_events"].toArray();
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].toObject()["kind"].toString(), "refuel");
    EXPECT_NEAR(events[0].toObject()["litres"].toDouble(), 60, 2.0);
    EXPECT_EQ(events[1].toObject()["kind"].toString(), "drain");
    EXPECT_NEAR(events[1].toObject()["litres"].toDouble(), 25, 2.0);

    QFile csv(dir.file("s.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), trip.truth.minutes + 1);
}

TEST(DecodeCli, WithoutFilteringTheLevelsAreTheRawOnes)
{
    TestDir dir;
    const TOrderHeader header = TestTripHeader();
    const TTrip trip = TripFor(header, "highway.trip");
    QString path;
    ASSERT_TRUE(SaveProtocolFile(trip.records, header, dir.path(), kpr::kOrder, &path));
    QJsonObject out;
    ASSERT_EQ(RunProgram("kemsys-cli", {"decode", path, "--no-filter"}, &out), 0);
    EXPECT_FALSE(out["filtered"].toBool());
    const QJsonObject st = out["statistics"].toObject();
    // Unfiltered, the levels are the decoded ones, except that the first and last sample of an
    // engine run take their inner neighbour's level: one minute's consumption (20 l/h) off.
    EXPECT_NEAR(st["StartFuelVol1"].toInt() / 100.0, trip.truth.startLevel1, 20.0 / 60 + 0.011);
    EXPECT_NEAR(st["EndFuelVol1"].toInt() / 100.0, trip.truth.endLevel1, 18.0 / 60 + 0.011);
    EXPECT_TRUE(out["fuel_events"].toArray().isEmpty());
}

TEST(DecodeCli, RefusesWhatIsNotAProtocolFile)
{
    TestDir dir;
    QFile f(dir.file("x.kpr"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a zip");
    f.close();
    EXPECT_NE(RunProgram("kemsys-cli", {"decode", dir.file("x.kpr")}, nullptr), 0);
    EXPECT_NE(RunProgram("kemsys-cli", {"decode", dir.file("missing.kpr")}, nullptr), 0);
    EXPECT_NE(RunProgram("kemsys-cli", {"decode"}, nullptr), 0);
}
