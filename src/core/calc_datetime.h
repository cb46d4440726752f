#pragma once
// The program's date-time doubles (days since 1899-12-30, the fraction the time of day) as the
// statistics and charts use them.
#include <QDateTime>
#include <cstdint>

constexpr double kSecondsPerDay = 86400.0;

inline double AddSeconds(double dateTime, int64_t seconds)
{
    return dateTime + double(seconds) / kSecondsPerDay;
}

// Whole seconds between two date-times: the absolute difference, counted to the millisecond
// first so that a time stored as 0.999999 s short of a whole second still counts that second.
int64_t WholeSecondsBetween(double a, double b);

// Signed milliseconds from a to b, rounded.
int64_t MillisecondsFrom(double a, double b);

// The day a date-time falls on, counted from 1899-12-30 (to the millisecond, as DateTimeOf).
int64_t DayNumberOf(double dateTime);
QDate DateOfDayNumber(int64_t day);

// Local date and time of a date-time double (to the millisecond; absurd values are clamped to
// the years 1 ... 9999).
QDateTime DateTimeOf(double dateTime);
