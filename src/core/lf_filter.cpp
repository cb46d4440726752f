#include "lf_filter.h"

int TLFFilter::Process(bool force)
{
    if (!CanProcess(force)) return 0;
    if (written_ == 0) {
        FinishCurrent();
        ++occupied_;   // the first node stays as history for the second
        return 1;
    }
    if (pending_ >= 2) {
        TFilterNode& n = Node(readPos_);
        const TFilterNode& prev = Node(Prev(readPos_));
        const TFilterNode& next = Node(Next(readPos_));
        const double d1 = n.Raw - prev.Filtered;
        const double d2 = next.Raw - n.Raw;
        if (d1 * d2 < 0) {
            n.Filtered = prev.Filtered + (d1 + d2) / 2;
            n.Raw = n.Filtered;
        }
    }
    FinishCurrent();
    return 1;
}
