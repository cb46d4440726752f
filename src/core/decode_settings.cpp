#include "decode_settings.h"

#include "calibration_values_text.h"

TDecodeSettings DecodeSettingsFromConfig(const TConfig& config)
{
    TDecodeSettings s;
    s.UseDiffInADC = config.UseDiffInADC;
    s.OnCalibration = [](const TConverterCalibration& c) {
        const TCalibrationBlock block = ToCalibrationBlock(c);
        ReportCalibrationValues(&block);
    };
    return s;
}
