// Control commands that record on the carrier what a recorder in a car would: a trip after the
// order header ("drive") and a calibration run ("calibrate").
#include "sim_commands.h"

#include "calibration_run.h"
#include "car_data.h"
#include "decode_order.h"
#include "order_header.h"
#include "trip_generator.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool ReadText(const std::string& path, QString& text)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

TOrderHeader CarrierHeader(const SimCarrier& carrier)
{
    QByteArray bytes(SimCarrier::kHeaderBytes, '\0');
    carrier.readBytes(0, reinterpret_cast<uint8_t*>(bytes.data()), size_t(bytes.size()));
    return TOrderHeader::FromBytes(bytes);
}

// Appends the records at the recording position (from the protocol start when the position
// still points into the header) and marks the carrier as holding data.
int Record(SimCarrier& carrier, const TProtokolRecords& records, bool calibration)
{
    if (carrier.positionPage() < SimCarrier::kProtocolStartPage)
        carrier.setPosition(SimCarrier::kProtocolStartPage, 0);
    const int written = records.empty() ? 0
                                        : carrier.appendRecords(reinterpret_cast<const uint8_t*>(records.data()),
                                                                int(records.size()));
    carrier.setMode(2);
    carrier.setCalibration(calibration);
    carrier.markDirty();
    return written;
}

QJsonArray Litres(const std::vector<double>& values)
{
    QJsonArray a;
    for (double v : values)
        a.append(std::round(v * 100) / 100);
    return a;
}

QJsonObject TruthJson(const TTripTruth& t, int written, size_t records)
{
    auto litres = [](double v) { return std::round(v * 100) / 100; };
    return {{"minutes", t.minutes},
            {"distance_km", double(t.distanceMetres) / 1000},
            {"moving_minutes", t.movingMinutes},
            {"engine_minutes", t.engineMinutes},
            {"start_level1_l", litres(t.startLevel1)},
            {"end_level1_l", litres(t.endLevel1)},
            {"start_level2_l", litres(t.startLevel2)},
            {"end_level2_l", litres(t.endLevel2)},
            {"refuels_l", Litres(t.refuels)},
            {"drains_l", Litres(t.drains)},
            {"power_offs", t.powerOffs},
            {"records", int(written)},
            {"complete", size_t(written) == records}};
}

std::string Drive(SimContext& ctx, const SimArgs& args)
{
    QString text, error;
    TTripScenario scenario;
    if (args.size() != 1)
        return SimError("usage: drive SCENARIO");
    if (!ReadText(args[0], text))
        return SimError("cannot read " + args[0]);
    if (!ParseTripScenario(text, scenario, error))
        return SimError(error.toStdString());
    const TOrderHeader header = CarrierHeader(ctx.carrier);
    if (!header.IsIntact())
        return SimError("no intact order header on the carrier");
    TCarData car;
    FillCarFromHeader(car, header);
    if (!scenario.hasStart) {
        const QDateTime now = ctx.carrier.clockNow();
        scenario.start = ProtokolSecondsOf(now.date().year(), now.date().month(), now.date().day(),
                                           now.time().hour(), now.time().minute(), 0);
    }
    const TTrip trip = GenerateTrip(scenario, DecodeCarFrom(car, header.CarUsePowerForTemp()),
                                    DecodeTablesFromHeader(car, header));
    const int written = Record(ctx.carrier, trip.records, false);
    const QJsonObject truth = TruthJson(trip.truth, written, trip.records.size());
    return SimOk(QJsonDocument(truth).toJson(QJsonDocument::Compact).toStdString());
}

std::string Calibrate(SimContext& ctx, const SimArgs& args)
{
    QString text, error;
    TCalibrationScenario scenario;
    if (args.size() != 1)
        return SimError("usage: calibrate SCENARIO");
    if (!ReadText(args[0], text))
        return SimError("cannot read " + args[0]);
    if (!ParseCalibrationScenario(text, scenario, error))
        return SimError(error.toStdString());
    const TProtokolRecords records = GenerateCalibrationRun(scenario);
    const int written = Record(ctx.carrier, records, true);
    return SimOk(std::to_string(scenario.Points.size()) + " points, " + std::to_string(written) + " records");
}

const SimCommand regDrive("drive", "drive SCENARIO      append a trip after the order header; prints its true figures",
                          Drive);
const SimCommand regCalibrate("calibrate", "calibrate SCENARIO  append a calibration run (block, header, points)",
                              Calibrate);

}  // namespace
