#pragma once
// A stand-in media player for the music tests: a shell script that writes its
// working folder and its arguments (one a line) to a record file, then
// becomes a long sleep, or ends at once when asked to. Also the checks on
// what became of a player process.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QThread>

#include <cerrno>
#include <functional>
#include <sys/types.h>
#include <sys/wait.h>

enum class StandInEnd { Sleeps, ExitsAtOnce };

/// Writes the script `folder`/`name` (made executable); it records into `record`.
inline QString WriteStandInPlayer(const QString& folder, const QString& name, const QString& record,
                                  StandInEnd end = StandInEnd::Sleeps)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name);
    QByteArray script = "#!/bin/sh\n"
                        "{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" +
                        QFile::encodeName(record) + ".part'\n"
                        "mv '" + QFile::encodeName(record) + ".part' '" + QFile::encodeName(record) + "'\n";
    script += end == StandInEnd::Sleeps ? "exec sleep 30\n" : "exit 0\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size())
        return {};
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

/// Waits (pumping events) up to five seconds for `done`.
inline bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

/// The record's lines once the stand-in has written it: its folder, then its arguments.
inline QStringList ReadRecord(const QString& record)
{
    if (!WaitFor([&] { return QFileInfo::exists(record); }))
        return {};
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

/// True when `pid` is no child of this process any more: ended and reaped, no zombie left.
inline bool Reaped(pid_t pid)
{
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) < 0 && errno == ECHILD;
}

/// True when `pid` has ended but is still waiting to be reaped.
inline bool IsZombie(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && text.mid(close + 2, 1) == "Z";
}
