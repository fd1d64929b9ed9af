// The program's music player is named by Registry.ini in the program folder
// and ended by the play hand-over's stops.
#include "common/stand_in_player.h"
#include "output/music_player.h"
#include "output/play_handover.h"
#include "shell_fixture.h"

namespace {

TEST_F(ShellTest, RegistryFileBesideTheProgramNamesThePlayerAndStopAllEndsIt)
{
    const QString player = WriteStandInPlayer(folder_.filePath("players"), "my player", folder_.filePath("record"));
    QFile ini(folder_.filePath("Registry.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[SOFTWARE\\Microsoft\\Multimedia\\WMPlayer]\nPlayer.Path=" + QFile::encodeName(player) + "\n");
    ini.close();
    QDir(folder_.path()).mkpath("Music");
    QFile(folder_.filePath("Music/song.wav")).open(QIODevice::WriteOnly);

    MusicPlayer& music = Windows().Music();
    EXPECT_EQ(music.Player().PlayerPath, player);
    ASSERT_TRUE(music.Start("song.wav", [] { FAIL() << "the stop abandons the track start"; }));
    const pid_t pid = music.MusicProcessHandle();
    ASSERT_FALSE(ReadRecord(folder_.filePath("record")).isEmpty());
    EXPECT_TRUE(Windows().HandOver().stopAll());
    EXPECT_TRUE(Reaped(pid));
    EXPECT_FALSE(music.LeadInPending());
}

}  // namespace
