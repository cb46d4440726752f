// kemsys-cli decode on protocol files written from generated trips.
#include "data.h"
#include "db_create.h"
#include "decode_order.h"
#include "grad_blob.h"
#include "interaction.h"
#include "schema_upgrade.h"
#include "stores/recorder_store.h"
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

TEST(DecodeCli, DatabaseTablesOfTheRecorderWin)
{
    TestDir dir;
    const TOrderHeader header = TestTripHeader();
    const TTrip trip = TripFor(header, "highway.trip");
    QString path;
    ASSERT_TRUE(SaveProtocolFile(trip.records, header, dir.path(), kpr::kOrder, &path));

    // The recorder of the car keeps a table whose volumes are a tenth above the header's.
    const QString db = dir.file("Kem_M.fdb");
    QString error;
    ASSERT_TRUE(CreateDatabase(db, "SYSDBA", "plumbline", error)) << qPrintable(error);
    {
        SilentInteraction silent;
        TData data(silent);
        ASSERT_TRUE(data.Open(db));
        UpgradeSchema(data);
        TGrad larger = GradFromHeaderTable(header.Tank1K());
        for (TGradPoint& p : larger)
            p.VAL *= 1.1L;
        ASSERT_TRUE(TRecorderStore(data).insert({{"RegSerNum", header.RegSerNum()},
                                                 {"CarNumber", header.CarNumber()},
                                                 {"Tank1K", GradToBlob(larger)},
                                                 {"Tank2K", GradToBlob(GradFromHeaderTable(header.Tank2K()))}}));
        ASSERT_TRUE(data.Commit());
    }
    QJsonObject plain, withDb;
    QString errors;
    ASSERT_EQ(RunProgram("kemsys-cli", {"decode", path, "--no-filter"}, &plain), 0);
    ASSERT_EQ(RunProgram("kemsys-cli", {"decode", path, "--no-filter", "--db", db}, &withDb, &errors), 0)
        << qPrintable(errors);
    EXPECT_FALSE(errors.contains("E1738"));
    const int a = plain["statistics"].toObject()["StartFuelVol1"].toInt();
    const int b = withDb["statistics"].toObject()["StartFuelVol1"].toInt();
    EXPECT_NEAR(b, 1.1 * a, 3);
}
