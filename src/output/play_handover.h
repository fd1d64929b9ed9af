#pragma once
// The one way a play starts and the one way all play ends.
//
// Every start: raise `StopRequested`, end the music, wait (with a bound) until
// every running worker has returned and join it, let the window prepare its
// play lists, clear `StopRequested`, start the new worker(s). A worker that
// does not stop within the bound makes the start refuse: the window's lists
// are not touched while a loop may still read them.
//
// A start asked for while another start is preparing (a window's prepare
// step that runs an event loop) is refused: the running start would otherwise
// replace the worker the nested one just started.
//
// Shut-down and a window that is about to free its play lists call stopAll()
// first. All of this is GUI-thread only; workers never call in here, they
// report back by queued invocation: end reports to their windows, and an
// exception that ended a loop as loopFailed.

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
/// What a start handler shows when another start is still being prepared.
inline constexpr const char* kPlayStartBusyText = "another play is starting, try again...";

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
    /// Raises the stop flag and joins every worker within the bound. A worker
    /// that still runs then is abandoned: it runs on by itself, and whatever
    /// its loop reads must not be freed (the program should end at once).
    ~PlayHandOver() override;

    /// GUI thread. How long a start or stopAll() waits for running loops.
    void setJoinBound(std::chrono::milliseconds bound) { joinBound_ = bound; }
    std::chrono::milliseconds joinBound() const { return joinBound_; }

    /// GUI thread, when a window is created: the loop a play mode (1..8) runs. Other modes are ignored.
    void setPlayLoop(std::uint8_t mode, PlayLoop loop);
    /// GUI thread, when the Sequence window is created: the loop of track 1..3. Other tracks are ignored.
    void setTrackLoop(std::uint8_t track, PlayLoop loop);
    /// GUI thread: how the music is ended (the music control fills it; empty: no music).
    void setEndMusic(std::function<void()> endMusic);

    /// GUI thread. Hands over to a play thread in `mode`; `prepare` runs only after every worker has returned.
    /// Refused while another start prepares; nothing starts when stopAll() ran during `prepare`.
    PlayStart startPlay(std::uint8_t mode, const Prepare& prepare);
    /// GUI thread. Hands over to the three track threads, started in track order (same rules).
    PlayStart startTracks(const Prepare& prepare, MusicAtStart music = MusicAtStart::End);
    /// GUI thread. Raises the stop flag, ends the music, joins every worker within the bound; true when none runs.
    bool stopAll();

    /// GUI thread. True while a worker has been started and not yet joined.
    bool anyWorker() const;
    /// GUI thread. The window whose loop the play thread runs (the `window` of its PlayLoop),
    /// until that thread is joined; null when no play thread runs. A window's preview tells
    /// its own play from another window's by it.
    const QObject* playOwner() const;

signals:
    /// GUI thread, direct: startPlay() started the play thread in `mode`. A
    /// sequence that repeats by itself listens, so it never restarts on top of it.
    void playStarted(std::uint8_t mode);
    /// GUI thread, queued: a play loop ended by an exception; carries its message.
    void loopFailed(const QString& message);

private:
    bool stopAndJoin(MusicAtStart music = MusicAtStart::End);
    // Raises the stop flag and joins every worker within the bound; true when none runs.
    bool joinAll();
    PlayLoop forThisPlay(const PlayLoop& registered);
    // Runs the stop, `prepare` and the checks around it; Started when the caller may start its workers.
    PlayStart handOver(const Prepare& prepare, MusicAtStart music = MusicAtStart::End);

    std::chrono::milliseconds joinBound_;
    std::array<PlayLoop, kPlayModeCount> playLoops_;
    std::array<PlayLoop, kTrackCount> trackLoops_;
    std::function<void()> endMusic_;
    std::shared_ptr<PlayReports> reports_;
    // True while a start's prepare step runs.
    bool preparing_ = false;
    // Counts stopAll() calls; a start whose prepare step saw one does not start.
    std::uint64_t stops_ = 0;
    // The play thread and the track threads of the last start, until joined.
    std::unique_ptr<mythread> playThread_;
    QPointer<QObject> playOwner_;
    std::array<std::unique_ptr<TCustomMyThread>, kTrackCount> trackThreads_;
    // Counts starts; an end report of a play that a later start replaced is dropped.
    std::uint64_t generation_ = 0;
};
