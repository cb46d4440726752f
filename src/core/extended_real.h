#pragma once
// The 10-byte x87 extended real of recorder and file blocks: a 64-bit significand with an explicit
// integer bit in bytes 0-7, then the sign bit and a 15-bit exponent (bias 16383) in bytes 8-9.
// The conversion is done arithmetically, so it gives the same bytes on any host.
#include <cstdint>

constexpr int kExtendedSize = 10;

void ExtendedToBytes(long double value, uint8_t out[kExtendedSize]);
long double ExtendedFromBytes(const uint8_t in[kExtendedSize]);
