#include "common/full_disk.h"
#include "model/file_io.h"
#include "unreadable_paths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace {

constexpr qint64 kSmall = 1024;

// Only a path with nothing there is missing; anything else that cannot be
// read says why, so a reader can refuse instead of passing it off as empty.
TEST(FileIo, MissingIsToldApartFromUnreadable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(SaveWholeFile(dir.filePath("a.bin"), QByteArray("\x00\x01\x02", 3)));
    const FileBytes good = ReadFileBytes(dir.filePath("a.bin"), kSmall);
    EXPECT_TRUE(good.read() && good.bytes == QByteArray("\x00\x01\x02", 3));
    EXPECT_TRUE(ReadFileBytes(dir.filePath("missing"), kSmall).missing() && ReadFileBytes(QString(), kSmall).missing());
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("dangling")));
    EXPECT_EQ(ReadFileBytes(dir.filePath("dangling"), kSmall).state, FileBytes::State::Unreadable);

    for (const QString& path : UnreadablePaths(dir.path(), "x.bin")) {
        const FileBytes file = ReadFileBytes(path, kSmall);
        EXPECT_TRUE(file.state == FileBytes::State::Unreadable && !file.reason.isEmpty() && !ReadWholeFile(path))
            << path.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(dir.filePath("io-error-x.bin"), kSmall).reason, "Input/output error");
}

// A file larger than the limit its reader gives is refused by its size, before
// it is read, with the limit in the reason; one at the limit is read whole.
TEST(FileIo, AFileLargerThanTheLimitIsRefusedUnread)
{
    QTemporaryDir dir;
    ASSERT_TRUE(SaveWholeFile(dir.filePath("at.bin"), QByteArray(kSmall, 'a')));
    EXPECT_EQ(ReadFileBytes(dir.filePath("at.bin"), kSmall).bytes, QByteArray(kSmall, 'a'));
    const FileBytes over = ReadFileBytes(dir.filePath("at.bin"), kSmall - 1);
    EXPECT_EQ(over.state, FileBytes::State::Unreadable);
    EXPECT_TRUE(over.bytes.isEmpty() && over.reason.contains(QString::number(kSmall - 1))) << over.reason.toStdString();
    QFile huge(dir.filePath("huge.bin"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{1} << 40));
    EXPECT_EQ(ReadFileBytes(huge.fileName(), kSmall).reason, TooLargeReason(kSmall));
    // A file that states no size is read up to the limit and no further.
    EXPECT_EQ(ReadFileBytes("/proc/self/status", 16).reason, TooLargeReason(16));
    EXPECT_TRUE(ReadFileBytes("/proc/self/status", kSmall * 64).read());
}

// A name with a control character never reaches the file system, where it
// could name a different file (everything after a NUL is dropped).
TEST(FileIo, ControlCharactersInNamesAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(SaveWholeFile(dir.filePath("a"), "x"));
    EXPECT_EQ(ReadFileBytes(dir.filePath("a") + QChar(0) + "b", kSmall).state, FileBytes::State::Unreadable);
    EXPECT_FALSE(SaveWholeFile(dir.filePath("a") + QChar(0) + "b", "new") || SaveWholeFile(dir.filePath("tab\tname"), "new"));
    EXPECT_EQ(ReadWholeFile(dir.filePath("a")), QByteArray("x"));
    for (const char16_t c : {u'\0', u'\n', u'\x1f', u'\x7f', u'\x85'})
        EXPECT_TRUE(HasControlCharacter(QString("a") + QChar(c))) << int(c);
    EXPECT_FALSE(HasControlCharacter(QString::fromUtf8("Stern 中文 é.ddr")));
}

// A save that fails part-way (here the file size limit, which binds root too)
// reports it with the system's reason and leaves the previous file as it was.
// A small save only fills Qt's buffer, so its failure shows first at the flush.
TEST(FileIo, FailedSaveKeepsTheOldFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.bin");
    ASSERT_TRUE(SaveWholeFile(path, "old"));

    for (const qsizetype size : {qsizetype(1500), qsizetype(65536)}) {
        FileResult saved;
        {
            FileSizeLimit limit(16);
            saved = SaveWholeFile(path, QByteArray(size, 'n'));
        }
        EXPECT_FALSE(saved) << size;
        EXPECT_TRUE(saved.message.contains(path) && saved.message.contains("File too large")) << saved.message.toStdString();
        EXPECT_EQ(ReadWholeFile(path), QByteArray("old")) << size;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.bin"});  // no temporary left
    }

    // Where no file can go, the message says why.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bin"));
    EXPECT_TRUE(SaveWholeFile(dir.filePath("folder.bin"), "new").message.contains("directory"));
    EXPECT_FALSE(SaveWholeFile(dir.filePath("missing-folder/x.bin"), "new"));
    if (geteuid() != 0) {
        ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const FileResult locked = SaveWholeFile(path, "new");
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_TRUE(locked.message.contains("Permission denied")) << locked.message.toStdString();
        EXPECT_EQ(ReadWholeFile(path), QByteArray("old"));
    }
}

}  // namespace
