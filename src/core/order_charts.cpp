#include "order_charts.h"

#include "calc_datetime.h"

#include <cmath>

namespace {

// Movement per day of the month: a bucket is closed when x falls on another day of the month
// than its day D.
class TDayMoveBuilder {
public:
    TDayMoveBuilder(std::vector<TDayMoveBar>& bars, double startTime) : bars_(bars) { Open(startTime); }

    void Add(double x, bool moving)
    {
        if (moving) seconds_ += 60;
        const int64_t day = DayNumberOf(x);
        if (day == dayNumber_ || DateOfDayNumber(day).day() == dayOfMonth_) return;
        Close();
        Open(x);
    }

    void Close()
    {
        TDayMoveBar bar;
        bar.Day = DateOfDayNumber(dayNumber_);
        bar.X = AddSeconds(double(dayNumber_), 1);
        bar.Label = bar.Day.toString(QStringLiteral("dd.MM.yyyy"));
        bar.Minutes = int(seconds_ / 60);
        bars_.push_back(bar);
        seconds_ = 0;
    }

private:
    void Open(double dayTime)
    {
        dayNumber_ = DayNumberOf(dayTime);
        dayOfMonth_ = DateOfDayNumber(dayNumber_).day();
    }

    std::vector<TDayMoveBar>& bars_;
    int64_t dayNumber_ = 0;
    int dayOfMonth_ = 0;
    int64_t seconds_ = 0;
};

}  // namespace

TOrderChartData BuildOrderCharts(const TKDDData& series, const TCalcCar& car, double startTime)
{
    TOrderChartData d;
    const size_t n = series.size();
    d.Fuel.reserve(n), d.Path.reserve(n), d.Speed.reserve(n), d.RPM.reserve(n);
    d.FuelAxisMax = std::nearbyint((double(car.CarTank1Vol) + double(car.CarTank2Vol)) * 1.1);
    d.BestRPM = car.CarBestRPM;

    TDayMoveBuilder days(d.DayMove, startTime);
    double fuel = 0, path = 0;
    for (size_t i = 1; i <= n; ++i) {
        const TKDDSample& s = series[i - 1];
        const double x = AddSeconds(startTime, 60 * int64_t(i));
        const bool complete = IsCompleteMeasurement(s);
        if (complete) {
            fuel = double(FuelLevel(car, s.Tank1, s.Tank2)) / 100.0;
            path = s.Path / 1000.0;
        }
        d.Fuel.push_back({x, fuel});
        d.Path.push_back({x, path});
        d.Speed.push_back({x, complete ? double(s.Speed) : 0.0});
        d.RPM.push_back({x, complete ? double(s.RPM) : 0.0});
        days.Add(x, complete && s.Speed != 0);
    }
    days.Close();
    return d;
}
