#pragma once
// Recorder and carrier serial numbers: a 64-bit value whose two 32-bit halves each end in a check
// nibble, written as the 21-character text X.XX.XXXX.X-XXXXXXX.X. The value 0 is never valid and
// stands for "no serial number" wherever a conversion fails.
#include <QString>
#include <cstdint>

// The 4-bit check digit of a 32-bit word: nibbles 1 ... 7, each xor its position, summed, xor salt.
uint8_t SerialCheckNibble(uint32_t word, uint8_t salt);
// True when both halves carry their check digits; the check digit of hi salts the check of lo.
bool SerialIsValid(uint8_t variant, uint64_t value);
// The text form of any value (no check is made): 0 gives "0.00.0000.0-0000000.0".
QString SerialToText(uint64_t value);
// The value of a text in the fixed pattern; 0 for a malformed text or, with check, an invalid value.
uint64_t TextToSerial(const QString& text, bool check = true);
// A valid serial number carrying the given 56-bit body (upper 28 bits in hi, lower 28 in lo).
uint64_t SerialFromBody(uint64_t body56);
