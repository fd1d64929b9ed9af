#pragma once
// Ends the test program when a test has not ended within a bound: a wait
// that a regression makes endless fails the test instead of hanging it.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

class StallGuard {
public:
    explicit StallGuard(std::chrono::seconds bound)
        : m_thread([this, bound] {
              std::unique_lock lock(m_mutex);
              if (!m_ended.wait_for(lock, bound, [this] { return m_done; })) {
                  std::fputs("stalled: the test did not end in time\n", stderr);
                  std::_Exit(1);
              }
          })
    {
    }
    ~StallGuard()
    {
        {
            const std::scoped_lock lock(m_mutex);
            m_done = true;
        }
        m_ended.notify_one();
        m_thread.join();
    }
    StallGuard(const StallGuard&) = delete;
    StallGuard& operator=(const StallGuard&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    std::thread m_thread;  // last: starts once the rest exists
};
