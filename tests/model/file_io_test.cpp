#include "model/file_io.h"
#include "unreadable_paths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// Only a path with nothing there is missing; anything else that cannot be
// read says why, so a reader can refuse instead of passing it off as empty.
TEST(FileIo, MissingIsToldApartFromUnreadable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(SaveWholeFile(dir.filePath("a.bin"), QByteArray("\x00\x01\x02", 3)));
    const FileBytes good = ReadFileBytes(dir.filePath("a.bin"));
    EXPECT_TRUE(good.read());
    EXPECT_EQ(good.bytes, QByteArray("\x00\x01\x02", 3));

    EXPECT_TRUE(ReadFileBytes(dir.filePath("missing")).missing());
    EXPECT_TRUE(ReadFileBytes(QString()).missing());
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("dangling")));
    EXPECT_EQ(ReadFileBytes(dir.filePath("dangling")).state, FileBytes::State::Unreadable);

    for (const QString& path : UnreadablePaths(dir.path(), "x.bin")) {
        const FileBytes file = ReadFileBytes(path);
        EXPECT_EQ(file.state, FileBytes::State::Unreadable) << path.toStdString();
        EXPECT_FALSE(file.reason.isEmpty()) << path.toStdString();
        EXPECT_FALSE(ReadWholeFile(path).has_value());
    }
    EXPECT_EQ(ReadFileBytes(dir.filePath("io-error-x.bin")).reason, "Input/output error");
}

// A name with a control character never reaches the file system, where it
// could name a different file (everything after a NUL is dropped).
TEST(FileIo, ControlCharactersInNamesAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(SaveWholeFile(dir.filePath("a"), "x"));
    EXPECT_EQ(ReadFileBytes(dir.filePath("a") + QChar(0) + "b").state, FileBytes::State::Unreadable);
    EXPECT_FALSE(SaveWholeFile(dir.filePath("a") + QChar(0) + "b", "new"));
    EXPECT_FALSE(SaveWholeFile(dir.filePath("tab\tname"), "new"));
    EXPECT_EQ(ReadWholeFile(dir.filePath("a")), QByteArray("x"));
    for (const char16_t c : {u'\0', u'\n', u'\x1f', u'\x7f', u'\x85'})
        EXPECT_TRUE(HasControlCharacter(QString("a") + QChar(c))) << int(c);
    EXPECT_FALSE(HasControlCharacter(QString::fromUtf8("Stern 中文 é.ddr")));
}

// A save that fails part-way (here the file size limit, which binds root too)
// reports it and leaves the previous file as it was.
TEST(FileIo, FailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.bin");
    ASSERT_TRUE(SaveWholeFile(path, "old"));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved64k = SaveWholeFile(path, QByteArray(65536, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved64k);
    EXPECT_EQ(ReadWholeFile(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.bin"});  // no temporary left
    EXPECT_FALSE(SaveWholeFile(dir.filePath("missing-folder/x.bin"), "new"));
}

}  // namespace
