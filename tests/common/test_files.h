#pragma once
// Files the tests lay down before they read them.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

/// Writes `bytes` as the whole file at `path` (its folder made first); a
/// failure fails the test. Returns the path.
inline QString WriteTestFile(const QString& path, const QByteArray& bytes)
{
    EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size())
        << path.toStdString();
    return path;
}
