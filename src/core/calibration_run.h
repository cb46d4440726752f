#pragma once
// The recorder's side of a calibration run: the converter-calibration block and the calibration
// points a recorder writes while a tank is filled in known steps. One command a line, '#' starts
// a comment:
//   hw 3  sw 7  options 4      header bytes of the calibration header (one per line or together)
//   word 17 2048               block word 17 := 2048 (words 0 ... 31)
//   point 1200 800 24.5        a point: tank 1 code, tank 2 code, supply voltage in volts
#include "protokol_record.h"

#include <QString>
#include <array>
#include <vector>

struct TCalibrationRunPoint {
    uint16_t Tank1 = 0, Tank2 = 0;
    double Supply = 0;   // volts
};

struct TCalibrationScenario {
    uint8_t HWVer = 0, SWVer = 0, Options = 0;
    std::array<uint16_t, 32> Words{};
    std::vector<TCalibrationRunPoint> Points;
};

bool ParseCalibrationScenario(const QString& text, TCalibrationScenario& out, QString& error);

// Block chunks, the calibration header, then one point record pair (type 10 with the point bit,
// type 12) per point; the reference channel reads 8 V.
TProtokolRecords GenerateCalibrationRun(const TCalibrationScenario& scenario);
