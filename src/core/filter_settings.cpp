#include "filter_settings.h"

#include "config.h"

#include <cstdlib>

TFilterSettings DefaultFilterSettings()
{
    TFilterSettings s;
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j) s.AvgFilterK[i][j] = DefaultAvgFilterWeight(std::abs(i - j));
    return s;
}

TFilterSettings FilterSettingsFrom(const TConfig& config)
{
    TFilterSettings s;
    s.ApplyFilter = config.ApplyFilter;
    s.UseFilter1 = config.UseFilter1;
    s.UseFilter2 = config.UseFilter2;
    s.UseFilterAvg = config.UseFilterAvg;
    s.SkipPauses = config.SkipPauses;
    s.AvgFilterK = config.AvgFilterK;
    return s;
}
