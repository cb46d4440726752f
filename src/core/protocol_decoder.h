#pragma once
// Decoding the recorder's protocol records into the one-minute sample series.
#include "converter_calibration.h"
#include "decode_car.h"
#include "grad_point.h"
#include "kdd_sample.h"
#include "protokol_record.h"

#include <functional>

// The three tables of a run, prepared by the caller (cleaned and sorted where the source asks).
struct TDecodeTables {
    TGrad Tank1, Tank2, Temp;
};

struct TDecodeSettings {
    bool UseDiffInADC = true;
    // Called for every decoded calibration header (the auxiliary window's calibration values).
    std::function<void(const TConverterCalibration&)> OnCalibration;
};

// A corrupt clock cannot make the series grow without bound: decoding stops at this many samples.
constexpr size_t kMaxProtocolSamples = 1'000'000;
// A clock record more than this far ahead of the running time is taken as invalid.
constexpr int64_t kMaxClockJumpSeconds = 31LL * 86400;

struct TDecodeReport {
    bool Truncated = false;   // stopped at kMaxProtocolSamples
    bool HasCalibration = false;
    TConverterCalibration LastCalibration;
};

// Decodes the records into out (emptied first). startTime: the first valid clock; endTime: the
// running time after the last sample (date-time doubles; 0 when no clock was valid). False when
// there are no records.
bool DecodeProtocol(const TProtokolRecords& records, const TDecodeCar& car, const TDecodeTables& tables,
                    const TDecodeSettings& settings, TKDDData& out, double& endTime, double& startTime,
                    TDecodeReport* report = nullptr);
