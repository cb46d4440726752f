// 80-bit reals: any ten bytes read without harm; every finite double survives bytes and back.
#include "extended_real.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kExtendedSize) return 0;
    (void)ExtendedFromBytes(data);
    double d;
    std::memcpy(&d, data, sizeof d);
    if (!std::isfinite(d)) return 0;
    uint8_t b[kExtendedSize];
    ExtendedToBytes(d, b);
    if (double(ExtendedFromBytes(b)) != d) std::abort();
    return 0;
}
