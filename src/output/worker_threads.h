#pragma once
// The threads that run play loops. The loops themselves belong to the windows
// (Draw, Section, Play, Sequence); a window hands its loop over as a PlayLoop
// and the thread runs a copy of it, so output/ never sees a window.
//
// A thread starts running when it is constructed and is joined by its owner
// (the hand-over): no thread deletes itself, and no object is destroyed while
// its thread still runs.

#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

/// Play-thread modes: which window's loop a `mythread` runs.
enum : std::uint8_t {
    kModeNone = 0,
    kModeEditorIlda = 1,           ///< EditorPlayIldaLoop: the Draw window's ILDA image
    kModeEditorDrawing = 2,        ///< EditorPlayDrawingLoop: the Draw window's drawing
    kModeSection = 3,              ///< PlaySectionLoop: the Section window's rows
    kModePlayDrawing = 4,          ///< PlayDrawingLoop: the Play window's drawing
    kModePlayIlda = 5,             ///< PlayIldaLoop: the Play window's ILDA image
    kModePlayTextHorizontal = 6,   ///< PlayTextHorizontalLoop
    kModeSectionDrawing = 7,       ///< PlaySectionDrawingLoop: the Section window's single drawing
    kModePlayTextVertical = 8,     ///< PlayTextVerticalLoop
};
inline constexpr int kPlayModeCount = 9;

/// A window's play loop and what the window does once it has returned.
struct PlayLoop {
    /// Worker thread. Returns when `StopRequested` is seen or the play is over.
    /// The hand-over clears `StopRequested` before the thread starts; the loop must not.
    std::function<void()> run{};
    /// GUI thread, queued after `run` returned; dropped when `window` is gone. May be empty.
    /// The Draw window's drawing play (mode 2) shows "drawing playing end..." here.
    std::function<void()> onEnd{};
    /// The window `onEnd` belongs to.
    QPointer<QObject> window{};
};

/// Where play threads send what the GUI thread must hear: end reports and
/// loop failures, both queued to the GUI thread, never waited for. Shared by
/// the threads and their owner; once the owner closes it, later reports go
/// nowhere, so a thread that outlives its owner never posts to a dead object.
class PlayReports {
public:
    /// GUI thread. `target` lives on the GUI thread; `onFailure` runs there with the exception's message.
    explicit PlayReports(QObject* target, std::function<void(const QString&)> onFailure = {});
    /// GUI thread, before `target` goes away: drops every later report.
    void Close();
    /// Any thread. Queues `loop.onEnd`; it runs only if `loop.window` still exists then.
    void PostEnd(const PlayLoop& loop);
    /// Any thread. Queues `onFailure` with the message of an exception that ended a loop.
    void PostFailure(const QString& message);

private:
    std::mutex mutex_;
    QObject* target_;
    std::function<void(const QString&)> onFailure_;
};

/// One OS thread running one function, joinable with a time bound.
class WorkerThread {
public:
    /// Any thread. Starts `body` on a new thread at once.
    explicit WorkerThread(std::function<void()> body);
    /// Joins, however long the body takes (unless abandoned): the body may read what its owner frees next.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    /// Any thread. True once the body has returned (or thrown).
    bool finished() const;
    /// Any thread but the worker. Waits until `deadline` for the body to return; true when it did.
    bool waitUntil(std::chrono::steady_clock::time_point deadline);
    /// After finished(): the message of an exception that escaped the body, empty if none.
    std::string failure() const;
    /// Owner's thread. Gives up on a body that will not return: the thread runs
    /// on by itself and this object no longer waits for it.
    void abandon();

private:
    // What the thread writes when the body ends; shared, so that an abandoned
    // thread still has it after this object is gone.
    struct State {
        mutable std::mutex mutex;
        std::condition_variable done_cv;
        bool done = false;
        std::string failure;
    };
    static void run(State& state, const std::function<void()>& body);

    std::shared_ptr<State> state_;
    std::thread thread_;  // last: starts after the state exists
};

/// The play thread: names its mode in `PlayLoopOwner`, runs the loop registered
/// for it, then clears `PlayLoopRunning` and posts the loop's end report (and
/// its failure, when it threw) to the GUI thread.
class mythread {
public:
    /// GUI thread. Starts at once; an empty loop (mode 0, unknown mode) ends at once.
    /// Null `reports` drops every report.
    mythread(std::uint8_t mode, PlayLoop loop, std::shared_ptr<PlayReports> reports);

    /// The play mode this thread was created with.
    std::uint8_t mode() const { return mode_; }
    /// The thread itself, for waiting and joining.
    WorkerThread& worker() { return worker_; }

private:
    std::uint8_t mode_;
    WorkerThread worker_;
};

/// A sequence track thread: runs track `mode` (1..3), then clears that
/// track's `TrackRunning` flag and posts its end report (and failure).
class TCustomMyThread {
public:
    /// GUI thread. Starts at once; an empty loop or a track outside 1..3 ends at once.
    TCustomMyThread(std::uint8_t mode, PlayLoop loop, std::shared_ptr<PlayReports> reports);

    /// The track number (1..3) this thread was created with.
    std::uint8_t mode() const { return mode_; }
    /// The thread itself, for waiting and joining.
    WorkerThread& worker() { return worker_; }

private:
    std::uint8_t mode_;
    WorkerThread worker_;
};
