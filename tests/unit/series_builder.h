#pragma once
// Small sample series for the filter, fuel-event and statistics tests.
#include "kdd_sample.h"

#include <cstddef>
#include <initializer_list>
#include <vector>

constexpr uint32_t kOn = sfData | sfNew | sfEngine;   // a measured engine-on sample (7)

inline TKDDSample MakeSample(uint32_t flags, int32_t tank1 = 0, int32_t tank2 = 0)
{
    TKDDSample s;
    s.Flags = flags;
    s.Tank1 = tank1;
    s.Tank2 = tank2;
    return s;
}

// One sample per level (centilitres), all with the same flags.
inline TKDDData LevelSeries(std::initializer_list<int32_t> levels, uint32_t flags = kOn)
{
    TKDDData d;
    for (int32_t l : levels) d.push_back(MakeSample(flags, l));
    return d;
}

inline void Append(TKDDData& d, size_t count, int32_t level, uint32_t flags = kOn)
{
    for (size_t i = 0; i < count; ++i) d.push_back(MakeSample(flags, level));
}

inline std::vector<int32_t> Tank1Of(const TKDDData& d)
{
    std::vector<int32_t> v;
    for (const TKDDSample& s : d) v.push_back(s.Tank1);
    return v;
}
