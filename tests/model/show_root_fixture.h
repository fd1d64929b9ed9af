#pragma once
// A show root in a temporary folder for the show-file tests.

#include "common/test_files.h"
#include "model/show_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class ShowRootTest : public ::testing::Test {
protected:
    QString Write(const QString& relative, const QByteArray& bytes)
    {
        return WriteTestFile(root_.filePath(relative), bytes);
    }

    // A drawing of one path of `points` points, x counting up from 10.
    void WriteDrawing(const QString& relative, int points)
    {
        QByteArray bytes;
        for (int i = 0; i < points; ++i)
            bytes.append(char(10 + i)).append(char(20)).append(char(2)).append(char(7)).append(char(i + 1 == points ? 128 : 0));
        Write(relative, bytes);
    }

    void MakeFolder(const QString& relative) { ASSERT_TRUE(QDir(root_.path()).mkpath(relative)); }

    QTemporaryDir root_;
    ShowFolders folders_{root_.path()};
};
