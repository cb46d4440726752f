#pragma once
// Preparing a calibration table and converting readings through it.
#include "grad_point.h"

#include <cstdint>
#include <vector>

// Deletes every point whose VAL is not >= 0 (negative or NaN); the rest keep their order.
void RemoveEmptyGradPoints(TGrad& table);

// Stable ascending sort by the key: points with equal keys keep their recorded order.
void SortGradByKey(TGrad& table, TGradKeyField key);

// Cleans and sorts a table the way every lookup expects it.
inline void PrepareGrad(TGrad& table, TGradKeyField key)
{
    RemoveEmptyGradPoints(table);
    SortGradByKey(table, key);
}

// Linear interpolation through a cleaned, sorted table (rising or falling), extrapolated from the
// first or last segment outside it. No table: NaN; fewer than two points: 0; equal keys on the
// segment used: 0. Without allowNegative a negative or NaN result becomes 0.
long double GradValueByVoltage(uint32_t reading, const TGrad* table, TGradKeyField key, bool allowNegative);

// The same search by R_SENSOR; a negative or NaN result always becomes 0.
long double GradValueByResistance(long double resistance, const TGrad* table);

// A table bound to its key for many lookups: gives exactly GradValueByVoltage's results, but
// searches a sorted table by bisection instead of point by point.
class TGradLookup {
public:
    TGradLookup(const TGrad& table, TGradKeyField key);
    long double byVoltage(uint32_t reading, bool allowNegative) const;
    long double byResistance(long double resistance) const;   // key R_SENSOR

private:
    long double raw(long double x) const;
    const TGrad& table_;
    TGradKeyField key_;
    std::vector<long double> keys_;
    bool sortedRising_ = false;   // non-decreasing keys with K(0) < K(1)
};

// Majority direction of a table's keys (marks the points that break it in the calibration grid).
enum class TGradDirection { Rising, Falling, Undecided };
TGradDirection GradDirection(const TGrad& table, TGradKeyField key);

// How a table runs on to an empty and to a full tank (chart only).
struct TGradEnds {
    enum : int { StartPoint = 1, StartAtZeroKey = 2, EndPoint = 4, EndAtZeroKey = 8 };
    long double StartKey = 0, StartVal = 0;
    long double EndKey = 0, EndVal = 0;
    int Flags = 0;
};
// table: cleaned and sorted, at least two points; tankVolume: the full-tank value T.
TGradEnds GradEndExtensions(const TGrad& table, TGradKeyField key, long double tankVolume);
