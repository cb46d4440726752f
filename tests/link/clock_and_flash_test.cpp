#include "flash_chip.h"
#include "recorder_clock.h"

#include <gtest/gtest.h>

using namespace kemlink;

TEST(RecorderClock, SetClockPayloadIsPackedBcd)
{
    // Thursday 2005-07-14 15:04:05.
    const auto p = SetClockPayload(QDateTime(QDate(2005, 7, 14), QTime(15, 4, 5)));
    const std::array<uint8_t, 16> expected{0, 0, 0x05, 0x04, 0x15, 0x05, 0x14, 0x87, 0x05, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(p, expected);
    // Before 2000 the century flag stays clear and the year counts from 1900; Sunday is day 1.
    const auto old = SetClockPayload(QDateTime(QDate(1999, 12, 26), QTime(23, 59, 58)));
    EXPECT_EQ(old[5], 0x01);
    EXPECT_EQ(old[7], 0x12);
    EXPECT_EQ(old[8], 0x99);
}

TEST(RecorderClock, ReplyDecodesWithTheCenturyOfTheSetCommand)
{
    const QDateTime t(QDate(2026, 2, 28), QTime(7, 8, 9));
    const auto reply = EncodeClockReply(t);
    EXPECT_EQ(DaysToDateTime(DecodeClockReply(reply.data())), t);
    auto old = reply;
    old[6] &= 0x7F;  // century flag clear: 1900 + year
    EXPECT_EQ(DaysToDateTime(DecodeClockReply(old.data())).date(), QDate(1926, 2, 28));
}

TEST(RecorderClock, InvalidRepliesGiveZero)
{
    struct Case {
        const char* name;
        std::array<uint8_t, 8> bytes;
        double expected;
    } cases[] = {
        {"byte 0 bit 7", {0x80, 0, 0, 0x12, 1, 0x01, 0x81, 0x05}, 0},
        {"seconds 60", {0, 0x60, 0, 0x12, 1, 0x01, 0x81, 0x05}, 0},
        {"non-decimal nibble", {0, 0x1A, 0, 0x12, 1, 0x01, 0x81, 0x05}, 0},
        {"February 30", {0, 0, 0, 0x12, 1, 0x30, 0x82, 0x05}, 0},
        {"day of week 8", {0, 0, 0, 0x12, 8, 0x01, 0x81, 0x05}, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeClockReply(c.bytes.data()), c.expected) << c.name;
    // 12-hour format: bit 6 set, bit 5 = PM. 0x72 = PM 12 -> 12:00; 0x52 = AM 12 -> 00:00; 0x63 = PM 3.
    std::array<uint8_t, 8> r{0, 0, 0, 0x63, 5, 0x14, 0x87, 0x05};
    EXPECT_EQ(DaysToDateTime(DecodeClockReply(r.data())).time(), QTime(15, 0));
    r[3] = 0x52;
    EXPECT_EQ(DaysToDateTime(DecodeClockReply(r.data())).time(), QTime(0, 0));
}

TEST(RecorderClock, DaysRoundTrip)
{
    EXPECT_EQ(DateTimeToDays(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_EQ(DateTimeToDays(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
    const QDateTime t(QDate(2005, 7, 14), QTime(15, 4, 5));
    EXPECT_EQ(DaysToDateTime(DateTimeToDays(t)), t);
}

TEST(FlashChips, KnownCodesAndTheRest)
{
    const FlashChip a = FlashChipByCode(0x2C);
    EXPECT_EQ(a.name, "AT45DB161B");
    EXPECT_EQ(a.size, 2162688u);
    EXPECT_EQ(FlashPages(0x2C), 4096);
    const FlashChip b = FlashChipByCode(0x38);
    EXPECT_EQ(b.name, "AT45DB321B");
    EXPECT_EQ(b.size, 4325376u);
    EXPECT_EQ(b.pageSize, 528u);
    EXPECT_EQ(FlashPages(0x38), 8192);
    const FlashChip u = FlashChipByCode(0xFF);
    EXPECT_EQ(u.name, "Unknown");
    EXPECT_FALSE(u.known);
    EXPECT_EQ(u.size, 0u);
}
