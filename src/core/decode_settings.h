#pragma once
// Decoding settings of this run of the program: the converter mode from the configuration, and
// every decoded calibration block reported to the calibration-values text (the "/g" switch).
#include "config.h"
#include "protocol_decoder.h"

TDecodeSettings DecodeSettingsFromConfig(const TConfig& config);
