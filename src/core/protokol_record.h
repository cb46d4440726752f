#pragma once
// The recorder appends 12-byte protocol records to the carrier from page 128 on, 44 records a page.
#include <array>
#include <cstdint>
#include <vector>

struct TProtokolRecord {
    std::array<uint8_t, 12> b{};

    uint8_t sequence() const { return b[0]; }   // the same for every record of one recorded minute
    uint8_t type() const { return b[1]; }
    // Little-endian 16-bit word at bytes (i, i + 1).
    uint16_t word(int i) const { return uint16_t(b[i] | (b[i + 1] << 8)); }
};
static_assert(sizeof(TProtokolRecord) == 12);

using TProtokolRecords = std::vector<TProtokolRecord>;

namespace protokol {
constexpr int kPageSize = 528;            // bytes in one carrier page
constexpr int kRecordsPerPage = 44;       // 44 × 12 = 528
constexpr int kFirstProtocolPage = 128;   // pages 0 ... 15 hold the order header
constexpr int kHeaderPages = 16;
}  // namespace protokol
