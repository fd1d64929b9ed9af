#pragma once
// Where the outside media player that plays a sequence's music is found.
//
// The registry stand-in names it first: the key kMediaPlayerKey with the
// values "Player.Path" (the program file) and "Player.Name" (the first word
// of its command line, argv[0]). An entry with only a path takes the path's
// file name as the name; an entry with only a name looks the name up on the
// search path. The entry names a player when this gives both a program and a
// name; whether the program file exists is found out when it is started.
// Otherwise the player is mpv found on the search path, and when that fails
// too there is no player and sequences play without music.

#include "platform/registry_store.h"

#include <QString>
#include <QStringList>

/// The registry key and values the player is read from.
inline constexpr const char* kMediaPlayerKey = "SOFTWARE\\Microsoft\\Multimedia\\WMPlayer\\";
inline constexpr const char* kPlayerPathValue = "Player.Path";
inline constexpr const char* kPlayerNameValue = "Player.Name";
/// The registry stand-in's file in the program folder.
inline constexpr const char* kRegistryFileName = "Registry.ini";
/// The player used when the registry names none.
inline constexpr const char* kDefaultPlayerName = "mpv";

struct MediaPlayerLocation {
    enum class Source { None, Registry, SearchPath };

    /// The program file started.
    QString PlayerPath;
    /// argv[0] of the player.
    QString PlayerName;
    /// PlayerPath up to and including its last separator: the player's current directory.
    QString PlayerFolder;
    Source From = Source::None;

    /// True when a player is known (its name is not empty).
    bool Found() const { return !PlayerName.isEmpty(); }
};

/// PlayerPath up to and including its last "/", "\" or ":"; empty without one.
QString PlayerFolderOf(const QString& playerPath);

/// The folders of the PATH environment variable, in order.
QStringList SearchPathFolders();

/// Any thread. The player named by the registry stand-in, else mpv found in
/// `searchFolders`, else none.
MediaPlayerLocation FindMediaPlayer(const RegistryStore& registry, const QStringList& searchFolders);
