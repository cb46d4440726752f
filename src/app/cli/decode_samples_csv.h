#pragma once
// The decoded series as a CSV table (one row a minute) for spreadsheets and plots.
#include "kdd_sample.h"

#include <QString>

// start: the series' first minute as a date-time double. False when the file cannot be written.
bool WriteSamplesCsv(const QString& path, const TKDDData& samples, double start);
