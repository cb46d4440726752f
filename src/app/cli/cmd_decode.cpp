// kemsys-cli decode FILE.kpr [--db LOCATION] [--no-filter] [--samples FILE.csv]
// Decodes a protocol file with the program's own settings, marks refuels and drains, computes the
// trip statistics and prints them as JSON.
#include "cli_registry.h"
#include "decode_samples_csv.h"

#include "calc_statistics.h"
#include "car_data.h"
#include "config.h"
#include "data.h"
#include "date_time.h"
#include "decode_order.h"
#include "decode_settings.h"
#include "decode_tables_loader.h"
#include "fuel_events.h"
#include "interaction.h"
#include "protocol_file.h"
#include "schema_upgrade.h"
#include "stores/car_store.h"

#include <QJsonArray>
#include <QJsonObject>
#include <memory>

namespace {

TCalcCar CalcCarOf(const TCarData& car, const TOrderHeader& header)
{
    TCalcCar c;
    c.CarTank1Vol = car.CarTank1Vol;
    c.CarTank2Vol = car.CarTank2Vol;
    c.CarIncCriterion = uint32_t(std::max(car.CarIncCriterion, 0));
    c.CarDecCriterion = uint32_t(std::max(car.CarDecCriterion, 0));
    c.CarFuelMeasureType = car.CarFuelMeasureType;
    c.CarSpeedType = car.CarSpeedType;
    c.CarTachType = car.CarTachType;
    c.CarBestRPM = header.CarBestRPM();
    return c;
}

QString TimeText(double days) { return DateTimeFromDays(days).toString(Qt::ISODate); }

QJsonObject StatisticsJson(const TProtokolCalcData& c)
{
    return {{"AverSpeed", c.AverSpeed},
            {"AverSpeedTotal", c.AverSpeedTotal},
            {"MaxSpeed", c.MaxSpeed},
            {"PathReal", c.PathReal},
            {"PathRol", c.PathRol},
            {"EngineActiveTime", c.EngineActiveTime},
            {"EngineIdleTime", c.EngineIdleTime},
            {"StartFuelVol1", c.StartFuelVol1},
            {"StartFuelVol2", c.StartFuelVol2},
            {"EndFuelVol1", c.EndFuelVol1},
            {"EndFuelVol2", c.EndFuelVol2},
            {"FuelExpIdle", c.FuelExpIdle},
            {"FuelExpTotal", c.FuelExpTotal},
            {"FuelExpTotalClean", c.FuelExpTotalClean},
            {"FuelIncCount", c.FuelIncCount},
            {"TotalFuelInc", c.TotalFuelInc},
            {"FuelDecCount", c.FuelDecCount},
            {"TotalFuelDec", c.TotalFuelDec},
            {"StopTime", c.StopTime},
            {"TotalTime", c.TotalTime},
            {"MovingTime", c.TotalTime - c.StopTime},
            {"RolTime", c.RolTime},
            {"AverGSM", double(c.AverGSM)},
            {"AverRPM", c.AverRPM},
            {"RegOffCount", c.RegOffCount}};
}

QJsonArray FuelEventsJson(const TFuelActions& actions)
{
    QJsonArray out;
    for (const TFuelAction& a : actions) {
        const bool refuel = a.Amount >= 0;
        const int32_t centilitres = refuel ? a.Amount : -1 - a.Amount;
        out.append(QJsonObject{{"kind", refuel ? "refuel" : "drain"},
                               {"start", TimeText(a.StartTime)},
                               {"end", TimeText(a.EndTime)},
                               {"litres", centilitres / 100.0}});
    }
    return out;
}

// The car and tables: from the database when one is given (the recorder's tables, the car row),
// else everything from the header, as for a car the database does not know.
bool CarAndTables(const CliArgs& args, const TOrderHeader& header, Interaction& ui, TCarData& car,
                  TDecodeTables& tables)
{
    FillCarFromHeader(car, header);
    const QString location = args.option("--db");
    if (location.isEmpty()) {
        tables = DecodeTablesFromHeader(car, header);
        return true;
    }
    TData data(ui, AppConfig().DatabaseUser, AppConfig().DatabasePassword);
    if (!data.Open(location)) {
        CliFail("cannot open the database " + location + ": " + data.LastErrorText());
        return false;
    }
    UpgradeSchema(data);
    std::optional<TDbRow> row;
    if (TCarStore(data).find(car.CarNumber, row) && row)
        FillCarFromRow(car, row->values());
    const bool ok = LoadDecodeTables(data, car, header, ui, tables);
    data.Rollback();
    return ok;
}

int RunDecode(const CliArgs& args, Interaction& ui)
{
    if (args.positional.size() != 1)
        return CliFail("usage: decode FILE.kpr [--db LOCATION] [--no-filter] [--samples FILE.csv]");
    SetDefaults(AppConfig());
    LoadConfig(AppConfig());

    TOrderHeader header;
    TProtokolRecords records;
    if (!LoadProtocolFile(args.positional[0], &header, &records, ui))
        return CliFail("cannot read the protocol file " + args.positional[0]);
    TCarData car;
    TDecodeTables tables;
    if (!CarAndTables(args, header, ui, car, tables))
        return 1;

    TKDDData samples;
    double start = 0, end = 0;
    TDecodeReport report;
    if (!DecodeProtocol(records, &car, tables, header.CarUsePowerForTemp() != 0, DecodeSettingsFromConfig(AppConfig()),
                        samples, end, start, &report))
        return CliFail("nothing to decode (no records or no car number)");
    if (report.Truncated)
        ui.warning(QString("the series stops at %1 samples: the protocol's clock runs too far").arg(samples.size()));

    TFilterSettings filters = FilterSettingsFrom(AppConfig());
    if (args.has("--no-filter"))
        filters.ApplyFilter = false;
    const TCalcCar calcCar = CalcCarOf(car, header);
    TProtokolCalcData calc;
    double from = 0, to = 0;
    if (!MarkFuelEvents(samples, calcCar, filters) || !CalcStatistics(samples, calcCar, calc, from, to, start))
        return CliFail("the protocol holds no samples");

    const QString csv = args.option("--samples");
    if (!csv.isEmpty() && !WriteSamplesCsv(csv, samples, start))
        return CliFail("cannot write " + csv);

    PrintJson({{"file", args.positional[0]},
               {"car", car.CarNumber},
               {"records", qint64(records.size())},
               {"start", TimeText(start)},
               {"end", TimeText(end)},
               {"samples", qint64(samples.size())},
               {"truncated", report.Truncated},
               {"filtered", filters.ApplyFilter},
               {"statistics", StatisticsJson(calc)},
               {"fuel_events", FuelEventsJson(calc.FuelActions)}});
    return 0;
}

const CliCommand reg("decode", "decode FILE.kpr [--db LOCATION] [--no-filter] [--samples FILE.csv]", RunDecode,
                     {"--db", "--samples"});

}  // namespace
