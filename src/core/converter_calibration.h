#pragma once
// The recorder's converter-calibration block: 72 bytes filled by calibration chunks, turned into
// 25 values by the calibration header. Four of them (eK1, eD1, eK2, eD2) correct the tank channels.
#include "calibration_block.h"

#include <array>
#include <cstdint>

struct TConverterCalibration {
    std::array<uint8_t, 72> Block{};
    uint8_t HWVer = 0, SWVer = 0, Options = 0;
    // AN1_1 ... AN7_2, Rizm, Robr, Upower_1, Upower_2, Rbalast, K_AN4, K_AN8, D_AN4, D_AN8,
    // eK1, eD1, eK2, eD2.
    std::array<long double, 25> Values{};

    uint16_t word(int k) const { return uint16_t(Block[2 * k] | (Block[2 * k + 1] << 8)); }
    long double eK1() const { return Values[21]; }
    long double eD1() const { return Values[22]; }
    long double eK2() const { return Values[23]; }
    long double eD2() const { return Values[24]; }
};

// Scale of the reference channels: 10 V when bit 2 of Options is set, else 40 V.
inline int ReferenceScale(uint8_t options) { return (options & 4) ? 10 : 40; }

// Stores a calibration chunk (record types 20, 22, ... 34) into the block.
void StoreCalibrationChunk(TConverterCalibration& c, int chunk, const uint8_t* recordBytes);

// Computes the 25 values from the block and the header bytes already stored. useDiffInADC picks
// the differential-converter formulas. A coefficient with a zero divisor becomes 0.
void ComputeCalibrationValues(TConverterCalibration& c, bool useDiffInADC);

// Names of the 25 values as the auxiliary window shows them.
extern const std::array<const char*, 25> kCalibrationValueNames;

// The block as the calibration-values report takes it (the header bytes, words and values).
TCalibrationBlock ToCalibrationBlock(const TConverterCalibration& c);
