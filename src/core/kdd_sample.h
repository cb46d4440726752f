#pragma once
// One sample a recorded minute: the series every later step works on, and the sample layout of
// data files (32 bytes, packed, little-endian).
#include <cstdint>
#include <vector>

#pragma pack(push, 1)
struct TKDDSample {
    uint32_t Flags = 0;
    uint16_t Speed = 0;      // km/h
    uint16_t PathStep = 0;   // metres driven in this minute
    uint32_t Path = 0;       // metres since the start of the protocol
    int32_t Tank1 = 0;       // centilitres
    int32_t Tank2 = 0;       // centilitres; one-tank car: second input temperature × 100 or 0
    uint16_t RPM = 0;
    uint16_t Count3 = 0;
    uint16_t Count4 = 0;
    uint8_t Inputs = 0;      // bit 6: input 3, bit 7: input 4
    uint8_t Spare1 = 0;
    uint16_t UBoard = 0;     // centivolts
    int8_t Temp = 0;         // engine temperature in degrees minus 50
    uint8_t Spare2 = 0;
};
#pragma pack(pop)
static_assert(sizeof(TKDDSample) == 32);

using TKDDData = std::vector<TKDDSample>;

// Sample flags.
enum : uint32_t {
    sfData = 0x1,
    sfNew = 0x2,
    sfEngine = 0x4,
    sfTurning = 0x8,
    sfMoving = 0x10,
    sfIdle = 0x20,
    sfOverRev = 0x40,
    sfSegStart = 0x100,
    sfSegEnd = 0x200,
    sfIncStart = 0x400,
    sfDecStart = 0x800,
    sfInc = 0x1000,
    sfDec = 0x2000,
    sfPowerOff = 0x40000,
};

// Flags & 7 == 7: a measured engine-on sample; Flags & 3 == 3: a complete measurement.
inline bool IsEngineOnMeasurement(const TKDDSample& s) { return (s.Flags & 7u) == 7u; }
inline bool IsCompleteMeasurement(const TKDDSample& s) { return (s.Flags & 3u) == 3u; }
