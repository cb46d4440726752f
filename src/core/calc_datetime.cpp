#include "calc_datetime.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMsPerDay = 86400000.0;
// About 1 ... 9999 AD in days from 1899-12-30.
constexpr double kMinDays = -693593.0, kMaxDays = 2958465.0;

double Clamped(double days)
{
    if (!(days == days)) return 0;
    return std::clamp(days, kMinDays, kMaxDays);
}

}  // namespace

int64_t MillisecondsFrom(double a, double b)
{
    return int64_t(std::llround((Clamped(b) - Clamped(a)) * kMsPerDay));
}

int64_t WholeSecondsBetween(double a, double b)
{
    const int64_t ms = MillisecondsFrom(a, b);
    return (ms < 0 ? -ms : ms) / 1000;
}

namespace {

void SplitDays(double dateTime, int64_t& days, int64_t& msOfDay)
{
    const int64_t ms = int64_t(std::llround(Clamped(dateTime) * kMsPerDay));
    const int64_t msPerDay = int64_t(kMsPerDay);
    days = ms / msPerDay;
    msOfDay = ms % msPerDay;
    if (msOfDay < 0) msOfDay += msPerDay, --days;
}

}  // namespace

int64_t DayNumberOf(double dateTime)
{
    int64_t days, ms;
    SplitDays(dateTime, days, ms);
    return days;
}

QDate DateOfDayNumber(int64_t day)
{
    return QDate(1899, 12, 30).addDays(day);
}

QDateTime DateTimeOf(double dateTime)
{
    int64_t days, ms;
    SplitDays(dateTime, days, ms);
    return QDateTime(DateOfDayNumber(days), QTime::fromMSecsSinceStartOfDay(int(ms)));
}
