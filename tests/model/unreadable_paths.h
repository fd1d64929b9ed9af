#pragma once
// Paths that exist but cannot be read, one for each way of failing, made
// inside a temporary folder.

#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <unistd.h>

#include <vector>

/// A folder, a link to a file whose reading fails with an I/O error, and
/// (except for root, who reads files whatever their permissions) a file
/// nobody may read. Each is named folder/name with a suffix.
inline std::vector<QString> UnreadablePaths(const QString& folder, const QString& name)
{
    std::vector<QString> paths;
    EXPECT_TRUE(QDir().mkpath(folder));
    const QString directory = folder + "/" + name;
    EXPECT_TRUE(QDir().mkpath(directory));
    paths.push_back(directory);

    const QString ioError = folder + "/io-error-" + name;
    EXPECT_TRUE(QFile::link("/proc/self/mem", ioError));  // a regular file; reading it gives EIO
    paths.push_back(ioError);

    if (geteuid() != 0) {
        const QString locked = folder + "/locked-" + name;
        QFile file(locked);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("data") == 4);
        file.close();
        EXPECT_TRUE(file.setPermissions(QFileDevice::Permissions()));
        paths.push_back(locked);
    }
    return paths;
}
