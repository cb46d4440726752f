#include "recorder_clock.h"

#include <cmath>

namespace kemlink {

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

// Qt's day of week is 1 = Monday ... 7 = Sunday; the recorder counts 1 = Sunday ... 7 = Saturday.
int RecorderWeekDay(const QDate& d) { return d.dayOfWeek() % 7 + 1; }
}  // namespace

double DateTimeToDays(const QDateTime& t)
{
    const double days = double(kEpoch.daysTo(t.date()));
    return days + t.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime DaysToDateTime(double days)
{
    // Built from date and time of day, so that a daylight-saving gap cannot shift the wall time.
    double whole = std::floor(days);
    qint64 ms = qint64(std::llround((days - whole) * kMsPerDay));
    if (ms >= qint64(kMsPerDay)) {
        whole += 1;
        ms = 0;
    }
    return QDateTime(kEpoch.addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

uint8_t ToBcd(int v)
{
    if (v < 0 || v > 99) return 0;
    return uint8_t(((v / 10) << 4) | (v % 10));
}

int FromBcd(uint8_t b)
{
    const int hi = b >> 4, lo = b & 0x0F;
    if (hi > 9 || lo > 9) return -1;
    return hi * 10 + lo;
}

std::array<uint8_t, 16> SetClockPayload(const QDateTime& t)
{
    std::array<uint8_t, 16> p{};
    const QDate d = t.date();
    const QTime tm = t.time();
    const bool modern = d.year() >= 2000;
    p[2] = ToBcd(tm.second());
    p[3] = ToBcd(tm.minute());
    p[4] = ToBcd(tm.hour());
    p[5] = ToBcd(RecorderWeekDay(d));
    p[6] = ToBcd(d.day());
    p[7] = uint8_t(ToBcd(d.month()) | (modern ? 0x80 : 0));
    p[8] = ToBcd(d.year() - (modern ? 2000 : 1900));
    return p;
}

double DecodeClockReply(const uint8_t* r)
{
    if (r[0] & 0x80) return 0;
    const int sec = FromBcd(r[1]);
    const int min = FromBcd(r[2]);
    int hour;
    if (r[3] & 0x40) {  // 12-hour format, bit 5 = PM
        const int h12 = FromBcd(r[3] & 0x1F);
        if (h12 < 1 || h12 > 12) return 0;
        hour = h12 % 12 + ((r[3] & 0x20) ? 12 : 0);
    } else {
        hour = FromBcd(r[3] & 0x3F);
    }
    const int dow = FromBcd(r[4]);
    const int day = FromBcd(r[5]);
    const int month = FromBcd(r[6] & 0x7F);
    const int yy = FromBcd(r[7]);
    if (sec < 0 || sec > 59 || min < 0 || min > 59 || hour < 0 || hour > 23 || dow < 0 || dow > 7 || yy < 0)
        return 0;
    const QDate date(((r[6] & 0x80) ? 2000 : 1900) + yy, month, day);
    if (!date.isValid()) return 0;
    return DateTimeToDays(QDateTime(date, QTime(hour, min, sec)));
}

std::array<uint8_t, 8> EncodeClockReply(const QDateTime& t)
{
    const auto p = SetClockPayload(t);
    return {0, p[2], p[3], p[4], p[5], p[6], p[7], p[8]};
}

}  // namespace kemlink
