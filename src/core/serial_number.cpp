#include "serial_number.h"

namespace {
constexpr int kTextLength = 21;
// Positions of the 16 hexadecimal digits in the text, most significant first.
constexpr int kDigitPos[16] = {0, 2, 3, 5, 6, 7, 8, 10, 12, 13, 14, 15, 16, 17, 18, 20};

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    return -1;
}

uint32_t withCheck(uint32_t body28, uint8_t salt)
{
    const uint32_t word = body28 << 4;
    return word | SerialCheckNibble(word, salt);
}
}  // namespace

uint8_t SerialCheckNibble(uint32_t word, uint8_t salt)
{
    uint32_t sum = 0;
    for (uint32_t k = 1; k <= 7; ++k) sum += ((word >> (4 * k)) & 15u) ^ k;
    return uint8_t((sum ^ salt) & 15u);
}

bool SerialIsValid(uint8_t variant, uint64_t value)
{
    const uint32_t hi = uint32_t(value >> 32);
    const uint32_t lo = uint32_t(value);
    const uint8_t hiCheck = hi & 15u;
    return hiCheck == SerialCheckNibble(hi, variant) && (lo & 15u) == SerialCheckNibble(lo, hiCheck ^ variant);
}

QString SerialToText(uint64_t value)
{
    const QString hex = QString::number(value, 16).toUpper().rightJustified(16, '0');
    QString text(kTextLength, '.');
    text[11] = '-';
    for (int i = 0; i < 16; ++i) text[kDigitPos[i]] = hex[i];
    return text;
}

uint64_t TextToSerial(const QString& text, bool check)
{
    if (text.size() != kTextLength) return 0;
    if (text[1] != '.' || text[4] != '.' || text[9] != '.' || text[19] != '.' || text[11] != '-') return 0;
    uint64_t value = 0;
    for (int pos : kDigitPos) {
        const int d = hexValue(text[pos]);
        if (d < 0) return 0;
        value = (value << 4) | uint64_t(d);
    }
    if (check && !SerialIsValid(0, value)) return 0;
    return value;
}

uint64_t SerialFromBody(uint64_t body56)
{
    const uint32_t hi = withCheck(uint32_t(body56 >> 28) & 0x0FFFFFFFu, 0);
    const uint32_t lo = withCheck(uint32_t(body56) & 0x0FFFFFFFu, hi & 15u);
    return (uint64_t(hi) << 32) | lo;
}
