#include "output/worker_threads.h"

#include "output/play_state.h"

#include <QtGlobal>

#include <exception>
#include <utility>

WorkerThread::WorkerThread(std::function<void()> body)
    : thread_([this, body = std::move(body)]() mutable { run(std::move(body)); })
{
}

WorkerThread::~WorkerThread()
{
    if (thread_.joinable())
        thread_.join();
}

void WorkerThread::run(std::function<void()> body)
{
    std::string failure;
    try {
        if (body)
            body();
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "unknown exception";
    }
    if (!failure.empty())
        qWarning("play loop ended by an exception: %s", failure.c_str());
    {
        std::lock_guard lock(mutex_);
        failure_ = std::move(failure);
        done_ = true;
    }
    done_cv_.notify_all();
}

bool WorkerThread::finished() const
{
    std::lock_guard lock(mutex_);
    return done_;
}

bool WorkerThread::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(mutex_);
    if (!done_cv_.wait_until(lock, deadline, [this] { return done_; }))
        return false;
    lock.unlock();
    // The body has returned; what is left of the thread is only its exit.
    if (thread_.joinable())
        thread_.join();
    return true;
}

std::string WorkerThread::failure() const
{
    std::lock_guard lock(mutex_);
    return failure_;
}

void PostEndReport(QObject* reportTo, const PlayLoop& loop)
{
    if (!reportTo || !loop.onEnd)
        return;
    // Queued, never blocking: the GUI thread may be joining this very thread.
    QMetaObject::invokeMethod(
        reportTo,
        [onEnd = loop.onEnd, window = loop.window] {
            if (window)
                onEnd();
        },
        Qt::QueuedConnection);
}

namespace {

// Builds a thread body that runs the loop, clears `running` and reports the
// end. `running` is raised here, on the creating thread, before the thread
// exists: a preview timer that fires before the loop's first instruction must
// not take the play for ended.
std::function<void()> LoopBody(PlayLoop loop, std::atomic<std::uint8_t>* running, QObject* reportTo)
{
    if (!loop.run)
        return {};
    if (running)
        running->store(1, std::memory_order_relaxed);
    return [loop = std::move(loop), running, reportTo] {
        struct EndOfLoop {
            const PlayLoop& loop;
            std::atomic<std::uint8_t>* running;
            QObject* reportTo;
            // Runs when the loop returns or throws.
            ~EndOfLoop()
            {
                if (running)
                    running->store(0, std::memory_order_relaxed);
                PostEndReport(reportTo, loop);
            }
        } end{loop, running, reportTo};
        loop.run();
    };
}

std::atomic<std::uint8_t>* TrackRunningFlag(std::uint8_t track)
{
    if (track < 1 || track > kTrackCount)
        return nullptr;
    return &TrackRunning[track - 1];
}

}  // namespace

namespace {

// The owner is named before the running flag rises and the thread exists.
std::uint8_t ClaimPlayLoop(std::uint8_t mode)
{
    PlayLoopOwner.store(mode, std::memory_order_relaxed);
    return mode;
}

}  // namespace

mythread::mythread(std::uint8_t mode, PlayLoop loop, QObject* reportTo)
    : mode_(ClaimPlayLoop(mode))
    , worker_(mode > kModeNone && mode < kPlayModeCount ? LoopBody(std::move(loop), &PlayLoopRunning, reportTo)
                                                        : std::function<void()>{})
{
}

TCustomMyThread::TCustomMyThread(std::uint8_t mode, PlayLoop loop, QObject* reportTo)
    : mode_(mode)
    , worker_(TrackRunningFlag(mode) ? LoopBody(std::move(loop), TrackRunningFlag(mode), reportTo)
                                     : std::function<void()>{})
{
}
