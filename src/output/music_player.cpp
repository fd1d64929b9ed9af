#include "output/music_player.h"

#include "model/delays.h"
#include "model/show_folders.h"

namespace {

// Stored names may come with "\", "/" or a drive's ":" before the file name.
QString FileNamePart(const QString& stored)
{
    return stored.mid(PlayerFolderOf(stored).size());
}

}  // namespace

MusicPlayer::MusicPlayer(QString programFolder, QObject* parent)
    : MusicPlayer(std::move(programFolder),
                  std::chrono::duration_cast<std::chrono::milliseconds>(PumpDelayDuration(kMusicLeadInDelay)), parent)
{
}

MusicPlayer::MusicPlayer(QString programFolder, std::chrono::milliseconds leadIn, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder))
{
    leadIn_.setSingleShot(true);
    leadIn_.setInterval(leadIn);
    connect(&leadIn_, &QTimer::timeout, this, &MusicPlayer::LeadInOver);
}

MusicPlayer::~MusicPlayer()
{
    Stop();
}

bool MusicPlayer::ReadPlayerLocation(const RegistryStore& registry, const QStringList& searchFolders)
{
    player_ = FindMediaPlayer(registry, searchFolders);
    return player_.Found();
}

QString MusicPlayer::ResolveMusicFile(const QString& musicFile, const QString& programFolder)
{
    if (musicFile.isEmpty())
        return {};
    if (IsRegularFile(musicFile))
        return musicFile;
    // Looked up as every name from a show file: exactly, then without regard to case.
    return ShowFolders(programFolder).FindFile(ShowFolder::Music, FileNamePart(musicFile)).value_or(QString());
}

bool MusicPlayer::Start(const QString& musicFile, std::function<void()> then)
{
    if (LeadInPending())
        return false;
    const QString file = ResolveMusicFile(musicFile, programFolder_);
    if (!player_.Found() || file.isEmpty() || process_.Started()) {
        if (then)
            then();
        return true;
    }
    // A failed start still waits: the tracks start as late as they would with music.
    if (process_.Start(player_.PlayerPath, player_.PlayerName, file, player_.PlayerFolder))
        WatchForExit();
    then_ = std::move(then);
    leadIn_.start();
    return true;
}

void MusicPlayer::Stop()
{
    leadIn_.stop();
    then_ = nullptr;
    exitNotifier_.reset();
    process_.End();
}

void MusicPlayer::ReapIfEnded()
{
    // A reap closes the watched descriptor: the notifier lets go of it first.
    if (exitNotifier_)
        exitNotifier_->setEnabled(false);
    if (process_.ReapIfEnded())
        exitNotifier_.reset();
    else if (exitNotifier_)
        exitNotifier_->setEnabled(true);
}

void MusicPlayer::WatchForExit()
{
    exitNotifier_.reset();
    if (process_.ExitNotice() < 0)
        return;
    exitNotifier_ = std::make_unique<QSocketNotifier>(process_.ExitNotice(), QSocketNotifier::Read, this);
    connect(exitNotifier_.get(), &QSocketNotifier::activated, this, [this] {
        // The descriptor stays readable once the player has ended: stop watching before it is closed.
        exitNotifier_->setEnabled(false);
        exitNotifier_.release()->deleteLater();
        process_.ReapIfEnded();
    });
}

void MusicPlayer::LeadInOver()
{
    // Taken out first: the hand-on may start or stop the music again.
    std::function<void()> then = std::move(then_);
    then_ = nullptr;
    if (then)
        then();
}
