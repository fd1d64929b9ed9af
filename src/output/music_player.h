#pragma once
// The music of a sequence: an outside media player started with the music
// file, and ended by force at every stop.
//
// A start resolves the music file (the stored path when it is a regular
// file, else the "Music" folder beside the program with the stored name's
// file-name part, whatever separators the name was stored with) and starts
// the player when a player is known, a file was found and no player process
// is held. Then it waits the lead-in (the length of PumpDelay(7000)) before
// it hands on to the tracks, so the player has come up when the laser
// starts; the lead-in is also waited when the player failed to start, and
// not at all when no start was tried. The wait is a single-shot timer, not a
// blocking pause: Stop() during it abandons the pending hand-on.
//
// GUI thread only. The play hand-over calls Stop() at every start and stop.

#include "platform/media_player_location.h"
#include "platform/media_player_process.h"

#include <QObject>
#include <QString>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

/// What the Sequence window shows when no player is known.
inline constexpr const char* kNoMediaPlayerText = "Windows Media Player 9 have no been found in registry";

/// The PumpDelay count of the music's lead-in.
inline constexpr std::uint32_t kMusicLeadInDelay = 7000;

class MusicPlayer : public QObject {
    Q_OBJECT
public:
    /// `programFolder` holds the "Music" folder; `leadIn` defaults to PumpDelayDuration(kMusicLeadInDelay).
    explicit MusicPlayer(QString programFolder, QObject* parent = nullptr);
    MusicPlayer(QString programFolder, std::chrono::milliseconds leadIn, QObject* parent = nullptr);
    /// Ends the music.
    ~MusicPlayer() override;

    /// Finds the player through the registry stand-in, else mpv in `searchFolders`
    /// (FindMediaPlayer). Returns whether a player is known: false is when the
    /// window shows kNoMediaPlayerText.
    bool ReadPlayerLocation(const RegistryStore& registry, const QStringList& searchFolders = SearchPathFolders());
    void SetPlayer(MediaPlayerLocation player) { player_ = std::move(player); }
    const MediaPlayerLocation& Player() const { return player_; }

    /// The file a stored music name stands for: the name itself when it is a
    /// regular file, else programFolder + "Music/" + its file-name part when
    /// that is one (found as show-file names are: exactly, then without
    /// regard to case); empty otherwise.
    static QString ResolveMusicFile(const QString& musicFile, const QString& programFolder);

    /// Starts the music, then runs `then` after the lead-in; runs `then` at
    /// once when no start was tried (no player, no file, a player still held).
    /// Ignored, returning false, while a lead-in is pending.
    bool Start(const QString& musicFile, std::function<void()> then);

    /// True from a start with a lead-in until `then` runs or Stop() abandons it.
    bool LeadInPending() const { return leadIn_.isActive(); }

    /// Every stop path: abandons a pending hand-on and ends the player by force.
    void Stop();

    /// Reaps the player if it has ended by itself (the music is over, the file
    /// was not audio, no audio device). Its end is also noticed by the event
    /// loop where the system tells of it; a repeat watcher's tick calls this too.
    void ReapIfEnded();

    /// The player's pid, 0 when none is held (a player that ended by itself is reaped and not held).
    pid_t MusicProcessHandle() const { return process_.Pid(); }

private:
    void LeadInOver();
    // Watches the new player's exit notice with the event loop.
    void WatchForExit();

    QString programFolder_;
    MediaPlayerLocation player_;
    MediaPlayerProcess process_;
    QTimer leadIn_;
    // Disabled and gone before the descriptor it watches is closed.
    std::unique_ptr<QSocketNotifier> exitNotifier_;
    std::function<void()> then_;
};
