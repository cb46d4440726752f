// Any sample series and car values through fuel-event marking, statistics, their texts and the
// chart data: nothing may crash, overflow or loop without bound.
#include "calc_statistics.h"
#include "fuel_events.h"
#include "order_charts.h"
#include "statistics_view.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr size_t kCarBytes = sizeof(TCalcCar) + 2 * sizeof(double) + 1;
    if (size < kCarBytes) return 0;
    TCalcCar car;
    std::memcpy(&car, data, sizeof car);
    double period[2];
    std::memcpy(period, data + sizeof car, sizeof period);
    const uint8_t switches = data[kCarBytes - 1];
    data += kCarBytes, size -= kCarBytes;

    TKDDData series(size / sizeof(TKDDSample));
    if (!series.empty()) std::memcpy(series.data(), data, series.size() * sizeof(TKDDSample));

    TFilterSettings filters = DefaultFilterSettings();
    filters.UseFilter1 = switches & 1, filters.UseFilter2 = switches & 2, filters.UseFilterAvg = switches & 4;
    filters.SkipPauses = switches & 8;
    MarkFuelEvents(series, car, filters);

    const double start = 46000.0 + (switches >> 4);
    TProtokolCalcData calc;
    double ps = (switches & 0x10) ? period[0] : 0, pe = (switches & 0x10) ? period[1] : 0;
    if (ps != ps || pe != pe) ps = pe = 0;
    if (CalcStatistics(series, car, calc, ps, pe, start)) ShowStatistics(calc, car, '.');
    BuildOrderCharts(series, car, start);
    return 0;
}
