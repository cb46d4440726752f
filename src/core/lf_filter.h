#pragma once
// Filter 1: a single-sample spike (above or below both neighbours) becomes the mean of its
// neighbours. Ring of 3; one finished node stays as history for the next.
#include "custom_filter.h"

class TLFFilter : public TCustomFilter {
public:
    explicit TLFFilter(double x) : TCustomFilter(3, x) {}
    int Process(bool force) override;
};
