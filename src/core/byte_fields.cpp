#include "byte_fields.h"

#include "cp1251.h"

#include <cstring>

namespace blockio {

uint16_t U16(const uint8_t* at)
{
    return uint16_t(at[0] | (at[1] << 8));
}

uint32_t U32(const uint8_t* at)
{
    return uint32_t(at[0]) | (uint32_t(at[1]) << 8) | (uint32_t(at[2]) << 16) | (uint32_t(at[3]) << 24);
}

void PutU16(uint8_t* at, uint16_t v)
{
    at[0] = uint8_t(v);
    at[1] = uint8_t(v >> 8);
}

void PutU32(uint8_t* at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) at[i] = uint8_t(v >> (8 * i));
}

double F64(const uint8_t* at)
{
    uint64_t raw = 0;
    for (int i = 0; i < 8; ++i) raw |= uint64_t(at[i]) << (8 * i);
    double v;
    std::memcpy(&v, &raw, sizeof v);
    return v;
}

void PutF64(uint8_t* at, double v)
{
    uint64_t raw;
    std::memcpy(&raw, &v, sizeof raw);
    for (int i = 0; i < 8; ++i) at[i] = uint8_t(raw >> (8 * i));
}

QString ShortString(const uint8_t* at, int maxChars)
{
    const int n = std::min<int>(at[0], maxChars);
    return FromCp1251(reinterpret_cast<const char*>(at + 1), n);
}

void PutShortString(uint8_t* at, int maxChars, const QString& text)
{
    const QByteArray b = ToCp1251(text).left(maxChars);
    std::memset(at, 0, size_t(maxChars) + 1);
    at[0] = uint8_t(b.size());
    std::memcpy(at + 1, b.constData(), size_t(b.size()));
}

QString RawText(const uint8_t* at, int size)
{
    const auto* end = static_cast<const uint8_t*>(std::memchr(at, 0, size_t(size)));
    return FromCp1251(reinterpret_cast<const char*>(at), end ? int(end - at) : size);
}

void PutRawText(uint8_t* at, int size, const QString& text)
{
    const QByteArray b = ToCp1251(text).left(size);
    std::memset(at, 0, size_t(size));
    std::memcpy(at, b.constData(), size_t(b.size()));
}

}  // namespace blockio
