#include "app_state.h"
#include "calibration_values_text.h"

#include <gtest/gtest.h>

namespace {

// Every word and value distinct, so a name paired with the wrong word or value shows.
TCalibrationBlock sampleBlock()
{
    TCalibrationBlock b;
    b.HWVer = 0x0A;
    b.SWVer = 0x12;
    b.Options = 0xFF;
    for (int w = 0; w < 32; ++w) b.Words[w] = uint16_t(0x0A00 + w);
    b.Words[3] = 0xbeef;
    b.Words[16] = 0x00FF;
    for (int k = 0; k < 25; ++k) b.Values[k] = 100.0 * k + k / 1000.0;
    b.Values[0] = -0.0004;
    b.Values[21] = 1234.5678;
    return b;
}

const char* const kExpected =
    "HWVer\t0A\r\n"
    "SWVer\t12\r\n"
    "Options\tFF\r\n"
    "AN1_1\t0A00\t\t-0.000\r\n"
    "AN2_1\t0A01\t\t100.001\r\n"
    "AN3_1\t0A02\t\t200.002\r\n"
    "AN5_1\tBEEF\t\t300.003\r\n"
    "AN6_1\t0A04\t\t400.004\r\n"
    "AN7_1\t0A05\t\t500.005\r\n"
    "AN1_2\t0A06\t\t600.006\r\n"
    "AN2_2\t0A07\t\t700.007\r\n"
    "AN3_2\t0A08\t\t800.008\r\n"
    "AN5_2\t0A09\t\t900.009\r\n"
    "AN6_2\t0A0A\t\t1000.010\r\n"
    "AN7_2\t0A0B\t\t1100.011\r\n"
    "Rizm\t0A11\t\t1200.012\r\n"
    "Robr\t0A12\t\t1300.013\r\n"
    "Rbalast\t00FF\t\t1600.016\r\n"
    "Upower_1\t0A13\t\t1400.014\r\n"
    "Upower_2\t0A14\t\t1500.015\r\n"
    "K_AN4\t0A0C\t\t1700.017\r\n"
    "K_AN8\t0A0E\t\t1800.018\r\n"
    "D_AN4\t0A0D\t\t1900.019\r\n"
    "D_AN8\t0A0F\t\t2000.020\r\n"
    "eK1\t\t\t1234.568\r\n"
    "eD1\t\t\t2200.022\r\n"
    "eK2\t\t\t2300.023\r\n"
    "eD2\t\t\t2400.024";

}  // namespace

TEST(CalibrationValuesText, BlockIsFormattedNameByName)
{
    const TCalibrationBlock b = sampleBlock();
    EXPECT_EQ(FormatCalibrationValues(&b).toStdString(), kExpected);
}

TEST(CalibrationValuesText, NoBlockGivesTheParameterError)
{
    EXPECT_EQ(FormatCalibrationValues(nullptr), QString("Ошибка параметров"));
}

TEST(CalibrationValuesText, ReportedOnlyWithTheCalibrationSwitch)
{
    const TCalibrationBlock b = sampleBlock();
    AppState().CalibrationValuesText = "earlier";
    AppState().ShowCalibrationValues = false;
    ReportCalibrationValues(&b);
    EXPECT_EQ(AppState().CalibrationValuesText, "earlier");

    AppState().ShowCalibrationValues = true;
    ReportCalibrationValues(&b);
    EXPECT_EQ(AppState().CalibrationValuesText.toStdString(), kExpected);
    ReportCalibrationValues(nullptr);
    EXPECT_EQ(AppState().CalibrationValuesText, QString("Ошибка параметров"));
    AppState().ShowCalibrationValues = false;
}
