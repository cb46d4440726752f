#include "extended_real.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {
using Bytes = std::array<uint8_t, 10>;

Bytes toBytes(long double v)
{
    Bytes b{};
    ExtendedToBytes(v, b.data());
    return b;
}
}  // namespace

TEST(ExtendedReal, KnownValuesByteForByte)
{
    struct Case {
        long double value;
        Bytes bytes;
    };
    const Case cases[] = {
        {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        {-2.5L, {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}},
        {3000.0L, {0, 0, 0, 0, 0, 0, 0x80, 0xBB, 0x0A, 0x40}},
        {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toBytes(c.value), c.bytes) << double(c.value);
        EXPECT_EQ(ExtendedFromBytes(c.bytes.data()), c.value) << double(c.value);
    }
}

TEST(ExtendedReal, InexactValueReadsBackToTheNearestDouble)
{
    // 12.6 as an x87 extended: 0xC99999999999999A rounded to 64 bits, exponent 3.
    const Bytes stored = {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0xC9, 0x02, 0x40};
    EXPECT_EQ(double(ExtendedFromBytes(stored.data())), 12.6);
    EXPECT_EQ(double(ExtendedFromBytes(toBytes(12.6).data())), 12.6);
    EXPECT_EQ(double(ExtendedFromBytes(toBytes(12.6L).data())), 12.6);
}

TEST(ExtendedReal, RoundTripsDoublesOfEveryRange)
{
    const double values[] = {0.1, -0.1, 1e-300, -1e300, 4.9406564584124654e-324, 1.7976931348623157e308,
                             123456789.125, -7.0, 1.0 / 3.0, 65535.0};
    for (double v : values) EXPECT_EQ(double(ExtendedFromBytes(toBytes(v).data())), v) << v;
}

TEST(ExtendedReal, SpecialValues)
{
    EXPECT_TRUE(std::isinf(ExtendedFromBytes(toBytes(INFINITY).data())));
    EXPECT_TRUE(std::isnan(ExtendedFromBytes(toBytes(NAN).data())));
    const Bytes negZero = toBytes(-0.0L);
    EXPECT_EQ(negZero[9], 0x80);
    // An unnormal (integer bit clear, exponent set) and the largest exponent do not crash.
    const Bytes unnormal = {0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F};
    EXPECT_EQ(ExtendedFromBytes(unnormal.data()), 0.5L);
}
