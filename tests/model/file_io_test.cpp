#include "model/file_io.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(FileIo, ReadsOnlyRegularFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(ReadWholeFile(dir.path()).has_value());
    EXPECT_FALSE(ReadWholeFile(dir.filePath("missing")).has_value());
    ASSERT_TRUE(SaveWholeFile(dir.filePath("a.bin"), QByteArray("\x00\x01\x02", 3)));
    auto bytes = ReadWholeFile(dir.filePath("a.bin"));
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 3);
}

TEST(FileIo, FailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.bin");
    ASSERT_TRUE(SaveWholeFile(path, "old"));
    // A folder where the file's folder should be makes the save fail.
    EXPECT_FALSE(SaveWholeFile(dir.filePath("missing-folder/x.bin"), "new"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("blocked.bin"));
    EXPECT_FALSE(SaveWholeFile(dir.filePath("blocked.bin"), "new"));
    EXPECT_EQ(*ReadWholeFile(path), QByteArray("old"));
}
