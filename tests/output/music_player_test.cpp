// The sequence music: which file plays, when the player starts, the lead-in
// before the tracks, and the forced end at every stop, including the stops
// of the play hand-over.
#include "common/stand_in_player.h"
#include "output/music_player.h"
#include "output/play_handover.h"
#include "output/play_state.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>

namespace {

using namespace std::chrono_literals;

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlayState();
        player_.PlayerPath = WriteStandInPlayer(Path("player folder"), "stand-in player", Record());
        player_.PlayerName = "stand-in";
        player_.PlayerFolder = Path("player folder/");
        player_.From = MediaPlayerLocation::Source::Registry;
    }
    void TearDown() override { ResetPlayState(); }

    QString Path(const QString& relative) const { return program_.filePath(relative); }
    QString Record() const { return Path("record"); }

    QString Touch(const QString& relative) const
    {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile(path).open(QIODevice::WriteOnly);
        return path;
    }

    // A music player on this program folder with the stand-in and a short lead-in.
    std::unique_ptr<MusicPlayer> Music(std::chrono::milliseconds leadIn = 30ms) const
    {
        auto music = std::make_unique<MusicPlayer>(program_.path(), leadIn);
        music->SetPlayer(player_);
        return music;
    }

    QTemporaryDir program_;
    MediaPlayerLocation player_;
};

TEST_F(MusicPlayerTest, StoredPathFirstThenTheMusicFolderByFileName)
{
    const QString stored = Touch("elsewhere/Stored Song.mp3");
    const QString inMusic = Touch("Music/Song.mp3");
    Touch("Music/a b.wav");
    QDir().mkpath(Path("Music/folder.mp3"));
    struct Case {
        QString stored;
        QString chosen;
    };
    const std::vector<Case> cases = {
        {stored, stored},
        // Stored on another system, or its folder is gone: the file name in "Music", found regardless of case.
        {"D:\\Shows\\Song.mp3", inMusic},
        {"D:song.MP3", inMusic},
        {"/gone/away/Song.mp3", inMusic},
        {"C:\\old\\a b.wav", Path("Music/a b.wav")},
        {"Song.mp3", inMusic},
        // Nothing to play: missing, a folder, an empty name, a name ending in a separator.
        {"D:\\Shows\\missing.mp3", ""},
        {Path("Music/folder.mp3"), ""},
        {"", ""},
        {"D:\\Music\\", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MusicPlayer::ResolveMusicFile(c.stored, program_.path()), c.chosen) << c.stored.toStdString();
}

TEST_F(MusicPlayerTest, StartRunsThePlayerThenHandsOnAfterTheLeadInAndStopKillsAndReaps)
{
    Touch("Music/my song.wav");
    auto music = Music();
    int handedOn = 0;
    ASSERT_TRUE(music->Start("D:\\Show Music\\my song.wav", [&] { ++handedOn; }));
    EXPECT_TRUE(music->LeadInPending());
    EXPECT_EQ(handedOn, 0);
    const pid_t pid = music->MusicProcessHandle();
    ASSERT_GT(pid, 0);
    // One argument for the whole path, in the player's folder.
    EXPECT_EQ(ReadRecord(Record()), (QStringList{QFileInfo(Path("player folder")).canonicalFilePath(),
                                                 Path("Music/my song.wav")}));
    // Play again during the lead-in is ignored.
    EXPECT_FALSE(music->Start("D:\\Show Music\\my song.wav", [&] { handedOn += 100; }));

    ASSERT_TRUE(WaitFor([&] { return handedOn > 0; }));
    EXPECT_EQ(handedOn, 1);
    EXPECT_FALSE(music->LeadInPending());
    EXPECT_EQ(music->MusicProcessHandle(), pid);

    music->Stop();
    EXPECT_EQ(music->MusicProcessHandle(), 0);
    EXPECT_TRUE(Reaped(pid));
    music->Stop();
}

TEST_F(MusicPlayerTest, WithoutPlayerOrFileTheTracksStartAtOnceAndAFailedStartStillWaits)
{
    Touch("Music/song.wav");
    int handedOn = 0;
    auto count = [&] { ++handedOn; };

    auto noFile = Music(10s);
    EXPECT_TRUE(noFile->Start("missing.wav", count));
    EXPECT_EQ(handedOn, 1);
    EXPECT_FALSE(noFile->LeadInPending());

    auto noPlayer = Music(10s);
    noPlayer->SetPlayer({});
    EXPECT_TRUE(noPlayer->Start("song.wav", count));
    EXPECT_EQ(handedOn, 2);
    EXPECT_EQ(noPlayer->MusicProcessHandle(), 0);

    // A player that cannot be started: no process, but the tracks wait as they would with music.
    player_.PlayerPath = Path("player folder/gone");
    auto failing = Music();
    EXPECT_TRUE(failing->Start("song.wav", count));
    EXPECT_EQ(failing->MusicProcessHandle(), 0);
    EXPECT_TRUE(failing->LeadInPending());
    ASSERT_TRUE(WaitFor([&] { return handedOn == 3; }));
}

TEST_F(MusicPlayerTest, StopDuringTheLeadInAbandonsTheStart)
{
    Touch("Music/song.wav");
    auto music = Music(50ms);
    bool handedOn = false;
    ASSERT_TRUE(music->Start("song.wav", [&] { handedOn = true; }));
    const pid_t pid = music->MusicProcessHandle();
    ASSERT_FALSE(ReadRecord(Record()).isEmpty());
    music->Stop();
    EXPECT_FALSE(music->LeadInPending());
    EXPECT_TRUE(Reaped(pid));
    QThread::msleep(100);
    QCoreApplication::processEvents();
    EXPECT_FALSE(handedOn);
}

TEST_F(MusicPlayerTest, PlayerThatEndedByItselfIsHeldUntilTheNextStop)
{
    Touch("Music/song.wav");
    player_.PlayerPath = WriteStandInPlayer(Path("player folder"), "short", Record(), StandInEnd::ExitsAtOnce);
    auto music = Music(0ms);
    bool handedOn = false;
    ASSERT_TRUE(music->Start("song.wav", [] {}));
    const pid_t pid = music->MusicProcessHandle();
    ASSERT_TRUE(WaitFor([&] { return IsZombie(pid); }));
    ASSERT_TRUE(WaitFor([&] { return !music->LeadInPending(); }));
    // Still held: no second player, the tracks start at once.
    EXPECT_TRUE(music->Start("song.wav", [&] { handedOn = true; }));
    EXPECT_TRUE(handedOn);
    EXPECT_EQ(music->MusicProcessHandle(), pid);
    music.reset();
    EXPECT_TRUE(Reaped(pid));
}

TEST_F(MusicPlayerTest, HandOverEndsTheMusicAtEveryStartAndStopUnlessTheTracksKeepIt)
{
    Touch("Music/song.wav");
    auto music = Music(0ms);
    PlayHandOver handOver;
    handOver.setEndMusic([&] { music->Stop(); });

    auto startMusic = [&] {
        QFile::remove(Record());
        bool tracksStarted = false;
        music->Start("song.wav", [&] {
            tracksStarted = handOver.startTracks({}, MusicAtStart::Keep).started();
        });
        EXPECT_TRUE(WaitFor([&] { return tracksStarted; }));
        EXPECT_FALSE(ReadRecord(Record()).isEmpty());
        return music->MusicProcessHandle();
    };

    // The tracks started after the lead-in keep the music; the stop ends it.
    pid_t pid = startMusic();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(music->MusicProcessHandle(), pid);
    EXPECT_TRUE(handOver.stopAll());
    EXPECT_EQ(music->MusicProcessHandle(), 0);
    EXPECT_TRUE(Reaped(pid));

    // Any other start ends it: a play, or tracks started without the music.
    pid = startMusic();
    EXPECT_TRUE(handOver.startPlay(kModePlayDrawing, {}).started());
    EXPECT_TRUE(Reaped(pid));
    pid = startMusic();
    EXPECT_TRUE(handOver.startTracks({}).started());
    EXPECT_TRUE(Reaped(pid));

    // A stop during the lead-in abandons the track start.
    music = Music(50ms);
    bool tracksStarted = false;
    music->Start("song.wav", [&] { tracksStarted = true; });
    EXPECT_TRUE(handOver.stopAll());
    QThread::msleep(100);
    QCoreApplication::processEvents();
    EXPECT_FALSE(tracksStarted);
}

}  // namespace
