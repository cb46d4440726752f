#pragma once
// The data of the order window's five charts (pictures are drawn by the window): fuel, path,
// speed and tachogram over time, one point a sample one minute apart from startTime + 1 min,
// and the daily movement bars.
#include "calc_car.h"
#include "kdd_sample.h"

#include <QDate>
#include <QString>
#include <vector>

struct TChartPoint {
    double X = 0;   // date-time
    double Y = 0;
};

struct TDayMoveBar {
    double X = 0;        // the day's date + 1 second
    QDate Day;
    QString Label;       // "dd.MM.yyyy"
    int Minutes = 0;     // minutes of movement that day
    int Hours() const { return Minutes / 60; }
    // The bar's value as a time of day (a full day of movement gives 1.0).
    double TimeOfDay() const { return Minutes / 1440.0; }
};

struct TOrderChartData {
    std::vector<TChartPoint> Fuel;    // litres ("Объем топлива / Время")
    std::vector<TChartPoint> Path;    // km ("Пройденный путь / Время")
    std::vector<TChartPoint> Speed;   // km/h ("Скорость / Время")
    std::vector<TChartPoint> RPM;     // rev/min ("Частота двигателя / Время")
    double FuelAxisMax = 0;           // the fuel chart's left axis runs from 0 to this
    double BestRPM = 0;               // the tachogram's horizontal line
    std::vector<TDayMoveBar> DayMove; // "Суточная работа двигателя"
};

TOrderChartData BuildOrderCharts(const TKDDData& series, const TCalcCar& car, double startTime);
