#pragma once
// Filter 3: weighted moving average over up to three samples before and three after, with the
// weight matrix of the settings (row = how many neighbours each side are available). Ring of 7;
// up to three finished nodes stay as history. Averages use the raw values.
#include "custom_filter.h"

#include <array>

using TAvgFilterK = std::array<std::array<double, 7>, 7>;

class TAvgFilter : public TCustomFilter {
public:
    TAvgFilter(double x, const TAvgFilterK& k) : TCustomFilter(7, x), k_(k) {}
    int Process(bool force) override;

private:
    TAvgFilterK k_;
};
