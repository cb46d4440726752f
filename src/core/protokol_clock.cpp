#include "protokol_clock.h"

namespace {

int bcd(uint8_t b, int highMask) { return ((b >> 4) & highMask) * 10 + (b & 15); }

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

constexpr int64_t kEpochTo1970Days = 25569;   // 1899-12-30 ... 1970-01-01

}  // namespace

TProtokolSeconds ProtokolSecondsOf(int year, int month, int day, int hour, int minute, int second)
{
    const int64_t days = daysFromCivil(year, unsigned(month), unsigned(day)) + kEpochTo1970Days;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

std::optional<TProtokolSeconds> DecodeProtokolClock(const TProtokolRecord& r)
{
    const int second = bcd(r.b[3], 7);
    const int minute = bcd(r.b[4], 7);
    int hour;
    const uint8_t h = r.b[5];
    if (h & 0x40) {   // 12-hour mode, bit 5 = PM
        hour = bcd(h, 1);
        if (hour >= 12)
            hour -= 12;
        if (h & 0x20)
            hour += 12;
    } else {
        hour = bcd(h, 3);
    }
    const int day = bcd(r.b[7], 3);
    const int month = bcd(r.b[8], 1);
    const int year = 2000 + (r.b[9] >> 4) * 10 + (r.b[9] & 15);
    if (second > 59 || minute > 59 || hour > 23 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    return ProtokolSecondsOf(year, month, day, hour, minute, second);
}
