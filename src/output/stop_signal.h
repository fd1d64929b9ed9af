#pragma once
// The stop flag of the play loops, with a wait that a raise ends at once.
//
// Reads and writes are those of an atomic byte (load, store, assignment);
// every store of a non-zero value also wakes the threads waiting in WaitUntil,
// so a loop with no controller waits a frame's time in one sleep and still
// ends the moment a stop control is pressed.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class StopSignal {
public:
    using Clock = std::chrono::steady_clock;

    explicit StopSignal(std::uint8_t raised) noexcept : value_(raised) {}
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    /// Any thread.
    std::uint8_t load(std::memory_order order = std::memory_order_seq_cst) const noexcept { return value_.load(order); }
    /// Any thread. A non-zero value wakes every waiter.
    void store(std::uint8_t value, std::memory_order order = std::memory_order_seq_cst)
    {
        value_.store(value, order);
        if (value != 0)
            WakeWaiters();
    }
    StopSignal& operator=(std::uint8_t value)
    {
        store(value);
        return *this;
    }
    operator std::uint8_t() const noexcept { return load(); }  // NOLINT: reads as the flag

    /// Worker thread. Sleeps until `deadline`, the flag is raised or `alsoEnd` (when given) is
    /// non-zero; true when the flag or `alsoEnd` ended it. Whoever raises `alsoEnd` calls WakeWaiters.
    bool WaitUntil(Clock::time_point deadline, const std::atomic<std::uint8_t>* alsoEnd = nullptr)
    {
        const auto ended = [&] {
            return value_.load(std::memory_order_relaxed) != 0
                   || (alsoEnd && alsoEnd->load(std::memory_order_relaxed) != 0);
        };
        std::unique_lock lock(mutex_);
        return cv_.wait_until(lock, deadline, ended);
    }

    /// Any thread. Every waiter looks at its flags again.
    void WakeWaiters()
    {
        // Taken and let go so that a waiter between its check and its sleep cannot miss the wake.
        { std::lock_guard lock(mutex_); }
        cv_.notify_all();
    }

private:
    std::atomic<std::uint8_t> value_;
    std::mutex mutex_;
    std::condition_variable cv_;
};
