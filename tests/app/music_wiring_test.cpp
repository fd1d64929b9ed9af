// The program's music player: named by Registry.ini in the program folder,
// else mpv on PATH, and ended by the play hand-over's stops.
#include "common/stand_in_player.h"
#include "output/music_player.h"
#include "output/play_handover.h"
#include "shell_fixture.h"

namespace {

class MusicWiringTest : public ShellTest {};

TEST_F(MusicWiringTest, RegistryFileBesideTheProgramNamesThePlayerAndStopAllEndsIt)
{
    const QString record = folder_.filePath("record");
    const QString player = WriteStandInPlayer(folder_.filePath("players"), "my player", record);
    QFile ini(folder_.filePath("Registry.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[SOFTWARE\\Microsoft\\Multimedia\\WMPlayer]\nPlayer.Path=" + QFile::encodeName(player) +
              "\nPlayer.Name=my player\n");
    ini.close();
    ASSERT_TRUE(QDir(folder_.path()).mkpath("Music"));
    QFile(folder_.filePath("Music/song.wav")).open(QIODevice::WriteOnly);

    MusicPlayer& music = Windows().Music();
    EXPECT_EQ(Windows().RegistryPath(), folder_.filePath("Registry.ini"));
    EXPECT_EQ(music.Player().PlayerPath, player);
    EXPECT_EQ(music.Player().PlayerName, "my player");

    bool tracksStarted = false;
    ASSERT_TRUE(music.Start("C:\\Shows\\song.wav", [&] { tracksStarted = true; }));
    const pid_t pid = music.MusicProcessHandle();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(ReadRecord(record).value(1), folder_.filePath("Music/song.wav"));
    // The stop button's path: the music ends and the pending track start is dropped.
    EXPECT_TRUE(Windows().HandOver().stopAll());
    EXPECT_EQ(music.MusicProcessHandle(), 0);
    EXPECT_TRUE(Reaped(pid));
    EXPECT_FALSE(music.LeadInPending());
    EXPECT_FALSE(tracksStarted);
}

TEST_F(MusicWiringTest, WithoutRegistryFileOrMpvOnPathNoPlayerIsKnown)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(folder_.path()));
    const bool found = Windows().Music().Player().Found();
    qputenv("PATH", path);
    EXPECT_FALSE(found);
}

}  // namespace
