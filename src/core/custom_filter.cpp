#include "custom_filter.h"

#include <cmath>
#include <limits>

namespace {

// Litres back to centilitres, nearest integer with halves to even; out-of-range values saturate.
int32_t ToCentilitres(double litres)
{
    const double cl = std::nearbyint(litres * 100.0);
    if (!(cl == cl)) return 0;
    if (cl >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    if (cl <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    return int32_t(cl);
}

}  // namespace

TCustomFilter::TCustomFilter(uint32_t size, double threshold)
    : threshold_(threshold), size_(size == 0 ? 1 : size), nodes_(size_)
{
}

void TCustomFilter::WriteBack(TFilterNode& node)
{
    lastValue_ = node.Filtered;
    if (node.Target) *node.Target = ToCentilitres(node.Filtered);
    ++written_;
    --occupied_;
    --pending_;
}

bool TCustomFilter::Push(int32_t* target)
{
    if (occupied_ >= size_) return false;
    TFilterNode& n = nodes_[writePos_];
    n.Target = target;
    n.Raw = n.Filtered = double(*target) / 100.0;
    ++occupied_;
    ++pushed_;
    ++pending_;
    writePos_ = Next(writePos_);
    return true;
}

int TCustomFilter::Step()
{
    return Process(false);
}

void TCustomFilter::Flush()
{
    // Every forced Process finishes one pending node; the bound only guards a faulty subclass.
    for (uint32_t guard = 0; pending_ > 0 && guard <= 2 * size_; ++guard)
        if (Process(true) == 0) break;
    for (TFilterNode& n : nodes_) n = TFilterNode{};
    pending_ = pushed_ = written_ = occupied_ = 0;
    readPos_ = writePos_;
}

void TCustomFilter::FinishCurrent()
{
    WriteBack(nodes_[readPos_]);
    readPos_ = Next(readPos_);
}
