#pragma once
// Files the tests lay down before they read them.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

/// Lays down a sparse file of `size` bytes at `path` (its folder made first):
/// as large as a reader may meet, at no cost in disk. Returns the path.
inline QString MakeSparseTestFile(const QString& path, qint64 size)
{
    EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size)) << path.toStdString();
    return path;
}

/// A tebibyte: larger than any reader may take whole.
inline constexpr qint64 kTebibyte = qint64(1) << 40;

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
