#pragma once
// Fixture for the Draw window's dialogs: a registry in a temporary program
// folder with the Draw window and the dialogs, answers scripted in place of
// the operator, and hand-written files in the folder.

#include "common/test_files.h"
#include "editor/draw_window.h"
#include "shell/dialogs.h"
#include "shell/window_registry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>

class EditorDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        windows = std::make_unique<WindowRegistry>(folder.path(), [](const QString&, const QString&) {});
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        windows->SetDialogs(std::move(scripted));
        windows->Create<TForm1>();
    }
    void TearDown() override { windows.reset(); }

    DrawDocument& Doc() { return windows->Form1()->Document(); }

    QString Write(const char* name, const QByteArray& text)
    {
        return WriteTestFile(folder.filePath(QString::fromLatin1(name)), text);
    }

    /// A path of selected points at (x, y) pairs, added to the drawing and the
    /// selection as one undo step.
    void AddSelectedPath(std::initializer_list<std::pair<int, int>> points)
    {
        Path& path = Doc().Drawing.emplace_back();
        for (auto [x, y] : points) {
            path.push_back(std::make_unique<LaserPoint>(LaserPoint{x, y, 2, 4, kMarkSelected, path.empty() ? std::uint8_t{1} : std::uint8_t{0}}));
            Doc().Selection.push_back(path.back().get());
        }
        Doc().PushUndo();
    }

    static int LitPixels(const QImage& image)
    {
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                lit += (image.pixel(x, y) & 0xFFFFFF) != 0;
        return lit;
    }

    QTemporaryDir folder;
    std::unique_ptr<WindowRegistry> windows;
    ScriptedDialogs* dialogs = nullptr;
};

/// The plotter file of the tests: a square and a diagonal, 1000 units.
inline const QByteArray kSquarePlot =
    "IN;\nSP1;\nLT;\nPU0 0;\nPD1000 0;\nPD1000 1000;\nPD0 1000;\nPD0 0;\nLT;\nPU0 0;\nPD1000 1000;\nSP0;\n";
