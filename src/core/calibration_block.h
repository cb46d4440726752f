#pragma once
// The calibration-coefficient block that a recorder writes into its protocol (calibration read,
// order protocol): three header bytes, the raw 16-bit coefficients and the values computed from them.
#include <array>
#include <cstdint>

struct TCalibrationBlock {
    uint8_t HWVer = 0;
    uint8_t SWVer = 0;
    uint8_t Options = 0;
    // Raw coefficients in block order (only the first 21 words carry coefficients).
    std::array<uint16_t, 32> Words{};
    // Values computed from the words; 21 ... 24 are the derived eK1, eD1, eK2, eD2.
    std::array<double, 25> Values{};
};
