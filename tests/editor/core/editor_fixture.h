#pragma once
// Helpers for the Draw document and tool tests: paths built from coordinates,
// and a document with an engine driving it as the canvas would.

#include "editor/draw_document.h"
#include "editor/tool_engine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

inline Path MakePath(std::initializer_list<std::pair<int, int>> xy, int colour = 4)
{
    Path path;
    for (auto [x, y] : xy) {
        auto p = std::make_unique<LaserPoint>();
        p->x = x;
        p->y = y;
        p->colour = std::uint8_t(colour);
        p->blank = path.empty() ? 1 : 0;
        path.push_back(std::move(p));
    }
    return path;
}

inline std::vector<std::pair<int, int>> Xy(const Path& path)
{
    std::vector<std::pair<int, int>> out;
    for (const auto& p : path)
        out.emplace_back(p->x, p->y);
    return out;
}

class EditorTest : public ::testing::Test {
protected:
    void Left(int x, int y, bool ctrl = false) { tools.MouseDown(ToolButton::Left, ctrl, x, y); }
    void Right(int x = 0, int y = 0) { tools.MouseDown(ToolButton::Right, false, x, y); }
    void Move(int x, int y, bool ctrl = false) { tools.MouseMove(ctrl, x, y); }
    void Add(Path path) { doc.Drawing.push_back(std::move(path)); }

    DrawDocument doc;
    ToolEngine tools{doc};
};
