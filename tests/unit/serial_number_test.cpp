#include "crc32.h"
#include "serial_number.h"

#include <gtest/gtest.h>

TEST(SerialNumber, KnownValuesConvertBothWays)
{
    struct Case {
        uint64_t value;
        const char* text;
    };
    const Case cases[] = {
        {0x1020304E00000121ull, "1.02.0304.E-0000012.1"},
        {0x1010001900000012ull, "1.01.0001.9-0000001.2"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(SerialIsValid(0, c.value)) << c.text;
        EXPECT_EQ(SerialToText(c.value), QString(c.text));
        EXPECT_EQ(TextToSerial(c.text, true), c.value) << c.text;
    }
}

TEST(SerialNumber, ZeroIsInvalidButHasAText)
{
    EXPECT_EQ(SerialCheckNibble(0, 0), 12);
    EXPECT_FALSE(SerialIsValid(0, 0));
    EXPECT_EQ(SerialToText(0), "0.00.0000.0-0000000.0");
    EXPECT_EQ(TextToSerial("0.00.0000.0-0000000.0", true), 0u);
}

TEST(SerialNumber, EverySingleDigitChangeIsCaught)
{
    const QString good = "1.01.0001.9-0000001.2";
    for (int pos = 0; pos < good.size(); ++pos) {
        if (good[pos] == '.' || good[pos] == '-') continue;
        for (const char* d = "0123456789ABCDEF"; *d; ++d) {
            if (good[pos] == QChar(*d)) continue;
            QString changed = good;
            changed[pos] = QChar(*d);
            EXPECT_EQ(TextToSerial(changed, true), 0u) << changed.toStdString();
        }
    }
}

TEST(SerialNumber, MalformedTextsGiveZero)
{
    const char* texts[] = {
        "1.02.0304.E-0000012.",     // 20 characters
        "1.02.0304.E-0000012.12",   // 22 characters
        "1.02.0304.E-0000 12.1",    // blank in a digit position, as an empty mask shows
        "1,02.0304.E-0000012.1",    // wrong separator
        "1.02.0304.E.0000012.1",    // "." where "-" belongs
        "1.02.0304.G-0000012.1",    // not a hexadecimal digit
        "",
    };
    for (const char* t : texts) EXPECT_EQ(TextToSerial(QString::fromUtf8(t), false), 0u) << t;
}

TEST(SerialNumber, LowerCaseDigitsAndUncheckedConversion)
{
    EXPECT_EQ(TextToSerial("1.02.0304.e-0000012.1", true), 0x1020304E00000121ull);
    // An invalid value converts without the check and is refused with it.
    EXPECT_EQ(TextToSerial("1.02.0304.F-0000012.1", false), 0x1020304F00000121ull);
    EXPECT_EQ(TextToSerial("1.02.0304.F-0000012.1", true), 0u);
}

TEST(SerialNumber, MadeFromBodyIsValidAndKeepsTheBody)
{
    for (uint64_t body : {0ull, 1ull, 0x00FFFFFFFFFFFFFFull, 0x0012345678ABCDEFull, 0x0080000001000000ull}) {
        const uint64_t v = SerialFromBody(body);
        EXPECT_TRUE(SerialIsValid(0, v)) << std::hex << body;
        const uint64_t back = (((v >> 36) & 0x0FFFFFFFull) << 28) | ((v >> 4) & 0x0FFFFFFFull);
        EXPECT_EQ(back, body);
        EXPECT_EQ(TextToSerial(SerialToText(v), true), v);
    }
    // The documented example: body 0x1020304 0000012 gives 1.02.0304.E-0000012.1.
    EXPECT_EQ(SerialFromBody(0x10203040000012ull), 0x1020304E00000121ull);
}

TEST(Crc32, StartsFromTheCallersValueWithoutFinalInversion)
{
    EXPECT_EQ(Crc32Update(0, "abc", 3), 0xCA6598D0u);
    EXPECT_EQ(Crc32Update(0, "", 0), 0u);
    // The common CRC-32 is the same table started from and inverted with all ones.
    EXPECT_EQ(Crc32Update(0xFFFFFFFFu, "123456789", 9) ^ 0xFFFFFFFFu, 0xCBF43926u);
    // Continuing a run equals one run over the whole.
    EXPECT_EQ(Crc32Update(Crc32Update(0, "ab", 2), "c", 1), Crc32Update(0, "abc", 3));
}
