// End to end without windows: the office's header on the simulated carrier, a trip driven by the
// simulator, the protocol read over the link by kemsys-cli, decoded by kemsys-cli.
#include "../link/sim_process.h"
#include "e2e_trip.h"
#include "temp_dir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

QJsonObject Truth(const QString& answer)
{
    return QJsonDocument::fromJson(answer.mid(answer.indexOf('{')).toUtf8()).object();
}

double Sum(const QJsonArray& a)
{
    double s = 0;
    for (const auto& v : a)
        s += v.toDouble();
    return s;
}

}  // namespace

TEST(DriveReadDecode, FiguresMatchTheScenario)
{
    TestDir dir;
    QFile header(dir.file("header.bin"));
    ASSERT_TRUE(header.open(QIODevice::WriteOnly));
    const TOrderHeader h = TestTripHeader();
    header.write(reinterpret_cast<const char*>(h.data()), hdr::kSize);
    header.close();

    SimProcess sim;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(sim.command("clear").startsWith("ok"));
    ASSERT_TRUE(sim.command("load " + dir.file("header.bin") + " 0").startsWith("ok"));
    const QString answer = sim.command("drive " + ScenarioPath("city-day.trip"));
    ASSERT_TRUE(answer.startsWith("ok")) << qPrintable(answer);
    const QJsonObject truth = Truth(answer);
    ASSERT_TRUE(truth["complete"].toBool());

    QJsonObject read, decoded;
    QString errors;
    ASSERT_EQ(RunProgram("kemsys-cli", {"device", "read", "--port", sim.path(), "--out", dir.file("trip.kpr")}, &read,
                         &errors, dir.path()),
              0)
        << qPrintable(errors);
    EXPECT_EQ(read["records"].toInt(), truth["records"].toInt());
    ASSERT_EQ(RunProgram("kemsys-cli", {"decode", dir.file("trip.kpr")}, &decoded, &errors, dir.path()), 0)
        << qPrintable(errors);

    const QJsonObject st = decoded["statistics"].toObject();
    EXPECT_EQ(decoded["samples"].toInt(), truth["minutes"].toInt());
    // Distance and moving time are exact: the statistics add up the same rounded minutes.
    EXPECT_EQ(st["PathReal"].toInt(), int(truth["distance_km"].toDouble()));
    EXPECT_EQ(st["MovingTime"].toInt(), truth["moving_minutes"].toInt() * 60);
    EXPECT_EQ(st["RegOffCount"].toInt(), truth["power_offs"].toInt());
    // Levels within 1 l: the filters average a few minutes of a steady level. Event volumes within
    // 2 l: the averaging spreads a step over its window and the marked run takes in a few minutes
    // of consumption at its edges.
    EXPECT_NEAR(st["StartFuelVol1"].toInt() / 100.0, truth["start_level1_l"].toDouble(), 1.0);
    EXPECT_NEAR(st["EndFuelVol1"].toInt() / 100.0, truth["end_level1_l"].toDouble(), 1.0);
    EXPECT_EQ(st["FuelIncCount"].toInt(), truth["refuels_l"].toArray().size());
    EXPECT_EQ(st["FuelDecCount"].toInt(), truth["drains_l"].toArray().size());
    EXPECT_NEAR(st["TotalFuelInc"].toInt() / 100.0, Sum(truth["refuels_l"].toArray()), 2.0);
    EXPECT_NEAR(st["TotalFuelDec"].toInt() / 100.0, Sum(truth["drains_l"].toArray()), 2.0);
}

TEST(DriveReadDecode, DriveNeedsAnOrderHeader)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(sim.command("clear").startsWith("ok"));
    EXPECT_TRUE(sim.command("drive " + ScenarioPath("highway.trip")).startsWith("error"));
    EXPECT_TRUE(sim.command("drive /nonexistent.trip").startsWith("error"));
    EXPECT_TRUE(sim.command("calibrate " + ScenarioPath("two-tank.calib")).startsWith("ok"));
}
