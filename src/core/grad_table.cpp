#include "grad_table.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

// V(a) + (x - K(a)) * (V(b) - V(a)) / (K(b) - K(a)); a zero divisor or an overflow gives 0, the
// way a failed division is answered everywhere in the conversions.
using KeyMember = long double TGradPoint::*;

long double segment(const TGrad& t, KeyMember key, int a, int b, long double x)
{
    const long double ka = t[a].*key;
    const long double kb = t[b].*key;
    const long double dk = kb - ka;
    if (dk == 0)
        return 0;
    const long double r = t[a].VAL + (x - ka) * (t[b].VAL - t[a].VAL) / dk;
    return std::isinf(r) ? 0 : r;
}

long double lookup(const TGrad& t, TGradKeyField field, long double x)
{
    const int n = int(t.size());
    if (n < 2)
        return 0;
    const KeyMember key = GradKeyMember(field);
    auto K = [&](int i) { return t[i].*key; };
    if (K(0) < K(1)) {
        if (x < K(0))
            return segment(t, key, 0, 1, x);
        if (x >= K(n - 1))
            return segment(t, key, n - 2, n - 1, x);
        for (int i = 1; i < n; ++i)
            if (K(i - 1) <= x && x <= K(i))
                return segment(t, key, i - 1, i, x);
    } else {
        if (x > K(0))
            return segment(t, key, 0, 1, x);
        if (x <= K(n - 1))
            return segment(t, key, n - 2, n - 1, x);
        for (int i = 1; i < n; ++i)
            if (K(i) <= x && x <= K(i - 1))
                return segment(t, key, i - 1, i, x);
    }
    return kNaN;
}

long double nonNegative(long double v) { return (std::isnan(v) || v < 0) ? 0 : v; }

}  // namespace

void RemoveEmptyGradPoints(TGrad& table)
{
    std::erase_if(table, [](const TGradPoint& p) { return !(p.VAL >= 0); });
}

void SortGradByKey(TGrad& table, TGradKeyField key)
{
    // Insertion sort moving a point left past strictly greater keys only: stable, and a NaN key
    // simply stays where it is.
    for (size_t i = 1; i < table.size(); ++i) {
        const TGradPoint p = table[i];
        const long double k = GradPointKey(p, key);
        size_t j = i;
        while (j > 0 && GradPointKey(table[j - 1], key) > k) {
            table[j] = table[j - 1];
            --j;
        }
        table[j] = p;
    }
}

long double GradValueByVoltage(uint32_t reading, const TGrad* table, TGradKeyField key, bool allowNegative)
{
    if (!table)
        return kNaN;
    if (table->size() < 2)
        return 0;
    const long double v = lookup(*table, key, static_cast<long double>(reading));
    return allowNegative ? v : nonNegative(v);
}

long double GradValueByResistance(long double resistance, const TGrad* table)
{
    if (!table)
        return 0;
    return nonNegative(lookup(*table, TGradKeyField::R_SENSOR, resistance));
}

TGradDirection GradDirection(const TGrad& table, TGradKeyField key)
{
    int rising = 0, other = 0;
    for (size_t i = 1; i < table.size(); ++i) {
        if (GradPointKey(table[i - 1], key) < GradPointKey(table[i], key))
            ++rising;
        else
            ++other;
    }
    if (rising > other)
        return TGradDirection::Rising;
    return rising < other ? TGradDirection::Falling : TGradDirection::Undecided;
}

TGradEnds GradEndExtensions(const TGrad& table, TGradKeyField key, long double T)
{
    TGradEnds e;
    const size_t n = table.size();
    if (n < 2)
        return e;
    auto K = [&](size_t i) { return GradPointKey(table[i], key); };
    auto V = [&](size_t i) { return table[i].VAL; };

    const size_t j = 0, D = 1;
    if (V(j) > 0 && V(j) < T && K(j) > 0 && V(D) >= 0 && K(D) >= 0 && V(D) != V(j)) {
        if (V(D) > V(j)) {
            e.StartKey = K(j) - V(j) * (K(D) - K(j)) / (V(D) - V(j));
            e.StartVal = 0;
        } else {
            e.StartKey = K(j) - (T - V(j)) * (K(D) - K(j)) / (V(j) - V(D));
            e.StartVal = T;
        }
        e.Flags |= TGradEnds::StartPoint;
        if (e.StartKey < 0 && K(j) != K(D)) {
            e.StartKey = 0;
            e.StartVal = V(j) + K(j) * (V(j) - V(D)) / (K(D) - K(j));
            e.Flags |= TGradEnds::StartAtZeroKey;
        }
    }

    const size_t i = n - 2, k = n - 1;
    if (V(k) > 0 && V(k) < T && K(k) > 0 && V(i) >= 0 && K(i) >= 0 && K(k) != K(i) && V(k) != V(i)) {
        if (V(k) > V(i)) {
            e.EndKey = K(k) + (T - V(k)) * (K(k) - K(i)) / (V(k) - V(i));
            e.EndVal = T;
        } else {
            e.EndKey = K(k) - V(k) * (K(k) - K(i)) / (V(k) - V(i));
            e.EndVal = 0;
        }
        e.Flags |= TGradEnds::EndPoint;
        if (e.EndKey < 0) {
            e.EndKey = 0;
            e.EndVal = V(k) + K(k) * (V(k) - V(i)) / (K(i) - K(k));
            e.Flags |= TGradEnds::EndAtZeroKey;
        }
    }
    return e;
}

TGradLookup::TGradLookup(const TGrad& table, TGradKeyField key) : table_(table), key_(key)
{
    keys_.reserve(table.size());
    for (const TGradPoint& p : table)
        keys_.push_back(GradPointKey(p, key));
    sortedRising_ = keys_.size() >= 2 && keys_[0] < keys_[1] && std::is_sorted(keys_.begin(), keys_.end());
}

long double TGradLookup::raw(long double x) const
{
    const int n = int(keys_.size());
    if (!sortedRising_ || std::isnan(x) || x < keys_[0] || x >= keys_[n - 1])
        return lookup(table_, key_, x);
    // In non-decreasing keys the first i with K(i-1) <= x <= K(i) is the first key >= x (at least 1).
    const int i = std::max(1, int(std::lower_bound(keys_.begin(), keys_.end(), x) - keys_.begin()));
    return segment(table_, GradKeyMember(key_), i - 1, i, x);
}

long double TGradLookup::byVoltage(uint32_t reading, bool allowNegative) const
{
    if (table_.size() < 2)
        return 0;
    const long double v = raw(static_cast<long double>(reading));
    return allowNegative ? v : nonNegative(v);
}

long double TGradLookup::byResistance(long double resistance) const { return nonNegative(raw(resistance)); }
