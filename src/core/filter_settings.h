#pragma once
// The filter switches and weights of the settings, as the filters read them.
#include "avg_filter.h"

struct TConfig;

struct TFilterSettings {
    bool ApplyFilter = true;
    bool UseFilter1 = false;
    bool UseFilter2 = true;
    bool UseFilterAvg = true;
    bool SkipPauses = false;
    TAvgFilterK AvgFilterK{};   // all zero: set it from the settings or DefaultFilterSettings()
};

// The defaults of a fresh settings file.
TFilterSettings DefaultFilterSettings();
TFilterSettings FilterSettingsFrom(const TConfig& config);
