#include "crc32.h"

#include <array>

namespace {
constexpr std::array<uint32_t, 256> makeTable()
{
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        t[i] = c;
    }
    return t;
}
constexpr auto kTable = makeTable();
}  // namespace

uint32_t Crc32Update(uint32_t crc, const void* data, size_t length)
{
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < length; ++i) crc = kTable[(crc ^ p[i]) & 0xFFu] ^ (crc >> 8);
    return crc;
}
