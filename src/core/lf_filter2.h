#pragma once
// Filter 2: a small wiggle over four samples (three steps below the threshold, not all one way)
// becomes a straight line. Ring of 4; the threshold is twice the constructor's value.
#include "custom_filter.h"

class TLFFilter2 : public TCustomFilter {
public:
    explicit TLFFilter2(double x) : TCustomFilter(4, 2 * x) {}
    int Process(bool force) override;

private:
    bool StraightenWindow();
    void SmoothTail();
};
