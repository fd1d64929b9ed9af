#include "model/file_io.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

TEST(FileIo, ReadsOnlyRegularFiles)
{
    QTemporaryDir dir;
    EXPECT_FALSE(ReadWholeFile(dir.path()).has_value());
    EXPECT_FALSE(ReadWholeFile(dir.filePath("missing")).has_value());
    ASSERT_TRUE(SaveWholeFile(dir.filePath("a.bin"), QByteArray("\x00\x01\x02", 3)));
    EXPECT_EQ(ReadWholeFile(dir.filePath("a.bin")), QByteArray("\x00\x01\x02", 3));
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
