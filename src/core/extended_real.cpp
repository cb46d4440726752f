#include "extended_real.h"

#include <cmath>

namespace {
constexpr int kBias = 16383;
constexpr int kMaxExponent = 0x7FFF;

void store(uint8_t out[kExtendedSize], uint64_t significand, int exponent, bool negative)
{
    for (int i = 0; i < 8; ++i) out[i] = uint8_t(significand >> (8 * i));
    const unsigned se = (negative ? 0x8000u : 0u) | unsigned(exponent & kMaxExponent);
    out[8] = uint8_t(se);
    out[9] = uint8_t(se >> 8);
}
}  // namespace

void ExtendedToBytes(long double value, uint8_t out[kExtendedSize])
{
    const bool negative = std::signbit(value);
    if (std::isnan(value)) return store(out, 0xC000000000000000ull, kMaxExponent, negative);
    if (std::isinf(value)) return store(out, 0x8000000000000000ull, kMaxExponent, negative);
    if (value == 0) return store(out, 0, 0, negative);

    int e = 0;
    const long double m = std::frexp(std::fabs(value), &e);  // value = m * 2^e, m in [0.5, 1)
    int exponent = e - 1 + kBias;
    // A significand with the integer bit at bit 63; a subnormal keeps fewer bits.
    int shift = 64;
    if (exponent <= 0) {
        shift += exponent - 1;
        exponent = 0;
    }
    if (shift < 0) return store(out, 0, 0, negative);  // below the smallest subnormal
    long double s = std::nearbyint(std::ldexp(m, shift));
    if (s >= std::ldexp(1.0L, 64)) {  // rounding carried into a new bit
        s = std::ldexp(s, -1);
        ++exponent;
    }
    if (exponent >= kMaxExponent) return store(out, 0x8000000000000000ull, kMaxExponent, negative);
    store(out, uint64_t(s), exponent, negative);
}

long double ExtendedFromBytes(const uint8_t in[kExtendedSize])
{
    uint64_t significand = 0;
    for (int i = 0; i < 8; ++i) significand |= uint64_t(in[i]) << (8 * i);
    const unsigned se = unsigned(in[8]) | (unsigned(in[9]) << 8);
    const bool negative = (se & 0x8000u) != 0;
    const int exponent = int(se & kMaxExponent);
    long double v;
    if (exponent == kMaxExponent) {
        v = (significand << 1) == 0 ? INFINITY : NAN;
    } else {
        // Denormals use the exponent 1 - bias; an unnormal (integer bit clear) reads as its value.
        const int e = (exponent == 0 ? 1 : exponent) - kBias - 63;
        const long double high = std::ldexp(static_cast<long double>(significand >> 32), e + 32);
        const long double low = std::ldexp(static_cast<long double>(significand & 0xFFFFFFFFull), e);
        v = high + low;
    }
    return negative ? -v : v;
}
