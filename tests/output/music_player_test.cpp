// The sequence music: which file plays, the lead-in before the tracks, and
// the forced end at every start and stop of the play hand-over.
#include "common/stand_in_player.h"
#include "output/music_player.h"
#include "output/play_handover.h"
#include "output/play_state.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using namespace std::chrono_literals;

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlayState();
        Touch("Music/my song.wav");
        player_ = {WriteStandInPlayer(Path("player folder"), "stand-in", Path("record")), "stand-in",
                   Path("player folder/"), MediaPlayerLocation::Source::Registry};
    }
    void TearDown() override { ResetPlayState(); }

    QString Path(const QString& relative) const { return program_.filePath(relative); }
    QString Touch(const QString& relative) const
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QFile(Path(relative)).open(QIODevice::WriteOnly);
        return Path(relative);
    }
    std::unique_ptr<MusicPlayer> Music(std::chrono::milliseconds leadIn) const
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
    const QString stored = Touch("elsewhere/Stored.mp3");
    const QString song = Path("Music/my song.wav");
    QDir().mkpath(Path("Music/folder.mp3"));
    const std::vector<std::pair<QString, QString>> cases = {
        {stored, stored},
        {"D:\\Shows\\my song.wav", song},  // made on another system
        {"D:my song.WAV", song},           // found regardless of case
        {"/gone/away/my song.wav", song},
        {"my song.wav", song},
        {"D:\\Shows\\missing.mp3", ""},
        {Path("Music/folder.mp3"), ""},  // a folder is no music file
        {"", ""},
        {"D:\\Music\\", ""},
    };
    for (const auto& [name, chosen] : cases)
        EXPECT_EQ(MusicPlayer::ResolveMusicFile(name, program_.path()), chosen) << name.toStdString();
}

TEST_F(MusicPlayerTest, MusicStartsThenTracksAfterTheLeadInAndEveryHandOverEndsIt)
{
    auto music = Music(30ms);
    PlayHandOver handOver;
    handOver.setEndMusic([&] { music->Stop(); });
    bool tracksStarted = false;
    int handOns = 0;
    auto playSequence = [&] {
        tracksStarted = false;
        QFile::remove(Path("record"));
        return music->Start("D:\\Show Music\\my song.wav", [&] {
            ++handOns;
            tracksStarted = handOver.startTracks({}, MusicAtStart::Keep).started();
        });
    };

    ASSERT_TRUE(playSequence());
    EXPECT_TRUE(music->LeadInPending() && !tracksStarted);
    EXPECT_FALSE(music->Start("my song.wav", [] { FAIL() << "a second start while one is pending"; }));
    const pid_t pid = music->MusicProcessHandle();
    // The whole path as one argument, in the player's folder.
    EXPECT_EQ(ReadRecord(Path("record")),
              (QStringList{QFileInfo(Path("player folder")).canonicalFilePath(), Path("Music/my song.wav")}));
    ASSERT_TRUE(WaitFor([&] { return tracksStarted; }));
    EXPECT_EQ(music->MusicProcessHandle(), pid);  // the tracks' own start keeps it

    EXPECT_TRUE(handOver.stopAll());
    EXPECT_TRUE(music->MusicProcessHandle() == 0 && Reaped(pid));

    // Another window's play ends it too.
    ASSERT_TRUE(playSequence());
    ASSERT_TRUE(WaitFor([&] { return tracksStarted; }));
    const pid_t second = music->MusicProcessHandle();
    EXPECT_TRUE(handOver.startPlay(kModePlayDrawing, {}).started());
    EXPECT_TRUE(Reaped(second));

    // A stop during the lead-in abandons the track start.
    ASSERT_TRUE(playSequence());
    const pid_t third = music->MusicProcessHandle();
    EXPECT_TRUE(handOver.stopAll() && Reaped(third));
    EXPECT_FALSE(music->LeadInPending());  // Play right after the stop is not ignored
    // The next play's lead-in ends after the abandoned one would have: one hand-on only.
    handOns = 0;
    ASSERT_TRUE(playSequence());
    ASSERT_TRUE(WaitFor([&] { return tracksStarted; }));
    EXPECT_EQ(handOns, 1);
    EXPECT_TRUE(handOver.stopAll());
}

TEST_F(MusicPlayerTest, WithoutPlayerOrFileTracksStartAtOnceButAFailedStartStillWaits)
{
    int tracksStarted = 0;
    auto music = Music(10s);
    EXPECT_TRUE(music->Start("missing.wav", [&] { ++tracksStarted; }));
    music->SetPlayer({});
    EXPECT_TRUE(music->Start("my song.wav", [&] { ++tracksStarted; }));
    EXPECT_TRUE(tracksStarted == 2 && !music->LeadInPending());

    player_.PlayerPath = Path("player folder/gone");
    music = Music(10ms);
    EXPECT_TRUE(music->Start("my song.wav", [&] { ++tracksStarted; }));
    EXPECT_EQ(music->MusicProcessHandle(), 0);
    EXPECT_TRUE(WaitFor([&] { return tracksStarted == 3; }));
}

TEST_F(MusicPlayerTest, PlayerThatEndedByItselfIsReapedAsSoonAsItEnds)
{
    player_.PlayerPath = WriteStandInPlayer(Path("player folder"), "short", Path("record"), StandInEnd::ExitsAtOnce);
    auto music = Music(0ms);
    ASSERT_TRUE(music->Start("my song.wav", [] {}));
    const pid_t pid = music->MusicProcessHandle();
    ASSERT_GT(pid, 0);
    // Its end is noticed by the event loop: no zombie waits for the next stop.
    ASSERT_TRUE(WaitFor([&] { return music->MusicProcessHandle() == 0; }));
    EXPECT_TRUE(Reaped(pid));
    music->Stop();  // signals nothing: the pid may belong to another process by now

    // The watcher's tick reaps too, where the end was not noticed yet.
    ASSERT_TRUE(music->Start("my song.wav", [] {}));
    const pid_t second = music->MusicProcessHandle();
    ASSERT_NE(second, 0);
    ASSERT_TRUE(WaitFor([&] { return IsZombie(second) || music->MusicProcessHandle() == 0; }));
    music->ReapIfEnded();
    EXPECT_TRUE(music->MusicProcessHandle() == 0 && Reaped(second));
}

}  // namespace
