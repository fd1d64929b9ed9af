#include "output/worker_threads.h"

#include "output/play_state.h"

#include <QtGlobal>

#include <exception>
#include <utility>

WorkerThread::WorkerThread(std::function<void()> body)
    : state_(std::make_shared<State>())
    , thread_([state = state_, body = std::move(body)] { run(*state, body); })
{
}

WorkerThread::~WorkerThread()
{
    if (thread_.joinable())
        thread_.join();
}

void WorkerThread::run(State& state, const std::function<void()>& body)
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
        std::lock_guard lock(state.mutex);
        state.failure = std::move(failure);
        state.done = true;
    }
    state.done_cv.notify_all();
}

bool WorkerThread::finished() const
{
    std::lock_guard lock(state_->mutex);
    return state_->done;
}

bool WorkerThread::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(state_->mutex);
    if (!state_->done_cv.wait_until(lock, deadline, [this] { return state_->done; }))
        return false;
    lock.unlock();
    // The body has returned; what is left of the thread is only its exit.
    if (thread_.joinable())
        thread_.join();
    return true;
}

std::string WorkerThread::failure() const
{
    std::lock_guard lock(state_->mutex);
    return state_->failure;
}

void WorkerThread::abandon()
{
    if (thread_.joinable())
        thread_.detach();
}

PlayReports::PlayReports(QObject* target, std::function<void(const QString&)> onFailure)
    : target_(target), onFailure_(std::move(onFailure))
{
}

void PlayReports::Close()
{
    std::lock_guard lock(mutex_);
    target_ = nullptr;
}

void PlayReports::PostEnd(const PlayLoop& loop)
{
    if (!loop.onEnd)
        return;
    // Queued, never blocking: the GUI thread may be joining this very thread.
    // The lock keeps the target from going away while the event is posted.
    std::lock_guard lock(mutex_);
    if (!target_)
        return;
    QMetaObject::invokeMethod(
        target_,
        [onEnd = loop.onEnd, window = loop.window] {
            if (window)
                onEnd();
        },
        Qt::QueuedConnection);
}

void PlayReports::PostFailure(const QString& message)
{
    std::lock_guard lock(mutex_);
    if (!target_ || !onFailure_)
        return;
    QMetaObject::invokeMethod(
        target_, [onFailure = onFailure_, message] { onFailure(message); }, Qt::QueuedConnection);
}

namespace {

// Builds a thread body that runs the loop, clears `running` and reports the
// end. `running` is raised here, on the creating thread, before the thread
// exists: a preview timer that fires before the loop's first instruction must
// not take the play for ended.
std::function<void()> LoopBody(PlayLoop loop, std::atomic<std::uint8_t>* running,
                               std::shared_ptr<PlayReports> reports)
{
    if (!loop.run)
        return {};
    if (running)
        running->store(1, std::memory_order_relaxed);
    return [loop = std::move(loop), running, reports = std::move(reports)] {
        struct EndOfLoop {
            const PlayLoop& loop;
            std::atomic<std::uint8_t>* running;
            PlayReports* reports;
            // Runs when the loop returns or throws.
            ~EndOfLoop()
            {
                if (running)
                    running->store(0, std::memory_order_relaxed);
                if (reports)
                    reports->PostEnd(loop);
            }
        } end{loop, running, reports.get()};
        try {
            loop.run();
        } catch (...) {
            // The operator must hear why the play stopped; the thread keeps the
            // exception for its owner too.
            if (reports) {
                try {
                    throw;
                } catch (const std::exception& e) {
                    reports->PostFailure(QString::fromLocal8Bit(e.what()));
                } catch (...) {
                    reports->PostFailure(QStringLiteral("Unknown error."));
                }
            }
            throw;
        }
    };
}

std::atomic<std::uint8_t>* TrackRunningFlag(std::uint8_t track)
{
    if (track < 1 || track > kTrackCount)
        return nullptr;
    return &TrackRunning[track - 1];
}

// The owner is named before the running flag rises and the thread exists.
std::uint8_t ClaimPlayLoop(std::uint8_t mode)
{
    PlayLoopOwner.store(mode, std::memory_order_relaxed);
    return mode;
}

}  // namespace

mythread::mythread(std::uint8_t mode, PlayLoop loop, std::shared_ptr<PlayReports> reports)
    : mode_(ClaimPlayLoop(mode))
    , worker_(mode > kModeNone && mode < kPlayModeCount
                  ? LoopBody(std::move(loop), &PlayLoopRunning, std::move(reports))
                  : std::function<void()>{})
{
}

TCustomMyThread::TCustomMyThread(std::uint8_t mode, PlayLoop loop, std::shared_ptr<PlayReports> reports)
    : mode_(mode)
    , worker_(TrackRunningFlag(mode) ? LoopBody(std::move(loop), TrackRunningFlag(mode), std::move(reports))
                                     : std::function<void()>{})
{
}
