#pragma once
// The outside media player as a child process.
//
// The player is started directly (never through a shell) with argv
// {player name, music file}: a music path with blanks arrives as one
// argument. Its current directory is the player's folder; stdin and stdout
// are /dev/null, stderr stays the program's, and no other descriptor is
// passed on. Ending it is by force (SIGKILL) followed by reaping, so no
// zombie is left; a player that ended by itself is only reaped, by End() or
// as soon as ReapIfEnded() finds it ended. A pid is reaped only through this
// object, which then forgets it, so no pid it holds can have been reused by
// another process, and a pid of 0 or below is never signalled.

#include <QString>

#include <sys/types.h>

class MediaPlayerProcess {
public:
    MediaPlayerProcess() = default;
    /// Ends the player (see End()).
    ~MediaPlayerProcess();
    MediaPlayerProcess(const MediaPlayerProcess&) = delete;
    MediaPlayerProcess& operator=(const MediaPlayerProcess&) = delete;

    /// GUI thread. Starts `program` with argv {name, musicFile} in `folder`
    /// (the caller's current directory when empty). Relative paths are taken
    /// from the caller's current directory. False, and nothing runs, when a
    /// player runs already or the program cannot be started.
    bool Start(const QString& program, const QString& name, const QString& musicFile, const QString& folder);

    /// GUI thread. Kills the player with SIGKILL and waits for it; nothing when none runs.
    void End();

    /// GUI thread. Reaps the player when it has ended by itself: true then, and
    /// from here on no pid is held (End() signals nothing). False while it plays.
    bool ReapIfEnded();

    /// A descriptor that turns readable when the player ends (watch it with the
    /// event loop, then call ReapIfEnded()); -1 when none is held or the system
    /// has none to give (ReapIfEnded() at intervals then).
    int ExitNotice() const { return exitNotice_; }

    /// The player's pid, 0 when none has been started since the last End() or reaping.
    pid_t Pid() const { return pid_; }
    bool Started() const { return pid_ > 0; }

private:
    void Forget();

    pid_t pid_ = 0;
    int exitNotice_ = -1;
};
