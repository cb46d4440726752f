#pragma once
// A long device operation runs on the worker thread; the main thread shows a modal progress
// window that follows the operation's busy flag and percent value and can request an abort.
#include <QString>
#include <atomic>

struct ProgressSource {
    virtual ~ProgressSource() = default;
    virtual bool busy() const = 0;        // true while the operation runs
    virtual int percent() const = 0;      // 0 ... 100 (values above 100 are shown as 100)
    virtual void requestAbort() = 0;      // the operation ends early at its next step
};

// Shows progress until source.busy() turns false. Implemented by the progress window (GUI),
// by a text reporter (command-line tool) and by tests.
struct ProgressHost {
    virtual ~ProgressHost() = default;
    virtual void follow(ProgressSource& source, const QString& caption) = 0;
};

// Adapter for the plain flag and value pair that a worker exposes.
class FlagProgressSource : public ProgressSource {
public:
    FlagProgressSource(const std::atomic<bool>& busy, const std::atomic<int>& percent, std::atomic<bool>& abort)
        : busy_(busy), percent_(percent), abort_(abort) {}
    bool busy() const override { return busy_.load(); }
    int percent() const override { return percent_.load(); }
    void requestAbort() override { abort_.store(true); }

private:
    const std::atomic<bool>& busy_;
    const std::atomic<int>& percent_;
    std::atomic<bool>& abort_;
};
