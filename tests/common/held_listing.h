#pragma once
// A folder whose listing does not answer until the test lets it go, as on a
// hung network or FUSE mount. A listing waits at most `bound`, so that a
// window that waits for it on the GUI thread fails the test instead of
// hanging it. The state is shared with the listing threads, which may
// outlive the test; letting go (or the end of the object) wakes them all.

#include <QString>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class HeldListing {
public:
    explicit HeldListing(QString folder, std::chrono::seconds bound = std::chrono::seconds(20))
        : m_state(std::make_shared<State>())
    {
        m_state->folder = std::move(folder);
        m_state->bound = bound;
    }
    ~HeldListing() { Release(); }
    HeldListing(const HeldListing&) = delete;
    HeldListing& operator=(const HeldListing&) = delete;

    /// Any thread: returns at once for another folder; for the held one, once let go or at the bound.
    std::function<void(const QString& folder)> Gate() const
    {
        return [state = m_state](const QString& folder) {
            if (folder != state->folder)
                return;
            std::unique_lock lock(state->mutex);
            ++state->waiting;
            if (!state->released.wait_for(lock, state->bound, [&] { return state->open; }))
                state->timedOut = true;
            --state->waiting;
        };
    }
    /// How many listings of the folder wait now.
    int Waiting() const
    {
        std::lock_guard lock(m_state->mutex);
        return m_state->waiting;
    }
    /// Whether a listing waited the whole bound: something waited for it.
    bool TimedOut() const
    {
        std::lock_guard lock(m_state->mutex);
        return m_state->timedOut;
    }
    void Release()
    {
        std::lock_guard lock(m_state->mutex);
        m_state->open = true;
        m_state->released.notify_all();
    }

private:
    struct State {
        QString folder;
        std::chrono::seconds bound{};
        std::mutex mutex;
        std::condition_variable released;
        bool open = false;
        bool timedOut = false;
        int waiting = 0;
    };
    std::shared_ptr<State> m_state;
};
