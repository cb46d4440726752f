#include "decode_tables_loader.h"

#include "decode_order.h"
#include "grad_blob.h"
#include "grad_table.h"
#include "interaction.h"
#include "stores/grad_store.h"
#include "stores/recorder_store.h"
#include "temperature_table.h"

namespace {

constexpr int kTempGradType = 1;

// A table of the recorder row is usable with more than one point, and is then prepared.
bool TableFromRow(const TDbRow& row, const char* column, const TCarData& car, TGrad& out)
{
    out = GradFromBlob(row.bytes(column));
    if (out.size() < 2)
        return false;
    PrepareGrad(out, GradKey(car.CarFuelMeasureType, car.CarUsePowerForVolume));
    return true;
}

TGrad TemperatureTable(TData& data, const QString& serial, const TCarData& car, const TOrderHeader& header)
{
    const bool usePower = header.CarUsePowerForTemp() != 0;
    std::vector<TGradRow> rows;
    if (!serial.isEmpty() && TGradStore(data).points(serial, kTempGradType, rows)) {
        std::vector<TTempGradRow> points;
        for (const TGradRow& r : rows)
            points.push_back({r.u, r.val, r.uPower.isNull() ? 0.0 : r.uPower.toDouble()});
        if (auto t = TemperatureTableFromRows(points, car.CarUPower, usePower))
            return *t;
    }
    return TemperatureTableFromHeader(header.TempPoints(), car.CarUPower);
}

}  // namespace

bool LoadDecodeTables(TData& data, const TCarData& car, const TOrderHeader& header, Interaction& ui,
                      TDecodeTables& out)
{
    out = TDecodeTables{};
    std::optional<TDbRow> row;
    if (!TRecorderStore(data).findByCar(car.CarNumber, row)) {
        ui.error(QStringLiteral("E1739: Ошибка чтения градуировок баков!"));
        return false;
    }
    const bool tank1 = row && TableFromRow(*row, "Tank1K", car, out.Tank1);
    const bool tank2 = row && TableFromRow(*row, "Tank2K", car, out.Tank2);
    if (!tank1) {
        out.Tank1 = PreparedHeaderTankTable(header.Tank1K(), car);
        ui.error(QStringLiteral("E1738: Не найдена градуировка бака 1!"));
    }
    if (!tank2) {
        out.Tank2 = PreparedHeaderTankTable(header.Tank2K(), car);
        if (car.CarTank2Vol != 0)
            ui.error(QStringLiteral("E1756: Не найдена градуировка бака 2!"));
    }
    out.Temp = TemperatureTable(data, row ? row->text("RegSerNum") : QString(), car, header);
    return true;
}
