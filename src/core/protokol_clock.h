#pragma once
// The recorder's clock: BCD fields in clock records, 12- or 24-hour mode.
#include "protokol_record.h"

#include <cstdint>
#include <optional>

// Seconds since 1899-12-30 00:00 (the epoch of the program's date-time doubles).
using TProtokolSeconds = int64_t;

// Time of a clock record (bytes 3 ... 9); nothing when the fields are not a valid date and time.
std::optional<TProtokolSeconds> DecodeProtokolClock(const TProtokolRecord& record);

// Seconds of a civil date and time since 1899-12-30; the date must be valid.
TProtokolSeconds ProtokolSecondsOf(int year, int month, int day, int hour, int minute, int second);

// The program's date-time double: days since 1899-12-30, the fraction the time of day.
inline double ProtokolSecondsToDateTime(TProtokolSeconds s) { return double(s) / 86400.0; }
