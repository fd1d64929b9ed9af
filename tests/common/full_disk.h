#pragma once
// Saves that fail the way a full disk makes them fail, for the tests of every
// writer: a file size limit on this process (works for any user, root
// included, so those tests always run) and a small tmpfs filled up (only
// where the test may mount one; the test skips otherwise).

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <vector>

/// While it lives, no file of this process may grow beyond `bytes`: a write past
/// the limit fails with "File too large" (the signal that would end the process
/// is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved_), 0);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

/// A 64 KB tmpfs mounted on `folder` (made first) while it lives.
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder) : folder_(folder)
    {
        QDir().mkpath(folder);
        mounted_ = mount("tmpfs", qPrintable(folder), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            umount2(qPrintable(folder_), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }

    /// Fills what is left with a file of its own: every later write finds the disk full.
    void Fill() const
    {
        const int fd = ::open(qPrintable(folder_ + QStringLiteral("/.filler")), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        const std::vector<char> block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
    }

private:
    QString folder_;
    bool mounted_ = false;
};
