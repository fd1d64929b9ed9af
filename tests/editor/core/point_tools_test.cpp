#include "editor/hit_tests.h"
#include "editor_fixture.h"

#include "common/test_points.h"
#include "editor/canvas_painter.h"
#include "model/background_picture.h"
#include "model/trunc_to_int.h"

#include <QImage>

#include <functional>
#include <limits>

namespace {

using PointToolsTest = EditorTest;

LaserPoint At(int x, int y)
{
    LaserPoint p;
    p.x = x;
    p.y = y;
    return p;
}

TEST(HitTests, TolerancesAndEnds)
{
    using Hits = std::vector<bool>;
    EXPECT_EQ((Hits{PointBoxHit(At(104, 96), 100, 100), PointBoxHit(At(105, 100), 100, 100), PointBoxHit(At(100, 95), 100, 100)}),
              (Hits{true, false, false}));
    const LaserPoint s = At(0, 100), e = At(200, 100), up = At(300, 0), down = At(300, 200);
    // Squared distance 4 hits, 9 misses; beyond the end on the line misses; coinciding ends are the
    // point box; far-off points must not overflow.
    EXPECT_EQ((Hits{SegmentHit(s, e, 50, 102), SegmentHit(s, e, 50, 103), SegmentHit(s, e, 201, 100),
                    SegmentHit(up, down, 301, 150), SegmentHit(up, down, 301, 200), SegmentHit(s, s, 3, 103),
                    SegmentHit(At(-2000000000, 0), At(2000000000, 2000000000), 0, 5)}),
              (Hits{true, false, false, true, false, true, false}));
    EXPECT_EQ((Hits{BoxHit(At(10, 10), 10, 10, 20, 20), BoxHit(At(20, 15), 20, 20, 10, 10), BoxHit(At(21, 15), 10, 10, 20, 20)}),
              (Hits{true, true, false}));
}

TEST_F(PointToolsTest, SelectPointTogglesAndBoxesMayNameAPointTwice)
{
    Add(MakePath({{100, 100}, {200, 100}, {200, 200}}));
    EXPECT_EQ(tools.SelectTool(Tool::SelectPoints), "select point");
    Left(102, 101);
    EXPECT_TRUE(doc.Selection.size() == 1u && tools.HitFound());
    Left(101, 99);  // again: deselected
    EXPECT_TRUE(doc.Selection.empty() && doc.Drawing[0][0]->mark == kMarkNone);

    Left(150, 50);  // a miss opens a box
    Move(250, 150);
    EXPECT_EQ(tools.Band().kind, RubberBand::Kind::SelectionBox);
    Left(250, 150);
    EXPECT_EQ(doc.Selection.size(), 1u);
    Left(150, 50);
    Left(250, 250);
    EXPECT_EQ(doc.Selection.size(), 3u);  // (200, 100) twice

    // Move_O moves each point once although it is named twice.
    tools.SelectTool(Tool::MoveObjects);
    Left(0, 0);
    Move(5, 5);
    Left(10, 20);
    EXPECT_EQ(Xy(doc.Drawing[0]), (std::vector<std::pair<int, int>>{{100, 100}, {210, 120}, {210, 220}}));
    EXPECT_EQ(doc.SnapshotCount(), 2);

    // Right with no box pending clears the selection.
    tools.SelectTool(Tool::SelectPoints);
    Right();
    EXPECT_TRUE(doc.Selection.empty() && doc.Drawing[0][1]->mark == kMarkNone);
}

TEST_F(PointToolsTest, SelectObjectTakesWholePathsBySegmentOrBox)
{
    Add(MakePath({{100, 100}, {200, 100}}));
    Add(MakePath({{300, 300}}));
    tools.SelectTool(Tool::SelectObjects);
    Left(150, 101);
    EXPECT_EQ(doc.Selection.size(), 2u);
    Left(300, 300);  // a one-point path has no segment: this opens a box
    EXPECT_EQ(tools.ToolPoints().size(), 1u);
    Left(310, 310);
    EXPECT_TRUE(doc.Selection.size() == 3u && doc.Drawing[1][0]->mark == kMarkSelected);
}

TEST_F(PointToolsTest, MovePointDragsOneAndRightPutsItBack)
{
    Add(MakePath({{100, 100}, {200, 100}}));
    tools.SelectTool(Tool::MovePoint);
    Left(199, 101);
    ASSERT_EQ(doc.Selection.size(), 1u);
    Move(250, 260);
    EXPECT_EQ(doc.Drawing[0][1]->x, 250);
    Right();
    EXPECT_EQ(Xy(doc.Drawing[0])[1], (std::pair<int, int>{200, 100}));
    EXPECT_TRUE(doc.Selection.empty() && !tools.Grabbing());

    Left(199, 101);
    Left(30, 40);
    EXPECT_EQ(Xy(doc.Drawing[0])[1], (std::pair<int, int>{30, 40}));
    EXPECT_EQ(std::pair(doc.Drawing[0][1]->mark, doc.SnapshotCount()), std::pair(kMarkNone, 2));

    // Undo in the middle of a drag ends it; the next drag starts afresh.
    doc.PushUndo();
    Left(30, 40);
    Move(90, 90);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(tools.SavedPoints().empty() && !tools.Grabbing());
    Left(30, 40);
    Left(60, 70);
    EXPECT_EQ(Xy(doc.Drawing[0])[1], (std::pair<int, int>{60, 70}));
}

TEST_F(PointToolsTest, AddPointInsertsIntoEveryCrossingPathOnce)
{
    Add(MakePath({{0, 100}, {200, 100}}, 5));
    Add(MakePath({{100, 0}, {100, 200}}, 6));
    tools.SelectTool(Tool::AddPoint);
    Left(100, 100);
    ASSERT_EQ(doc.Drawing[0].size(), 3u);
    ASSERT_EQ(doc.Drawing[1].size(), 3u);
    EXPECT_EQ(Xy(doc.Drawing[0])[1], (std::pair<int, int>{100, 100}));
    EXPECT_EQ(std::tuple(int(doc.Drawing[1][1]->colour), doc.Drawing[1][1]->z, doc.SnapshotCount()), std::tuple(6, 0, 2));
    Left(400, 400);  // nothing near: nothing recorded
    EXPECT_EQ(doc.SnapshotCount(), 2);
}

TEST_F(PointToolsTest, LineColourBlankingAndPickColour)
{
    Add(MakePath({{0, 100}, {200, 100}, {200, 300}}, 5));
    Add(MakePath({{0, 101}, {200, 101}}, 6));
    tools.SelectTool(Tool::PickColour);
    Left(50, 100);
    EXPECT_EQ(std::pair(doc.CurrentColor, doc.SnapshotCount()), std::pair(6, 1));  // the later path decides

    doc.CurrentColor = 9;
    tools.SelectTool(Tool::LineColour);
    Left(200, 200);
    EXPECT_EQ(std::pair(int(doc.Drawing[0][1]->colour), int(doc.Drawing[0][2]->colour)), std::pair(5, 9));

    tools.SelectTool(Tool::LineBlanking);
    Left(200, 200);
    EXPECT_EQ(std::pair(int(doc.Drawing[0][2]->blank), doc.SnapshotCount()), std::pair(1, 3));
}

TEST_F(PointToolsTest, ScaleFollowsTheDragFromTheAnchor)
{
    auto scaled = [this](int dx, int dy, bool ctrl) {
        doc.NewDrawing();
        Add(MakePath({{110, 100}, {100, 130}}));
        doc.SelectAll();
        tools.SelectTool(Tool::ScaleObjects);
        Left(100, 100);
        Left(100 + dx, 100 + dy, ctrl);
        return Xy(doc.Drawing[0]);
    };
    using Pts = std::vector<std::pair<int, int>>;
    EXPECT_EQ(scaled(50, 50, false), (Pts{{110, 100}, {100, 130}}));
    EXPECT_EQ(scaled(-50, 50, false), (Pts{{90, 100}, {100, 130}}));
    EXPECT_EQ(scaled(100, 100, false), (Pts{{120, 100}, {100, 160}}));
    EXPECT_EQ(scaled(100, -20, true), (Pts{{120, 100}, {100, 40}}));
    EXPECT_EQ(scaled(-20, 100, true), (Pts{{80, 100}, {100, 160}}));
}

TEST_F(PointToolsTest, CopyModeDragsAppendCopiesAndLeaveTheSelection)
{
    Add(MakePath({{10, 10}, {20, 20}, {30, 30}}));
    Add(MakePath({{40, 40}}));
    doc.Drawing[0][1]->mark = doc.Drawing[0][2]->mark = kMarkSelected;
    doc.Selection = {doc.Drawing[0][2].get(), doc.Drawing[0][1].get()};
    doc.CopyObjects = true;
    tools.SelectTool(Tool::MoveObjects);
    Left(0, 0);
    Move(100, 0);
    EXPECT_EQ(tools.Band().kind, RubberBand::Kind::CopyPreview);
    EXPECT_EQ(doc.Drawing[0][1]->x, 20);  // the preview never moves the originals
    Left(100, 0);
    ASSERT_EQ(doc.Drawing.size(), 3u);
    EXPECT_EQ(Xy(doc.Drawing[2]), (std::vector<std::pair<int, int>>{{120, 20}, {130, 30}}));
    EXPECT_EQ(Xy(doc.Drawing[0])[1], (std::pair<int, int>{20, 20}));
    EXPECT_TRUE(doc.Drawing[2][0]->mark == kMarkNone && doc.Selection.size() == 2u);
}

// Many moves of one drag: each places every point from where the drag found it,
// once, however often the selection names it; the release leaves the last place.
TEST_F(PointToolsTest, ADragsPointsEndWhereTheMovesPutThem)
{
    using Pts = std::vector<std::pair<int, int>>;
    auto grid = [this] {
        doc.NewDrawing();
        for (int path = 0; path < 3; ++path) {
            Path p;
            for (int i = 0; i < 40; ++i)
                p.push_back(std::make_unique<LaserPoint>(LaserPoint{100 + 3 * i, 50 + 40 * path, 0, 4, 0, 0}));
            Add(std::move(p));
        }
        doc.SelectAll();
        // The middle path named twice more, backwards.
        for (int i = 39; i >= 0; --i)
            doc.Selection.push_back(doc.Drawing[1][std::size_t(i)].get());
        for (const auto& p : doc.Drawing[2])
            doc.Selection.push_back(p.get());
    };
    auto all = [this] { return PointPositions(doc.Drawing); };
    auto expected = [](auto place) {
        Pts out;
        for (int path = 0; path < 3; ++path)
            for (int i = 0; i < 40; ++i)
                out.push_back(place(100 + 3 * i, 50 + 40 * path));
        return out;
    };

    grid();
    tools.SelectTool(Tool::MoveObjects);
    Left(200, 200);
    for (int step = 1; step <= 30; ++step)
        Move(200 + step * 7 % 23 - 11, 200 - step * 5 % 17);
    EXPECT_EQ(all(), expected([](int x, int y) { return std::pair(x + 30 * 7 % 23 - 11, y - 30 * 5 % 17); }));
    Left(190, 215);
    EXPECT_EQ(all(), expected([](int x, int y) { return std::pair(x - 10, y + 15); }));
    EXPECT_EQ(doc.SnapshotCount(), 2);

    // Scale: every move from the starts, not from the last move's result.
    grid();
    tools.SelectTool(Tool::ScaleObjects);
    Left(100, 100);
    for (int step = 0; step < 20; ++step)
        Move(100 + 10 * step, 100 + 5 * step);
    Left(200, 125);
    EXPECT_EQ(all(), expected([](int x, int y) {
        return std::pair(TruncToInt((x - 100.0) * 100 * 0.02 + 100), TruncToInt((y - 100.0) * 25 * 0.02 + 100));
    }));

    // Right in the middle of a drag puts every point back.
    grid();
    tools.SelectTool(Tool::MoveObjects);
    Left(0, 0);
    Move(40, 40);
    Move(45, -3);
    Right();
    EXPECT_EQ(all(), expected([](int x, int y) { return std::pair(x, y); }));
}

TEST_F(PointToolsTest, RestoresStayInBoundsWhenTheSelectionChangesMidDrag)
{
    Add(MakePath({{10, 10}, {20, 20}}));
    tools.SelectTool(Tool::MoveObjects);
    Left(0, 0);  // nothing selected: nothing saved
    doc.SelectAll();  // reached by keyboard while the drag runs
    Move(50, 50);
    Right();
    Left(0, 0);
    Left(5, 5);
    EXPECT_EQ(Xy(doc.Drawing[0]), (std::vector<std::pair<int, int>>{{15, 15}, {25, 25}}));
}

// Scale_O stops points at the int32 limits; every later transform must stop
// there too (under UBSan a wrapped sum aborts the suite).
TEST(SaturatedCoordinates, TransformsStopAtTheInt32LimitsInsteadOfWrapping)
{
    constexpr int kMax = std::numeric_limits<std::int32_t>::max();
    constexpr int kMin = std::numeric_limits<std::int32_t>::min();
    using Xy1 = std::pair<int, int>;
    struct Stage {
        DrawDocument doc;
        ToolEngine tools{doc};
        void Left(int x, int y) { tools.MouseDown(ToolButton::Left, false, x, y); }
    };
    using Act = std::function<void(Stage&)>;
    auto drag = [](int tool, int dx, int dy, bool copies) -> Act {
        return [=](Stage& s) {
            s.doc.CopyObjects = copies;
            s.tools.SelectTool(tool);
            s.Left(256, 256);
            s.tools.MouseMove(false, 256 + dx, 256 + dy);  // the live preview moves the points too
            (void)s.tools.Band();
            s.Left(256 + dx, 256 + dy);
        };
    };
    auto mirror = [](bool (DrawDocument::*command)(), bool copies) -> Act {
        return [=](Stage& s) {
            s.doc.CopyObjects = copies;
            (s.doc.*command)();
        };
    };
    const struct {
        const char* what;
        Xy1 start;
        Act act;
        Xy1 expected;
    } cases[] = {
        {"Move_O past the upper limit", {kMax - 5, kMax}, drag(Tool::MoveObjects, 200, 10, false), {kMax, kMax}},
        {"Move_O past the lower limit", {kMin + 5, kMin}, drag(Tool::MoveObjects, -200, -10, false), {kMin, kMin}},
        {"Move_O away from the limits", {kMin, kMax}, drag(Tool::MoveObjects, 10, -10, false), {kMin + 10, kMax - 10}},
        {"Move_O as copies", {kMax, kMin}, drag(Tool::MoveObjects, 100, -100, true), {kMax, kMin}},
        {"Scale_O out to the limits", {kMax / 2, kMin / 2}, drag(Tool::ScaleObjects, 250, 250, false), {kMax, kMin}},
        {"Mirror_V of the lowest x", {kMin, 7}, mirror(&DrawDocument::MirrorV, false), {kMax, 7}},
        {"Mirror_V of the highest x", {kMax, 7}, mirror(&DrawDocument::MirrorV, false), {510 - kMax, 7}},
        {"Mirror_H of the lowest y", {7, kMin}, mirror(&DrawDocument::MirrorH, false), {7, kMax}},
        {"Mirror_H as copies", {7, kMin}, mirror(&DrawDocument::MirrorH, true), {7, kMax}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Stage s;
        s.doc.Drawing.push_back(MakePath({c.start}));
        s.doc.SelectAll();
        c.act(s);
        EXPECT_EQ(Xy(s.doc.Drawing.back()), (std::vector<Xy1>{c.expected}));
        // A box over the whole canvas and a repaint meet such points afterwards.
        s.tools.SelectTool(Tool::SelectPoints);
        s.Left(0, 0);
        s.Left(510, 510);
        QImage canvas;
        BackgroundPicture pictures;
        PaintCanvas(canvas, pictures, s.doc, s.tools.Band());
    }
}

}  // namespace
