#pragma once
// The calibration-values report shown by the auxiliary window.
#include "calibration_block.h"

#include <QString>

// One line per header byte and per coefficient, lines separated by CR LF; "Ошибка параметров"
// when there is no block.
QString FormatCalibrationValues(const TCalibrationBlock* block);

// Called wherever a calibration block has been decoded: with the "/g" switch the block (or its
// absence) becomes the new CalibrationValuesText; otherwise nothing happens.
void ReportCalibrationValues(const TCalibrationBlock* block);
