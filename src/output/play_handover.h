#pragma once
// The one way a play starts and the one way all play ends.
//
// Every start: raise `StopRequested`, end the music, wait (with a bound) until
// every running worker has returned and join it, let the window prepare its
// play lists, clear `StopRequested`, start the new worker(s). A worker that
// does not stop within the bound makes the start refuse: the window's lists
// are not touched while a loop may still read them.
//
// Shut-down and a window that is about to free its play lists call stopAll()
// first. All of this is GUI-thread only; workers never call in here, they
// report back by queued invocation.

#include "output/play_state.h"
#include "output/worker_threads.h"

#include <QObject>
#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

/// What a start handler shows when the start is refused.
inline constexpr const char* kPlayStillRunningText = "last play not stopped, try again...";

/// How long a start waits for the running loops. A loop polls the stop flag
/// between frames; the worst frame is one fan-out in which devices time out.
inline constexpr std::chrono::milliseconds kDefaultJoinBound{5000};

/// The outcome of a start.
struct PlayStart {
    enum class Result { Started, Refused, NotPrepared };
    Result result = Result::Started;
    /// Empty when started or not prepared; otherwise the status text for the window.
    QString status;
    /// True when the new worker(s) run.
    bool started() const { return result == Result::Started; }
};

/// Whether a track start ends the music: a sequence whose music was started
/// for these tracks (after the hand-over stopped everything) keeps it.
enum class MusicAtStart { End, Keep };

class PlayHandOver : public QObject {
    Q_OBJECT
public:
    /// Prepares the window's play lists; false: nothing starts.
    using Prepare = std::function<bool()>;

    /// GUI thread. `joinBound` limits how long a start or stopAll() waits for running loops.
    explicit PlayHandOver(std::chrono::milliseconds joinBound = kDefaultJoinBound, QObject* parent = nullptr);
    /// Raises the stop flag and joins every worker, without a bound.
    ~PlayHandOver() override;

    /// GUI thread, when a window is created: the loop a play mode (1..8) runs. Other modes are ignored.
    void setPlayLoop(std::uint8_t mode, PlayLoop loop);
    /// GUI thread, when the Sequence window is created: the loop of track 1..3. Other tracks are ignored.
    void setTrackLoop(std::uint8_t track, PlayLoop loop);
    /// GUI thread: how the music is ended (the music control fills it; empty: no music).
    void setEndMusic(std::function<void()> endMusic);

    /// GUI thread. Hands over to a play thread in `mode`; `prepare` runs only after every worker has returned.
    PlayStart startPlay(std::uint8_t mode, const Prepare& prepare);
    /// GUI thread. Hands over to the three track threads, started in track order.
    PlayStart startTracks(const Prepare& prepare, MusicAtStart music = MusicAtStart::End);
    /// GUI thread. Raises the stop flag, ends the music, joins every worker within the bound; true when none runs.
    bool stopAll();

    /// GUI thread. True while a worker has been started and not yet joined.
    bool anyWorker() const;

private:
    bool stopAndJoin(MusicAtStart music = MusicAtStart::End);
    PlayLoop forThisPlay(const PlayLoop& registered);

    std::chrono::milliseconds joinBound_;
    std::array<PlayLoop, kPlayModeCount> playLoops_;
    std::array<PlayLoop, kTrackCount> trackLoops_;
    std::function<void()> endMusic_;
    // The play thread and the track threads of the last start, until joined.
    std::unique_ptr<mythread> playThread_;
    std::array<std::unique_ptr<TCustomMyThread>, kTrackCount> trackThreads_;
    // Counts starts; an end report of a play that a later start replaced is dropped.
    std::uint64_t generation_ = 0;
};
