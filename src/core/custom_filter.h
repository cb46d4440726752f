#pragma once
// Base of the tank-level filters: a fixed ring of nodes. The driver pushes sample fields in, the
// filter decides when a node is final and writes its value back into the sample (centilitres).
// The ring is allocated once at construction; pushing and stepping never allocate.
#include <cstdint>
#include <vector>

struct TFilterNode {
    double Raw = -1.0;        // litres; negative: empty node
    double Filtered = -1.0;
    int32_t* Target = nullptr;   // the sample field the value came from
};

class TCustomFilter {
public:
    TCustomFilter(uint32_t size, double threshold);
    virtual ~TCustomFilter() = default;
    TCustomFilter(const TCustomFilter&) = delete;
    TCustomFilter& operator=(const TCustomFilter&) = delete;

    virtual void WriteBack(TFilterNode& node);
    // Finishes one node when the ring is full (or always when forced and something is pending).
    virtual int Process(bool force) = 0;
    // False when the ring holds no free node; target must outlive the pass.
    virtual bool Push(int32_t* target);
    // Process(false); returns its result so a driver can see that nothing moved.
    virtual int Step();
    // Finishes every pending node, then starts afresh as if newly built.
    virtual void Flush();

    double Threshold() const { return threshold_; }
    double LastValue() const { return lastValue_; }
    uint32_t Pending() const { return pending_; }
    uint32_t Size() const { return size_; }
    uint32_t Pushed() const { return pushed_; }
    uint32_t Written() const { return written_; }
    uint32_t Occupied() const { return occupied_; }

protected:
    // True when Process has a node to finish.
    bool CanProcess(bool force) const { return pending_ != 0 && (force || occupied_ >= size_); }
    TFilterNode& Node(uint32_t i) { return nodes_[i]; }
    uint32_t Next(uint32_t i) const { return i + 1 == size_ ? 0 : i + 1; }
    uint32_t Prev(uint32_t i) const { return i == 0 ? size_ - 1 : i - 1; }
    // Writes back the node at the read position and moves the read position on.
    void FinishCurrent();

    uint32_t writePos_ = 0;
    uint32_t readPos_ = 0;
    double threshold_ = 0;
    double lastValue_ = 0;
    uint32_t pending_ = 0;
    uint32_t size_ = 0;
    uint32_t pushed_ = 0;
    uint32_t written_ = 0;
    uint32_t occupied_ = 0;

private:
    std::vector<TFilterNode> nodes_;
};
