#pragma once
// Reading and writing the fields of packed little-endian blocks: integers, 8-byte date-times,
// 80-bit reals, short strings (length byte + Windows-1251 characters) and raw zero-padded texts.
// Every function is given the field's place; none reads or writes outside [at, at + field size).
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>

namespace blockio {
uint16_t U16(const uint8_t* at);
uint32_t U32(const uint8_t* at);
void PutU16(uint8_t* at, uint16_t v);
void PutU32(uint8_t* at, uint32_t v);
double F64(const uint8_t* at);
void PutF64(uint8_t* at, double v);

// A short string of at most maxChars characters takes maxChars + 1 bytes. A length byte above
// maxChars reads as maxChars.
QString ShortString(const uint8_t* at, int maxChars);
void PutShortString(uint8_t* at, int maxChars, const QString& text);
// Raw text: the characters up to the first zero byte (or the whole field); written cut and padded.
QString RawText(const uint8_t* at, int size);
void PutRawText(uint8_t* at, int size, const QString& text);
}  // namespace blockio
