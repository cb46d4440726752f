#include "converter_calibration.h"

#include <cmath>
#include <optional>

const std::array<const char*, 25> kCalibrationValueNames = {
    "AN1_1", "AN2_1", "AN3_1", "AN5_1", "AN6_1", "AN7_1", "AN1_2", "AN2_2", "AN3_2",
    "AN5_2", "AN6_2", "AN7_2", "Rizm", "Robr", "Upower_1", "Upower_2", "Rbalast", "K_AN4",
    "K_AN8", "D_AN4", "D_AN8", "eK1", "eD1", "eK2", "eD2"};

void StoreCalibrationChunk(TConverterCalibration& c, int chunk, const uint8_t* b)
{
    if (chunk < 0 || chunk > 7)
        return;
    for (int i = 0; i < 8; ++i)
        c.Block[8 * chunk + i] = b[2 + i];
    c.Block[64 + chunk] = b[10];
}

namespace {

std::optional<long double> divide(long double a, long double b)
{
    if (b == 0)
        return std::nullopt;
    const long double r = a / b;
    if (!std::isfinite(r))
        return std::nullopt;
    return r;
}

// eK = q - dRef / dAn; eD = an1 * eK - an1 * q + ref1; a failed division makes that value 0.
void channel(std::optional<long double> q, long double dRef, long double dAn, long double an1, long double ref1,
             long double& eK, long double& eD)
{
    const auto ratio = divide(dRef, dAn);
    eK = (q && ratio) ? *q - *ratio : 0;
    eD = q ? an1 * eK - an1 * *q + ref1 : 0;
}

}  // namespace

void ComputeCalibrationValues(TConverterCalibration& c, bool useDiffInADC)
{
    auto& v = c.Values;
    const int m = ReferenceScale(c.Options);
    for (int k = 0; k < 12; ++k) {
        const bool reference = k == 2 || k == 5 || k == 8 || k == 11;
        v[k] = c.word(k) * static_cast<long double>(reference ? m : 40) / 65535;
    }
    v[12] = c.word(17) / 1024.0L;
    v[13] = c.word(18) / 256.0L;
    v[14] = c.word(19) * 40.0L / 65535;
    v[15] = c.word(20) * 40.0L / 65535;
    v[16] = c.word(16) / 256.0L;
    v[17] = c.word(12) / 16384.0L;
    v[18] = c.word(14) / 16384.0L;
    v[19] = int16_t(c.word(13)) / 16384.0L;
    v[20] = int16_t(c.word(15)) / 16384.0L;

    const long double AN1_1 = v[0], AN2_1 = v[1], AN3_1 = v[2], AN5_1 = v[3], AN6_1 = v[4], AN7_1 = v[5];
    const long double AN1_2 = v[6], AN2_2 = v[7], AN3_2 = v[8], AN5_2 = v[9], AN6_2 = v[10], AN7_2 = v[11];
    const auto q = divide(v[12], v[13]);
    if (useDiffInADC) {
        channel(q, AN3_1 - AN3_2, AN2_1 - AN2_2, AN2_1, AN3_1, v[21], v[22]);
        channel(q, AN7_1 - AN7_2, AN6_1 - AN6_2, AN6_1, AN7_1, v[23], v[24]);
    } else {
        channel(q, (AN1_1 - AN2_1) - (AN1_2 - AN2_2), AN2_1 - AN2_2, AN2_1, AN1_1 - AN2_1, v[21], v[22]);
        channel(q, (AN5_1 - AN6_1) - (AN5_2 - AN6_2), AN6_1 - AN6_2, AN6_1, AN5_1 - AN6_1, v[23], v[24]);
    }
}

TCalibrationBlock ToCalibrationBlock(const TConverterCalibration& c)
{
    TCalibrationBlock b;
    b.HWVer = c.HWVer;
    b.SWVer = c.SWVer;
    b.Options = c.Options;
    for (int k = 0; k < 32; ++k)
        b.Words[size_t(k)] = c.word(k);
    for (size_t i = 0; i < b.Values.size(); ++i)
        b.Values[i] = double(c.Values[i]);
    return b;
}
