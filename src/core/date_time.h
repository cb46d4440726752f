#pragma once
// Date-times inside binary blocks are doubles counting days since 1899-12-30; the fraction is the
// time of day (for days before that date the fraction still counts forwards from midnight).
#include <QDateTime>

// An invalid QDateTime for NaN, infinities and values outside the calendar.
QDateTime DateTimeFromDays(double days);
// 0 for an invalid QDateTime. Milliseconds are kept.
double DaysFromDateTime(const QDateTime& dateTime);
