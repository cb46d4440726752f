#pragma once
// What the order window shows of the statistics: the text and enabled state of every read-only
// field, and the lines of the refuel and drain list. A field whose value does not apply to the
// car (no speed sensor, no tachometer, no second tank) shows "0" and is disabled.
#include "calc_car.h"
#include "decimal_text.h"
#include "protokol_calc_data.h"

#include <QString>
#include <QStringList>
#include <vector>

struct TStatisticsField {
    QString Name;   // the window's control: "edtAverSpeed", ...
    QString Text;
    bool Enabled = true;
};

struct TStatisticsView {
    std::vector<TStatisticsField> Fields;   // in the window's order
    QStringList FuelActions;                 // memFuelActions; the window selects the first line

    // The field of that control name, or nullptr.
    const TStatisticsField* Field(const QString& name) const;
};

TStatisticsView ShowStatistics(const TProtokolCalcData& calc, const TCalcCar& car,
                               QChar decimalSeparator = SystemDecimalSeparator());
