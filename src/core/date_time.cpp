#include "date_time.h"

#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
constexpr double kMaxDays = 2958466.0;  // beyond 9999-12-31
}  // namespace

QDateTime DateTimeFromDays(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > kMaxDays) return {};
    double whole = std::trunc(days);
    qint64 ms = qint64(std::llround(std::fabs(days - whole) * kMsPerDay));
    if (ms >= qint64(kMsPerDay)) {  // the time of day rounded up to the next midnight
        ms -= qint64(kMsPerDay);
        whole += 1;
    }
    return QDateTime(kEpoch.addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

double DaysFromDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid()) return 0;
    const double whole = double(kEpoch.daysTo(dateTime.date()));
    const double fraction = dateTime.time().msecsSinceStartOfDay() / kMsPerDay;
    return whole < 0 ? whole - fraction : whole + fraction;
}
