#include "protocol_builder.h"
#include "protokol_clock.h"

#include <gtest/gtest.h>

TEST(ProtokolClock, FieldsAndModes)
{
    struct Case {
        uint8_t sec, min, hour, day, month, year;
        int expectHour;   // -1: invalid
        const char* name;
    };
    const Case cases[] = {
        {0x30, 0x59, 0x23, 0x11, 0x12, 0x26, 23, "24-hour"},
        {0x00, 0x00, 0x72, 0x11, 0x12, 0x26, 12, "12-hour 12 PM"},
        {0x00, 0x00, 0x52, 0x11, 0x12, 0x26, 0, "12-hour 12 AM"},
        {0x00, 0x00, 0x61, 0x11, 0x12, 0x26, 13, "12-hour 1 PM"},
        {0x00, 0x00, 0x41, 0x11, 0x12, 0x26, 1, "12-hour 1 AM"},
        {0x00, 0x00, 0x24, 0x11, 0x12, 0x26, -1, "hour 24"},
        {0x00, 0x00, 0x10, 0x30, 0x02, 0x24, -1, "30 February"},
        {0x00, 0x00, 0x10, 0x29, 0x02, 0x24, 10, "29 February of a leap year"},
        {0x00, 0x00, 0x10, 0x29, 0x02, 0x23, -1, "29 February of another year"},
        {0x00, 0x00, 0x10, 0x00, 0x02, 0x24, -1, "day 0"},
        {0x00, 0x00, 0x10, 0x01, 0x13, 0x24, -1, "month 13"},
        {0x6A, 0x00, 0x10, 0x01, 0x01, 0x24, -1, "seconds 6 and 10 make 70"},
    };
    for (const Case& c : cases) {
        TProtokolRecord r;
        r.b = {0, 0, 0, c.sec, c.min, c.hour, 0, c.day, c.month, c.year, 0, 0};
        const auto t = DecodeProtokolClock(r);
        if (c.expectHour < 0) {
            EXPECT_FALSE(t.has_value()) << c.name;
            continue;
        }
        ASSERT_TRUE(t.has_value()) << c.name;
        EXPECT_EQ((*t % 86400) / 3600, c.expectHour) << c.name;
    }
}

TEST(ProtokolClock, DateTimeDoubles)
{
    const auto t = DecodeProtokolClock(ClockRec(12, 0, 0, 31, 12, 2000));
    ASSERT_TRUE(t);
    // 2000-12-31 12:00 is day 36891.5 after 1899-12-30.
    EXPECT_DOUBLE_EQ(ProtokolSecondsToDateTime(*t), 36891.5);
}
