// The media player stand-in: where the player is found (registry stand-in,
// else mpv on the search path) and the player process (arguments, working
// folder, forced end and reaping).
#include "common/stand_in_player.h"
#include "platform/media_player_location.h"
#include "platform/media_player_process.h"
#include "platform/registry_store.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>
#include <thread>

namespace {

class MediaPlayerTest : public ::testing::Test {
protected:
    QString Path(const QString& relative) const { return dir_.filePath(relative); }

    // An executable file at `relative`.
    QString Executable(const QString& relative) const
    {
        return WriteStandInPlayer(QFileInfo(Path(relative)).path(), QFileInfo(relative).fileName(), Path("unused"));
    }

    // A new file each time: QSettings caches what it read by path.
    RegistryStore Registry(const QByteArray& ini)
    {
        const QString path = Path(QStringLiteral("Registry%1.ini").arg(++files_));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(ini) == ini.size());
        return RegistryStore(path);
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

TEST_F(MediaPlayerTest, RegistryEntryNamesThePlayerElseMpvOnTheSearchPathElseNone)
{
    const QString bin = Path("bin");
    const QString mpv = Executable("bin/mpv");
    const QString vlc = Executable("bin/vlc");
    const QString other = Executable("other/player");
    using Source = MediaPlayerLocation::Source;
    struct Case {
        QByteArray ini;
        QStringList folders;
        QString path, name, folder;
        Source from;
    };
    const QByteArray section = "[SOFTWARE\\Microsoft\\Multimedia\\WMPlayer]\n";
    const std::vector<Case> cases = {
        // Both values, blanks and a quoted comma kept; the entry wins over mpv.
        {section + "Player.Path=/opt/my player/play, er\nPlayer.Name=\"play, er\"\n", {bin},
         "/opt/my player/play, er", "play, er", "/opt/my player/", Source::Registry},
        // Only a path: its file name is the name.
        {section + "Player.Path=" + QFile::encodeName(other) + "\n", {bin}, other, "player", Path("other/"),
         Source::Registry},
        // Only a name: looked up on the search path.
        {section + "Player.Name=vlc\n", {bin}, vlc, "vlc", bin + "/", Source::Registry},
        // A name found nowhere, another key: mpv from the search path.
        {section + "Player.Name=nosuchplayer\n", {bin}, mpv, "mpv", bin + "/", Source::SearchPath},
        {"[SOFTWARE\\Microsoft\\Multimedia\\WMPlayer2]\nPlayer.Name=vlc\n", {Path("none"), bin}, mpv, "mpv",
         bin + "/", Source::SearchPath},
        // Nothing anywhere: no player (the window's "not found" message).
        {{}, {Path("other")}, "", "", "", Source::None},
        {section + "Player.Name=vlc\n", {}, "", "", "", Source::None},
    };
    for (const Case& c : cases) {
        const MediaPlayerLocation found = FindMediaPlayer(Registry(c.ini), c.folders);
        SCOPED_TRACE(c.ini.toStdString());
        EXPECT_EQ(std::tuple(found.PlayerPath, found.PlayerName, found.PlayerFolder, found.From, found.Found()),
                  std::tuple(c.path, c.name, c.folder, c.from, c.from != Source::None));
    }
    EXPECT_FALSE(RegistryStore(Path("nothing.ini")).KeyExists(kMediaPlayerKey));
}

// Registry.ini is written by hand: its values are read as written.
TEST_F(MediaPlayerTest, RegistryValuesAreTheRestOfTheLineWithSurroundingQuotesRemoved)
{
    const QByteArray key = "[SOFTWARE\\Microsoft\\Multimedia\\WMPlayer]\n";
    struct Case {
        QByteArray ini;
        std::optional<QString> path, name;
    };
    const std::vector<Case> cases = {
        // A backslash is a character like any other, quoted or not.
        {key + "Player.Path=/opt/my\\player\n", "/opt/my\\player", {}},
        {key + "Player.Path=\"/opt/my\\player\"\n", "/opt/my\\player", {}},
        {key + "Player.Path=C:\\Program Files\\Player\\play.exe\n", "C:\\Program Files\\Player\\play.exe", {}},
        // Commas, an "=", blanks inside: kept as written; blanks around the value and CR LF are not part of it.
        {key + "Player.Path=/opt/a,b/player\r\nPlayer.Name = my, player \r\n", "/opt/a,b/player", "my, player"},
        {key + "Player.Name=\"a=b\"\n", {}, "a=b"},
        {key + "Player.Name=\"\"\n", {}, ""},
        // The key as the registry spells it, with its trailing backslash, or with "/".
        {"[SOFTWARE\\Microsoft\\Multimedia\\WMPlayer\\]\nPlayer.Name=vlc\n", {}, "vlc"},
        {"[SOFTWARE/Microsoft/Multimedia/WMPlayer]\nPlayer.Name=vlc\n", {}, "vlc"},
        // An unbalanced quote stays in its own line's value.
        {key + "Player.Path=\"/opt/player\nPlayer.Name=vlc\n", "\"/opt/player", "vlc"},
        // Comments, other keys and lines without "=" are no values of this key.
        {"; Player.Name=no\n[Other]\nPlayer.Name=no\n" + key + "# note\nPlayer.Path\nPlayer.Name=yes\n[Next]\n"
                                                                "Player.Path=no\n",
         {}, "yes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini.toStdString());
        const RegistryStore registry = Registry(c.ini);
        EXPECT_TRUE(registry.KeyExists(kMediaPlayerKey));
        EXPECT_EQ(std::pair(registry.ReadString(kMediaPlayerKey, kPlayerPathValue), registry.ReadString(kMediaPlayerKey, kPlayerNameValue)),
                  std::pair(c.path, c.name));
    }
    // A section without values is as good as no key.
    EXPECT_FALSE(Registry(key + "; nothing yet\n").KeyExists(kMediaPlayerKey));
}

TEST_F(MediaPlayerTest, PlayerGetsItsNameAndTheWholeMusicPathInItsFolderAndIsKilledAndReaped)
{
    // The shell as the player runs the "music file" as its script, which records
    // the argv the shell got and its folder, then sleeps in the same process.
    const QByteArray record = QFile::encodeName(Path("record"));
    QFile script(Path("my music/a song.sh"));
    ASSERT_TRUE(QDir().mkpath(Path("my music")) && script.open(QIODevice::WriteOnly));
    script.write("{ tr '\\000' '\\n' < /proc/$$/cmdline; pwd -P; } > '" + record + ".part'\n"
                 "mv '" + record + ".part' '" + record + "'\nexec sleep 30\n");
    script.close();

    // A relative path is the caller's; the player runs elsewhere, so it must arrive absolute.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    MediaPlayerProcess process;
    const bool started = process.Start("/bin/sh", "zarn-player", "my music/a song.sh", "/usr/bin/");
    QDir::setCurrent(before);
    ASSERT_TRUE(started);
    const pid_t pid = process.Pid();
    EXPECT_EQ(ReadRecord(Path("record")), (QStringList{"zarn-player", Path("my music/a song.sh"), "/usr/bin"}));
    EXPECT_FALSE(process.Start("/bin/sh", "again", Path("my music/a song.sh"), {}));
    EXPECT_EQ(process.Pid(), pid);

    process.End();
    EXPECT_TRUE(process.Pid() == 0 && Reaped(pid));
    process.End();  // no process: nothing happens
}

TEST_F(MediaPlayerTest, PlayerThatEndedByItselfIsReapedAndFailedStartsHoldNothing)
{
    const QString player = WriteStandInPlayer(Path("p"), "quick", Path("record"), StandInEnd::ExitsAtOnce);
    MediaPlayerProcess process;
    ASSERT_TRUE(process.Start(player, "quick", Path("record"), {}));
    const pid_t pid = process.Pid();
    ASSERT_GE(process.ExitNotice(), 0);  // a descriptor that turns readable when the player ends
    ASSERT_TRUE(WaitFor([&] { return IsZombie(pid); }));
    EXPECT_TRUE(process.ReapIfEnded() && Reaped(pid));
    EXPECT_EQ(std::pair(process.Pid(), process.ExitNotice()), std::pair(pid_t{0}, -1));  // nothing left that a stop could signal
    EXPECT_FALSE(process.ReapIfEnded());
    process.End();

    // A player still playing is left alone.
    ASSERT_TRUE(process.Start(WriteStandInPlayer(Path("p"), "long", Path("record2")), "long", Path("record2"), {}));
    const pid_t playing = process.Pid();
    EXPECT_FALSE(process.ReapIfEnded() || process.Pid() != playing);
    process.End();
    EXPECT_TRUE(Reaped(playing));

    EXPECT_EQ((std::vector<bool>{process.Start(Path("p/missing"), "missing", Path("record"), {}),
                                 process.Start(player, "quick", Path("record"), Path("no such folder")),
                                 process.Start({}, "quick", Path("record"), {})}),
              std::vector<bool>(3, false));
    EXPECT_EQ(process.Pid(), 0);
}

}  // namespace

// Registry.ini is read as any show file is: a regular file of bounded size, so
// start-up never waits on a pipe, and a value the player could not be given
// whole is refused.
TEST_F(MediaPlayerTest, RegistryReadsOnlyABoundedRegularFileAndRefusesControlCharacters)
{
    const QString fifo = Path("Registry.ini");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    // Nobody ever opens the writer side: a reader that waits on it never returns.
    std::promise<std::pair<bool, std::optional<QString>>> answered;
    std::future<std::pair<bool, std::optional<QString>>> answer = answered.get_future();
    std::thread reader([&] {
        const RegistryStore registry(fifo);
        answered.set_value({registry.KeyExists(kMediaPlayerKey), registry.ReadString(kMediaPlayerKey, kPlayerNameValue)});
    });
    const bool returned = answer.wait_for(std::chrono::seconds(60)) == std::future_status::ready;  // stall guard only
    // A stuck reader is freed (each of its opens sees a writer come and go) so the test ends.
    while (answer.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
        ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
    reader.join();
    ASSERT_TRUE(returned);
    EXPECT_EQ(answer.get(), std::pair(false, std::optional<QString>()));

    const QByteArray key = "[SOFTWARE\\Microsoft\\Multimedia\\WMPlayer]\n";
    // Past the size bound: no keys, as for a file that cannot be read.
    EXPECT_FALSE(Registry(key + "Player.Name=vlc\n" + QByteArray(kMaxRegistryFileBytes, ';')).KeyExists(kMediaPlayerKey));
    EXPECT_TRUE(Registry(key + "Player.Name=vlc\n;").KeyExists(kMediaPlayerKey));

    // A NUL, a tab or an escape inside a value would cut or garble the player's
    // path: the value counts as missing, so the name is looked up on the search path.
    const QString bin = Path("bin");
    const QString mpv = Executable("bin/mpv");
    const QString vlc = Executable("bin/vlc");
    for (const QByteArray& value : {QByteArray("/opt/player\0/x", 14), QByteArray("/opt/pl\tayer"),
                                    QByteArray("/opt/\x1bplayer")}) {
        SCOPED_TRACE(value.toStdString());
        const RegistryStore registry = Registry(key + "Player.Path=" + value + "\nPlayer.Name=vlc\n");
        EXPECT_EQ(registry.ReadString(kMediaPlayerKey, kPlayerPathValue), std::nullopt);
        const MediaPlayerLocation found = FindMediaPlayer(registry, {bin});
        EXPECT_EQ(std::pair(found.PlayerPath, found.PlayerName), std::pair(vlc, QString("vlc")));
        const MediaPlayerLocation named = FindMediaPlayer(Registry(key + "Player.Name=" + value + "\n"), {bin});
        EXPECT_EQ(std::pair(named.PlayerPath, named.PlayerName), std::pair(mpv, QString("mpv")));
    }
}
