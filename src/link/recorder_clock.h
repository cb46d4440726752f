#pragma once
// The recorder's clock on the link: the cmdSetClock payload and the rpClock reply, both in packed
// BCD. Times are the program's doubles (days since 1899-12-30, the fraction is the time of day).
//
// Century convention: cmdSetClock sets bit 7 of the month byte for years from 2000 on. The
// recorder keeps what the office set and reports the same flag back, so a reply with the flag set
// is read as 2000 + year and one with the flag clear as 1900 + year.
#include <QDateTime>
#include <array>
#include <cstdint>

namespace kemlink {

double DateTimeToDays(const QDateTime& t);
QDateTime DaysToDateTime(double days);

uint8_t ToBcd(int v);     // values above 99 (and below 0) are sent as 0
int FromBcd(uint8_t b);   // -1 when a nibble is not a decimal digit

// 16-byte payload: 0, 0, seconds, minutes, hours, day of week (1 = Sunday), day, month | century, year, filler.
std::array<uint8_t, 16> SetClockPayload(const QDateTime& t);

// The 8 data bytes of rpClock; 0 when a field is out of range.
double DecodeClockReply(const uint8_t* data);
// The reply a recorder gives for a clock reading t (24-hour format).
std::array<uint8_t, 8> EncodeClockReply(const QDateTime& t);

}  // namespace kemlink
