#include "calibration_run.h"
#include "app_state.h"
#include "converter_calibration.h"
#include "decode_settings.h"
#include "protocol_builder.h"
#include "protocol_decoder.h"

#include <gtest/gtest.h>

namespace {

TConverterCalibration block(std::initializer_list<std::pair<int, uint16_t>> words, uint8_t options = 0)
{
    TConverterCalibration c;
    for (auto [k, w] : words) {
        c.Block[2 * k] = uint8_t(w);
        c.Block[2 * k + 1] = uint8_t(w >> 8);
    }
    c.Options = options;
    return c;
}

long double volts(uint16_t w, int scale = 40) { return w * static_cast<long double>(scale) / 65535; }

}  // namespace

TEST(ConverterCalibration, ValuesAndCoefficients)
{
    // AN1_1 = W0, AN2_1 = W1, AN3_1 = W2, AN1_2 = W6, AN2_2 = W7, AN3_2 = W8; Rizm = W17 / 1024,
    // Robr = W18 / 256.
    const std::initializer_list<std::pair<int, uint16_t>> words = {
        {0, 30000}, {1, 20000}, {2, 10000}, {6, 25000}, {7, 12000}, {8, 6000},
        {3, 1000}, {4, 1000}, {5, 500}, {9, 900}, {10, 1000}, {11, 400},   // AN6_1 == AN6_2
        {17, 2048}, {18, 512}, {13, 0xFFFF}};
    for (const bool diff : {true, false}) {
        for (const uint8_t options : {uint8_t(0), uint8_t(4)}) {
            TConverterCalibration c = block(words, options);
            ComputeCalibrationValues(c, diff);
            const int m = options ? 10 : 40;
            const long double q = 2.0L / 2.0L;
            const long double an1_1 = volts(30000), an2_1 = volts(20000), an3_1 = volts(10000, m);
            const long double an1_2 = volts(25000), an2_2 = volts(12000), an3_2 = volts(6000, m);
            EXPECT_EQ(c.Values[2], an3_1);
            EXPECT_EQ(c.Values[12], 2.0L);
            EXPECT_EQ(c.Values[13], 2.0L);
            EXPECT_EQ(c.Values[19], -1.0L / 16384);
            long double eK1, eD1;
            if (diff) {
                eK1 = q - (an3_1 - an3_2) / (an2_1 - an2_2);
                eD1 = an2_1 * eK1 - an2_1 * q + an3_1;
            } else {
                eK1 = q - ((an1_1 - an2_1) - (an1_2 - an2_2)) / (an2_1 - an2_2);
                eD1 = an2_1 * eK1 - an2_1 * q + (an1_1 - an2_1);
            }
            EXPECT_EQ(c.eK1(), eK1) << diff << int(options);
            EXPECT_EQ(c.eD1(), eD1) << diff << int(options);
            // Channel 2 divides by AN6_1 - AN6_2 = 0: eK2 becomes 0, eD2 is computed with it.
            EXPECT_EQ(c.eK2(), 0);
            const long double an6 = volts(1000);
            const long double ref2 = diff ? volts(500, m) : volts(1000) - an6;
            EXPECT_EQ(c.eD2(), an6 * 0 - an6 * q + ref2);
        }
    }
    // Robr 0: every coefficient 0.
    TConverterCalibration c = block({{1, 100}, {7, 50}, {17, 1024}});
    ComputeCalibrationValues(c, true);
    for (int i = 21; i < 25; ++i)
        EXPECT_EQ(c.Values[i], 0) << i;
}

TEST(ConverterCalibration, DecodedFromChunksAndHeader)
{
    TProtokolRecords r;
    // Chunk 2 carries block bytes 16 ... 23 (words 8 ... 11) and byte 66.
    TProtokolRecord chunk = Rec(1, 24, {{2, 0x1234}, {4, 0x5678}});
    chunk.b[10] = 0xAB;
    r.push_back(chunk);
    TProtokolRecord header = Rec(1, 18);
    header.b[3] = 7;
    header.b[4] = 9;
    header.b[5] = 4;
    r.push_back(header);
    int calls = 0;
    TDecodeSettings settings;
    settings.OnCalibration = [&](const TConverterCalibration& c) {
        ++calls;
        EXPECT_EQ(c.HWVer, 7);
        EXPECT_EQ(c.SWVer, 9);
        EXPECT_EQ(c.word(8), 0x1234);
        EXPECT_EQ(c.word(9), 0x5678);
        EXPECT_EQ(c.Block[66], 0xAB);
        EXPECT_EQ(c.Values[8], 0x1234 * 10.0L / 65535);   // AN3_2 on the 10 V scale
    };
    TKDDData s;
    double e, st;
    TDecodeReport report;
    EXPECT_TRUE(DecodeProtocol(r, TDecodeCar{}, {}, settings, s, e, st, &report));
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(report.HasCalibration);
}

TEST(ProtocolDecoder, CurrentMeasurementThroughResistance)
{
    TDecodeCar car;
    car.CarTank1Vol = 250;
    car.CarUPower = 2400;
    car.CarFuelMeasureType = 0x81;   // current, bit 7 ignored
    car.CarFuelMeasureRObr = 100;
    TDecodeTables tables;
    tables.Tank1.resize(2);
    tables.Tank1[1].R_SENSOR = 100;
    tables.Tank1[1].VAL = 100;
    // No calibration header: K = D = 0, R = |Us * RObr / Uref| = 100 * 5000 / 10000 = 50 ohms.
    TProtokolRecords r{ClockRec(10, 0, 0), Part1(1, 30000, 5000, 10000), Part1(2, 30000, 5000, 0)};
    TKDDData s;
    double e, st;
    ASSERT_TRUE(DecodeProtocol(r, car, tables, {}, s, e, st));
    ASSERT_EQ(s.size(), 2u);
    EXPECT_NEAR(s[0].Tank1, 5000, 1);
    EXPECT_EQ(s[1].Tank1, s[0].Tank1);   // reference at 0 V: invalid, previous value kept
}

TEST(CalibrationRun, GeneratedRunCarriesBlockHeaderAndPoints)
{
    TCalibrationScenario sc;
    QString error;
    ASSERT_TRUE(ParseCalibrationScenario("hw 3 sw 7 options 4\nword 17 2048\nword 18 512\n"
                                         "point 1200 800 24.5\npoint 2400 1600 24.4\n",
                                         sc, error))
        << qPrintable(error);
    const TProtokolRecords r = GenerateCalibrationRun(sc);
    ASSERT_EQ(r.size(), 9u + 4u);
    TDecodeSettings settings;
    bool seen = false;
    settings.OnCalibration = [&](const TConverterCalibration& c) {
        seen = true;
        EXPECT_EQ(c.HWVer, 3);
        EXPECT_EQ(c.Options, 4);
        EXPECT_EQ(c.word(17), 2048);
        EXPECT_EQ(c.Values[12], 2.0L);
    };
    TKDDData s;
    double e, st;
    DecodeProtocol(r, TDecodeCar{}, {}, settings, s, e, st);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(s.empty());   // no clock: calibration points make no samples
    const TProtokolRecord& point = r[9];
    EXPECT_EQ(point.type(), 10);
    EXPECT_TRUE(point.b[2] & 0x80);
    EXPECT_EQ(point.word(5), 1200);
    EXPECT_EQ(r[10].type(), 12);
    EXPECT_EQ(r[10].sequence(), point.sequence());
    EXPECT_EQ(r[10].word(5), 800);
    for (const char* bad : {"point 1 2", "word 40 1", "speed 5", "hw 300"})
        EXPECT_FALSE(ParseCalibrationScenario(bad, sc, error)) << bad;
}

TEST(CalibrationRun, DecodedBlockReachesTheCalibrationValuesReport)
{
    TCalibrationScenario sc;
    QString error;
    ASSERT_TRUE(ParseCalibrationScenario("hw 171 options 4\nword 17 2048\nword 18 512\nword 1 100", sc, error));
    TConfig config;
    config.UseDiffInADC = false;
    for (const bool on : {false, true}) {
        AppState().ShowCalibrationValues = on;
        AppState().CalibrationValuesText.clear();
        TKDDData s;
        double e, st;
        DecodeProtocol(GenerateCalibrationRun(sc), TDecodeCar{}, {}, DecodeSettingsFromConfig(config), s, e, st);
        EXPECT_EQ(AppState().CalibrationValuesText.contains("HWVer\tAB"), on);
        EXPECT_EQ(AppState().CalibrationValuesText.contains("Rizm\t0800"), on);
    }
    AppState().ShowCalibrationValues = false;
    AppState().CalibrationValuesText.clear();
}
