#include "avg_filter.h"

#include <algorithm>

int TAvgFilter::Process(bool force)
{
    if (!CanProcess(force)) return 0;
    TFilterNode& n = Node(readPos_);
    const bool keepHistory = written_ < 3;

    // Backward part: the node itself and up to b finished nodes before it.
    const uint32_t b = std::min<uint32_t>(written_, 3);
    double s = n.Raw * k_[b][b];
    double w = k_[b][b];
    uint32_t pos = readPos_;
    for (int col = int(b) - 1; col >= 0; --col) {
        pos = Prev(pos);
        const TFilterNode& p = Node(pos);
        if (p.Raw < 0) break;
        s += p.Raw * k_[b][col];
        w += k_[b][col];
    }

    // Forward part: r nodes after it. Pending counts the current node, so the walk may reach a
    // ring node that still holds an earlier sample; that value takes part.
    const uint32_t r = written_ < 3 ? std::min<uint32_t>(6 - written_, pending_) : std::min<uint32_t>(3, pending_);
    if (r > 0) {
        const uint32_t f = 6 - r;
        pos = readPos_;
        for (uint32_t col = 7 - r; col <= 6; ++col) {
            pos = Next(pos);
            const TFilterNode& p = Node(pos);
            if (p.Raw < 0) break;
            s += p.Raw * k_[f][col];
            w += k_[f][col];
        }
    }

    if (w != 0) n.Filtered = s / w;
    FinishCurrent();
    if (keepHistory) ++occupied_;
    return 1;
}
