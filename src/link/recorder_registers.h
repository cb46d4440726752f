#pragma once
// The recorder's eleven 64-bit registers (register k at byte 8k, little-endian).
#include <array>
#include <cstdint>

struct TRecorderRegisters {
    std::array<uint64_t, 11> Reg{};

    uint64_t& operator[](int k) { return Reg[size_t(k)]; }
    uint64_t operator[](int k) const { return Reg[size_t(k)]; }
    bool operator==(const TRecorderRegisters&) const = default;
};

namespace regs {
constexpr int CarrierSerial = 0;
constexpr int RecordingPosition = 5;
constexpr int RecorderSerial = 7;
constexpr int InputFlags = 8;
constexpr int InitStamp = 10;
}  // namespace regs

// Register 5: bytes 0-1 the page being written, byte 2 the records already in that page.
struct RecordingPosition {
    uint16_t page = 0;
    uint8_t records = 0;
};
inline RecordingPosition DecodeRecordingPosition(uint64_t reg5)
{
    return {uint16_t(reg5 & 0xFFFF), uint8_t((reg5 >> 16) & 0xFF)};
}

inline uint64_t LoadLE64(const uint8_t* p)
{
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}
inline void StoreLE64(uint8_t* p, uint64_t v)
{
    for (int i = 0; i < 8; ++i) p[i] = uint8_t(v >> (8 * i));
}
