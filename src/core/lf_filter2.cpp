#include "lf_filter2.h"

#include <cmath>

int TLFFilter2::Process(bool force)
{
    if (!CanProcess(force)) return 0;
    if (pending_ == size_) {
        if (!StraightenWindow()) FinishCurrent();
    } else if (pending_ >= 2 && written_ > 0) {
        SmoothTail();
    } else {
        FinishCurrent();
    }
    return 1;
}

// A = current node, B, C, D the next three. On a mixed wiggle below the threshold B, C and D are
// put on the line from A, B is written back and becomes the current node; A keeps its sample value.
bool TLFFilter2::StraightenWindow()
{
    const uint32_t ia = readPos_, ib = Next(ia), ic = Next(ib), id = Next(ic);
    TFilterNode &a = Node(ia), &b = Node(ib), &c = Node(ic), &d = Node(id);
    const double d1 = b.Raw - a.Raw, d2 = c.Raw - b.Raw, d3 = d.Raw - c.Raw;
    const double t = threshold_;
    if (!(std::fabs(d1) < t && std::fabs(d2) < t && std::fabs(d3) < t)) return false;
    const bool anyNegative = d1 < 0 || d2 < 0 || d3 < 0;
    const bool anyPositive = d1 > 0 || d2 > 0 || d3 > 0;
    if (!(anyNegative && anyPositive)) return false;
    const double e = (d1 + d2 + d3) / 3;
    b.Raw = b.Filtered = a.Raw + e;
    c.Raw = c.Filtered = a.Raw + 2 * e;
    d.Raw = d.Filtered = a.Raw + 3 * e;
    readPos_ = ib;
    WriteBack(b);
    return true;
}

// The last nodes of a flush: a peak or dip against the previous filtered value and the next raw
// value is replaced by their mean.
void TLFFilter2::SmoothTail()
{
    TFilterNode& n = Node(readPos_);
    const TFilterNode& prev = Node(Prev(readPos_));
    const TFilterNode& next = Node(Next(readPos_));
    const double d1 = n.Filtered - prev.Filtered;
    const double d2 = next.Raw - n.Raw;
    if (d1 * d2 < 0) n.Filtered = prev.Filtered + (d1 + d2) / 2;
    n.Raw = n.Filtered;
    FinishCurrent();
}
