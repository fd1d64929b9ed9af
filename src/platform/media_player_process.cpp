#include "platform/media_player_process.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// File actions and attributes that free themselves.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    bool ok = false;

    SpawnSetup()
    {
        if (posix_spawn_file_actions_init(&actions) != 0)
            return;
        if (posix_spawnattr_init(&attributes) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            return;
        }
        ok = true;
    }
    ~SpawnSetup()
    {
        if (ok) {
            posix_spawnattr_destroy(&attributes);
            posix_spawn_file_actions_destroy(&actions);
        }
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

QByteArray Absolute(const QString& path)
{
    return QFile::encodeName(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

}  // namespace

MediaPlayerProcess::~MediaPlayerProcess()
{
    End();
}

bool MediaPlayerProcess::Start(const QString& program, const QString& name, const QString& musicFile,
                               const QString& folder)
{
    if (pid_ > 0 || program.isEmpty())
        return false;

    // The player's current directory changes before it runs, so every path
    // it gets is made absolute here.
    const QByteArray programFile = Absolute(program);
    const QByteArray argv0 = QFile::encodeName(name);
    const QByteArray music = Absolute(musicFile);
    const QByteArray directory = folder.isEmpty() ? QByteArray() : Absolute(folder);

    SpawnSetup setup;
    if (!setup.ok)
        return false;
    if (!directory.isEmpty() && posix_spawn_file_actions_addchdir_np(&setup.actions, directory.constData()) != 0)
        return false;
    if (posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) != 0 ||
        posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0) != 0 ||
        posix_spawn_file_actions_addclosefrom_np(&setup.actions, STDERR_FILENO + 1) != 0)
        return false;

    // The player starts with no blocked signals and default handlers, whatever this thread has.
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    if (posix_spawnattr_setsigmask(&setup.attributes, &none) != 0 ||
        posix_spawnattr_setsigdefault(&setup.attributes, &all) != 0 ||
        posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) != 0)
        return false;

    char* argv[] = {const_cast<char*>(argv0.constData()), const_cast<char*>(music.constData()), nullptr};
    pid_t pid = 0;
    // A program that cannot be run makes posix_spawn fail; the child it made is reaped by it.
    if (posix_spawn(&pid, programFile.constData(), &setup.actions, &setup.attributes, argv, environ) != 0)
        return false;
    pid_ = pid;
    // Not reaped yet, so the pid is still this player's. Without pidfds the caller polls.
    exitNotice_ = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (exitNotice_ >= 0)
        ::fcntl(exitNotice_, F_SETFD, FD_CLOEXEC);
    return pid_ > 0;
}

bool MediaPlayerProcess::ReapIfEnded()
{
    if (pid_ <= 0)
        return false;
    int status = 0;
    pid_t reaped = 0;
    do {
        reaped = ::waitpid(pid_, &status, WNOHANG);
    } while (reaped < 0 && errno == EINTR);
    if (reaped == 0)
        return false;
    // Reaped now, or (ECHILD) not ours to wait for any more: either way the pid is no longer the player's.
    Forget();
    return true;
}

void MediaPlayerProcess::Forget()
{
    pid_ = 0;
    if (exitNotice_ >= 0)
        ::close(exitNotice_);
    exitNotice_ = -1;
}

void MediaPlayerProcess::End()
{
    const pid_t pid = pid_;
    Forget();
    if (pid <= 0)
        return;
    // Not yet reaped, so the pid is still this player's (a zombie if it ended by itself).
    ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}
