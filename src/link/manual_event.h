#pragma once
// A manual-reset event: stays signalled until reset; any number of waiters pass while it is set.
#include <chrono>
#include <condition_variable>
#include <mutex>

class ManualEvent {
public:
    void set()
    {
        {
            std::lock_guard lock(m_);
            set_ = true;
        }
        cv_.notify_all();
    }
    void reset()
    {
        std::lock_guard lock(m_);
        set_ = false;
    }
    bool isSet() const
    {
        std::lock_guard lock(m_);
        return set_;
    }
    // True when the event was (or became) signalled within the time.
    bool wait(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_);
        return cv_.wait_for(lock, timeout, [this] { return set_; });
    }
    void wait()
    {
        std::unique_lock lock(m_);
        cv_.wait(lock, [this] { return set_; });
    }

private:
    mutable std::mutex m_;
    std::condition_variable cv_;
    bool set_ = false;
};
